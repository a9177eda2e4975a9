// installer/integrity/Sha1.h: SHA-1 of a buffer, in the program's own code.
#ifndef SHA1_H
#define SHA1_H

#include <windows.h>

enum { SHA1_DIGEST_SIZE = 20 };

// Computes the SHA-1 digest of cb bytes at p. The program's own few hundred bytes of code:
// CryptoAPI would do the same, but under some systems its provider brings a megabyte and a
// half of libraries into the process for this one hash.
void Sha1(const BYTE* p, DWORD cb, BYTE digest[SHA1_DIGEST_SIZE]);

#endif // SHA1_H
