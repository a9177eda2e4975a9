// installer/core/Protocols.h: FirstMissingProtocol, the check for the network protocols that remote boot relies on.
#ifndef PROTOCOLS_H
#define PROTOCOLS_H

#include <windows.h>

// Checks DLC, NWLink IPX and NetBEUI, in this order, by their service keys. Returns the message
// that names the first one missing, or NULL when all three are installed.
LPCSTR FirstMissingProtocol();

#endif // PROTOCOLS_H
