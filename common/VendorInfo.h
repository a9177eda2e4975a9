// common/VendorInfo.h: the vendor's contact data, fixed at build time and shared by both programs.
#ifndef VENDORINFO_H
#define VENDORINFO_H

// All of it lives under example.com, a domain reserved for documentation. The home page URL
// is also the text of the dialogs' links, and must fit their placeholders in the dialogs'
// fonts (the resource test measures it): "http://www.example.com/" did not.
#define VENDOR_WEB_DOMAIN     "www.example.com"
#define VENDOR_HOME_URL       "http://example.com/"
#define VENDOR_ENGLISH_URL    "http://example.com/en/"
#define VENDOR_EMAIL          "support@example.com"
#define VENDOR_EMAIL_SECOND   "sales@example.com"
#define VENDOR_MAILTO_URL     "mailto:" VENDOR_EMAIL ";" VENDOR_EMAIL_SECOND

#endif // VENDORINFO_H
