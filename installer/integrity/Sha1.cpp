// installer/integrity/Sha1.cpp: SHA-1 as FIPS 180 describes it, for one buffer at a time.
#include "Sha1.h"

static DWORD RotateLeft(DWORD x, int n)
{
    return (x << n) | (x >> (32 - n));
}

// Folds one 64-byte block into the state.
static void Sha1Block(DWORD state[5], const BYTE* pBlock)
{
    DWORD w[80];
    for (int i = 0; i < 16; ++i)
        w[i] = (DWORD)pBlock[4 * i] << 24 | (DWORD)pBlock[4 * i + 1] << 16
             | (DWORD)pBlock[4 * i + 2] << 8 | pBlock[4 * i + 3];
    for (int i = 16; i < 80; ++i)
        w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);

    DWORD a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (int i = 0; i < 80; ++i)
    {
        DWORD f, k;
        if (i < 20)
            f = (b & c) | (~b & d), k = 0x5A827999;
        else if (i < 40)
            f = b ^ c ^ d, k = 0x6ED9EBA1;
        else if (i < 60)
            f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDC;
        else
            f = b ^ c ^ d, k = 0xCA62C1D6;
        DWORD t = RotateLeft(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = RotateLeft(b, 30);
        b = a;
        a = t;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

void Sha1(const BYTE* p, DWORD cb, BYTE digest[SHA1_DIGEST_SIZE])
{
    DWORD state[5] = { 0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0 };
    DWORD nWhole = cb & ~63u;
    for (DWORD i = 0; i < nWhole; i += 64)
        Sha1Block(state, p + i);

    // The tail, the 0x80 that ends the message, zeros, and the length in bits, big-endian:
    // one block, or two when the tail leaves no room for the eight length bytes.
    BYTE last[128];
    DWORD nTail = cb - nWhole;
    for (DWORD i = 0; i < sizeof last; ++i)
        last[i] = i < nTail ? p[nWhole + i] : 0;
    last[nTail] = 0x80;
    DWORD nLast = nTail < 56 ? 64 : 128;
    DWORD nBitsHigh = cb >> 29, nBitsLow = cb << 3;
    for (int i = 0; i < 4; ++i)
    {
        last[nLast - 8 + i] = (BYTE)(nBitsHigh >> (24 - 8 * i));
        last[nLast - 4 + i] = (BYTE)(nBitsLow >> (24 - 8 * i));
    }
    for (DWORD i = 0; i < nLast; i += 64)
        Sha1Block(state, last + i);

    for (int i = 0; i < SHA1_DIGEST_SIZE; ++i)
        digest[i] = (BYTE)(state[i / 4] >> (24 - 8 * (i % 4)));
}
