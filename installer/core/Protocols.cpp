// installer/core/Protocols.cpp: the protocols remote boot relies on, each found by its service key.
#include "Protocols.h"
#include "RegKey.h"

// The protocols remote boot relies on, checked in this order; only the first missing one is named.
// The texts are kept word for word, "Transort" included: they are the installer's known messages.
static const struct
{
    LPCSTR pszKey;
    LPCSTR pszMissing;
} s_protocols[] = {
    { "SYSTEM\\CurrentControlSet\\Services\\DLC",
      "Please install Microsoft DLC before installing Remoteboot." },
    { "SYSTEM\\CurrentControlSet\\Services\\NWlnkIPX",
      "Please install NWLink IPX/SPX/NetBios Compatible Transort Protocol before installing "
      "Remoteboot." },
    { "SYSTEM\\CurrentControlSet\\Services\\Nbf",
      "Please install NetBEUI Protocol before installing Remoteboot." },
};

LPCSTR FirstMissingProtocol()
{
    // An installed protocol has its service key; the key is closed again at once.
    for (size_t i = 0; i < ARRAYSIZE(s_protocols); ++i)
    {
        CRegKey protocol;
        if (protocol.Open(HKEY_LOCAL_MACHINE, s_protocols[i].pszKey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
            return s_protocols[i].pszMissing;
    }
    return NULL;
}
