// installer/integrity/ProgramIntegrity.cpp: finds the stamp slot in the program file and checks its SHA-1.
#include "ProgramIntegrity.h"
#include <windows.h>
#include "Sha1.h"

namespace {

enum { MARKER_SIZE = 16 };

// The stamp slot: a marker that occurs nowhere else in the file, then the digest that
// cmake/stamp_digest.py writes after linking (it holds the same marker bytes). Until then the
// digest is zero, and a zero digest never matches. Referencing the slot from the search below
// keeps it through --gc-sections; "used" keeps the compiler from dropping it first.
struct DigestSlot
{
    BYTE marker[MARKER_SIZE];
    BYTE digest[SHA1_DIGEST_SIZE];
};

const DigestSlot s_slot __attribute__((used)) = {
    { 0xFB, 0x2E, 0xCD, 0x84, 0xEA, 0xE1, 0xEA, 0x8B, 0xE6, 0x03, 0x1F, 0x8E, 0xCE, 0xA1, 0x9B, 0xBE },
    { 0 }
};

// Returns the offset of the one slot in the file, or 0 when the marker is missing or occurs
// twice (offset 0 is the "MZ" header, never a slot). Only places with room for a whole slot
// count, so a file cut off inside the slot has none.
DWORD FindSlot(const BYTE* pFile, DWORD cbFile)
{
    DWORD nFound = 0;
    for (DWORD i = 1; i + sizeof(DigestSlot) <= cbFile; ++i)
    {
        DWORD j = 0;
        while (j < MARKER_SIZE && pFile[i + j] == s_slot.marker[j])
            ++j;
        if (j == MARKER_SIZE)
        {
            if (nFound != 0)
                return 0;
            nFound = i;
        }
    }
    return nFound;
}

// Hashes the file with the slot's digest bytes set to zero, as the stamp tool did, and
// compares with the digest the file carries. pFile is our own copy, so zeroing in place is fine.
bool MatchesStamp(BYTE* pFile, DWORD cbFile)
{
    DWORD nSlot = FindSlot(pFile, cbFile);
    if (nSlot == 0)
        return false;
    BYTE* pStamp = pFile + nSlot + MARKER_SIZE;
    BYTE stamp[SHA1_DIGEST_SIZE];
    for (int i = 0; i < SHA1_DIGEST_SIZE; ++i)
    {
        stamp[i] = pStamp[i];
        pStamp[i] = 0;
    }

    BYTE digest[SHA1_DIGEST_SIZE];
    Sha1(pFile, cbFile, digest);
    bool bMatch = true;
    for (int i = 0; i < SHA1_DIGEST_SIZE; ++i)
        if (digest[i] != stamp[i])
            bMatch = false;
    return bMatch;
}

} // namespace

// Reads the whole file into memory (programs are small) and checks it against its stamp.
bool IsFileIntact(const char* pszPath)
{
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    bool bIntact = false;
    DWORD cbHigh = 0;
    DWORD cbFile = ::GetFileSize(hFile, &cbHigh);
    // A failed GetFileSize returns 0xFFFFFFFF, which VirtualAlloc refuses in a 32-bit process.
    BYTE* pFile = NULL;
    if (cbHigh == 0 && cbFile != 0)
        pFile = static_cast<BYTE*>(::VirtualAlloc(NULL, cbFile, MEM_COMMIT, PAGE_READWRITE));
    if (pFile != NULL)
    {
        DWORD cbRead = 0;
        if (::ReadFile(hFile, pFile, cbFile, &cbRead, NULL) && cbRead == cbFile)
            bIntact = MatchesStamp(pFile, cbFile);
        ::VirtualFree(pFile, 0, MEM_RELEASE);
    }
    ::CloseHandle(hFile);
    return bIntact;
}

// The loader keeps the program's file open for its image, but shares it for reading.
bool IsProgramFileIntact()
{
    char szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(NULL, szPath, sizeof szPath);
    // A full buffer means the path was cut short (NT 4.0 does not terminate it then).
    return nLength != 0 && nLength < sizeof szPath && IsFileIntact(szPath);
}
