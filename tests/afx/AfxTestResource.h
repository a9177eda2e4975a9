// tests/afx/AfxTestResource.h: identifiers of the framework tests' own resources and commands.
#ifndef AFXTESTRESOURCE_H
#define AFXTESTRESOURCE_H

#define IDD_TEST                100     // OK, Cancel, a static, a notifying static, an edit
#define IDD_TEST_NOCANCEL       101     // OK only, as the About box has
#define IDD_TEST_ABSALIGN       102     // asks for its own placement: never centred
#define IDD_TEST_MISSING        199     // no such template

#define IDS_TEST                110
#define IDS_TEST_MISSING        111

#define IDI_TEST                120
#define IDC_TEST_CURSOR         121

#define IDC_TEST_STATIC         1012
#define IDC_TEST_NOTIFY         1011
#define IDC_TEST_EDIT           1013

#define ID_TEST_COMMAND         0x8101  // handled by the windows under test
#define ID_TEST_DERIVED_COMMAND 0x8102  // handled by the derived window only
#define ID_TEST_APP_COMMAND     0x8103  // handled by the application object only

#endif // AFXTESTRESOURCE_H
