// tests/integrity/ProgramIntegrityTest.cpp: the stamped test program and copies of it, intact and damaged.
#include <gtest/gtest.h>
#include "WineTestSupport.h"
#include <wincrypt.h>
#include "ProgramIntegrity.h"

namespace {

typedef std::vector<BYTE> Bytes;

// The slot's marker, as installer/ui/ProgramIntegrity.cpp and tools/stamp_digest.py hold it,
// kept inverted here: this program is stamped too, so its file may hold the marker only once
// (volatile, so that the compiler cannot fold the inversion back into a constant).
const volatile BYTE s_invertedMarker[16] = {
    0x04, 0xD1, 0x32, 0x7B, 0x15, 0x1E, 0x15, 0x74, 0x19, 0xFC, 0xE0, 0x71, 0x31, 0x5E, 0x64, 0x41 };

struct Marker
{
    BYTE bytes[16];
    Marker() { for (int i = 0; i < 16; ++i) bytes[i] = static_cast<BYTE>(~s_invertedMarker[i]); }
};
const Marker s_marker;
const size_t DIGEST_SIZE = 20;
const size_t NOT_FOUND = static_cast<size_t>(-1);

Bytes ReadAll(const std::string& strPath)
{
    Bytes bytes;
    HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                                 OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(::GetFileSize(hFile, NULL));
    DWORD nRead = 0;
    if (!bytes.empty() && (!::ReadFile(hFile, &bytes[0], bytes.size(), &nRead, NULL)
                           || nRead != bytes.size()))
        bytes.clear();
    ::CloseHandle(hFile);
    return bytes;
}

bool WriteAll(const std::string& strPath, const Bytes& bytes)
{
    HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    bool bOk = bytes.empty()
        || (::WriteFile(hFile, &bytes[0], bytes.size(), &nWritten, NULL) && nWritten == bytes.size());
    ::CloseHandle(hFile);
    return bOk;
}

std::string OwnPath()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, sizeof szPath);
    return szPath;
}

// Offset of the digest that follows the one marker in the file, or NOT_FOUND.
size_t DigestOffset(const Bytes& bytes)
{
    size_t nFound = NOT_FOUND;
    for (size_t i = 0; i + sizeof s_marker.bytes + DIGEST_SIZE <= bytes.size(); ++i)
        if (memcmp(&bytes[i], s_marker.bytes, sizeof s_marker.bytes) == 0)
        {
            if (nFound != NOT_FOUND)
                return NOT_FOUND;
            nFound = i + sizeof s_marker.bytes;
        }
    return nFound;
}

// Offset of the middle of the .text section's raw data, or NOT_FOUND.
size_t CodeOffset(const Bytes& bytes)
{
    if (bytes.size() < 0x40)
        return NOT_FOUND;
    DWORD nPe = *reinterpret_cast<const DWORD*>(&bytes[0x3C]);
    if (nPe + 24 > bytes.size())
        return NOT_FOUND;
    const IMAGE_FILE_HEADER* pHeader = reinterpret_cast<const IMAGE_FILE_HEADER*>(&bytes[nPe + 4]);
    size_t nSection = nPe + 24 + pHeader->SizeOfOptionalHeader;
    for (int i = 0; i < pHeader->NumberOfSections; ++i, nSection += sizeof(IMAGE_SECTION_HEADER))
    {
        if (nSection + sizeof(IMAGE_SECTION_HEADER) > bytes.size())
            return NOT_FOUND;
        const IMAGE_SECTION_HEADER* pSection =
            reinterpret_cast<const IMAGE_SECTION_HEADER*>(&bytes[nSection]);
        if (memcmp(pSection->Name, ".text", 6) == 0)
            return pSection->PointerToRawData + pSection->SizeOfRawData / 2;
    }
    return NOT_FOUND;
}

// Stamps the digest at nDigest as the build does (SHA-1 of the file with the digest zeroed),
// computed here independently of the code under test.
bool Restamp(Bytes& bytes, size_t nDigest)
{
    std::fill(bytes.begin() + nDigest, bytes.begin() + nDigest + DIGEST_SIZE, 0);
    HCRYPTPROV hProv = 0;
    HCRYPTHASH hHash = 0;
    DWORD nSize = DIGEST_SIZE;
    bool bOk = ::CryptAcquireContextA(&hProv, NULL, NULL, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)
        && ::CryptCreateHash(hProv, CALG_SHA1, 0, 0, &hHash)
        && ::CryptHashData(hHash, &bytes[0], bytes.size(), 0)
        && ::CryptGetHashParam(hHash, HP_HASHVAL, &bytes[nDigest], &nSize, 0);
    if (hHash)
        ::CryptDestroyHash(hHash);
    if (hProv)
        ::CryptReleaseContext(hProv, 0);
    return bOk;
}

// A folder of its own under the temp folder for the copies, removed with all of them at the end.
class IntegrityCopies : public testing::Test
{
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH] = "";
        ::GetTempPathA(sizeof szTemp, szTemp);
        m_strDir = std::string(szTemp) + "integrity_" + std::to_string(::GetCurrentProcessId());
        ASSERT_TRUE(::CreateDirectoryA(m_strDir.c_str(), NULL)) << m_strDir;
        m_original = ReadAll(OwnPath());
        ASSERT_GT(m_original.size(), 4096u);
        m_nDigest = DigestOffset(m_original);
        ASSERT_NE(NOT_FOUND, m_nDigest) << "the marker must occur exactly once in " << OwnPath();
    }

    void TearDown() override
    {
        // A program that just ended may hold its file for a moment under Wine.
        for (size_t i = 0; i < m_files.size(); ++i)
        {
            const char* pszFile = m_files[i].c_str();
            for (int nTry = 0; nTry < 50 && !::DeleteFileA(pszFile)
                               && ::GetFileAttributesA(pszFile) != INVALID_FILE_ATTRIBUTES; ++nTry)
                ::Sleep(100);
        }
        EXPECT_TRUE(::RemoveDirectoryA(m_strDir.c_str())) << m_strDir;
    }

    // Writes bytes to a file of the folder and returns its path.
    std::string Copy(const std::string& strName, const Bytes& bytes)
    {
        std::string strPath = m_strDir + "\\" + strName;
        m_files.push_back(strPath);
        EXPECT_TRUE(WriteAll(strPath, bytes)) << strPath;
        return strPath;
    }

    std::string m_strDir;
    std::vector<std::string> m_files;
    Bytes m_original;       // this test program's own file, stamped by the build
    size_t m_nDigest;
};

TEST(ProgramIntegrity, TheStampedTestProgramFindsItsOwnFileIntact)
{
    EXPECT_TRUE(IsProgramFileIntact());
    EXPECT_TRUE(IsFileIntact(OwnPath().c_str())) << OwnPath();
}

TEST(ProgramIntegrity, MissingOrSlotlessFilesAreNotIntact)
{
    EXPECT_FALSE(IsFileIntact("C:\\no such folder\\no such program.exe"));
    EXPECT_FALSE(IsFileIntact(""));
    char szSystem[MAX_PATH] = "";
    ::GetSystemDirectoryA(szSystem, sizeof szSystem);
    std::string strKernel = std::string(szSystem) + "\\kernel32.dll";
    ASSERT_FALSE(ReadAll(strKernel).empty()) << strKernel;
    EXPECT_FALSE(IsFileIntact(strKernel.c_str())) << "a file with no slot: " << strKernel;
}

TEST_F(IntegrityCopies, AnIntactCopyElsewhereIsIntact)
{
    EXPECT_TRUE(IsFileIntact(Copy("renamed copy.exe", m_original).c_str()));
    // The probe is a second, differently built program with its own stamp.
    std::string strProbe = WindowsPathFromHost(TestArgument(1).c_str());
    EXPECT_TRUE(IsFileIntact(strProbe.c_str())) << strProbe;
}

// A file that another handle holds without sharing cannot be read, so it cannot be vouched for.
TEST_F(IntegrityCopies, AnIntactCopyThatCannotBeReadIsNotIntact)
{
    std::string strPath = Copy("locked.exe", m_original);
    HANDLE hLock = ::CreateFileA(strPath.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock) << strPath;
    EXPECT_FALSE(IsFileIntact(strPath.c_str()));
    ::CloseHandle(hLock);
    EXPECT_TRUE(IsFileIntact(strPath.c_str())) << "once the lock is gone";
}

// Each row damages a copy of this program in one way; every one must be caught.
TEST_F(IntegrityCopies, EveryDamagedCopyIsReported)
{
    enum Kind { FLIP, APPEND, CUT, ZERO_DIGEST };
    size_t nCode = CodeOffset(m_original);
    ASSERT_NE(NOT_FOUND, nCode);
    size_t nSize = m_original.size();
    DWORD nPe = *reinterpret_cast<const DWORD*>(&m_original[0x3C]);
    const struct { const char* pszWhat; Kind kind; size_t nWhere; } rows[] = {
        { "first byte ('M')",           FLIP, 0 },
        { "PE time stamp",              FLIP, nPe + 8 },
        { "middle of the code",         FLIP, nCode },
        { "first byte of the marker",   FLIP, m_nDigest - sizeof s_marker.bytes },
        { "first byte of the digest",   FLIP, m_nDigest },
        { "last byte of the digest",    FLIP, m_nDigest + DIGEST_SIZE - 1 },
        { "byte after the slot",        FLIP, m_nDigest + DIGEST_SIZE },
        { "last byte of the file",      FLIP, nSize - 1 },
        { "one byte appended",          APPEND, 1 },
        { "4096 zero bytes appended",   APPEND, 4096 },
        { "last byte cut off",          CUT, 1 },
        { "last 4096 bytes cut off",    CUT, 4096 },
        { "cut off inside the digest",  CUT, nSize - m_nDigest - 10 },
        { "everything cut off (empty)", CUT, nSize },
        { "digest zeroed (unstamped)",  ZERO_DIGEST, 0 },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << rows[i].pszWhat);
        Bytes bytes = m_original;
        switch (rows[i].kind)
        {
        case FLIP:          bytes[rows[i].nWhere] ^= 0x01; break;
        case APPEND:        bytes.resize(nSize + rows[i].nWhere, 0); break;
        case CUT:           bytes.resize(nSize - rows[i].nWhere); break;
        case ZERO_DIGEST:   std::fill(bytes.begin() + m_nDigest, bytes.begin() + m_nDigest + DIGEST_SIZE, 0); break;
        }
        std::string strPath = Copy("damaged" + std::to_string(i) + ".exe", bytes);
        EXPECT_FALSE(IsFileIntact(strPath.c_str())) << strPath;
    }
}

// The check hashes the file itself rather than trusting anything the running program holds:
// a changed copy stamped again is accepted (this is damage detection, not a signature), unless
// the change adds a second marker, which leaves no single slot to trust.
TEST_F(IntegrityCopies, ARestampedCopyIsIntactUnlessItHasTwoMarkers)
{
    const size_t nDosText = 0x4E;   // "This program cannot be run in DOS mode."
    ASSERT_EQ(0, memcmp(&m_original[nDosText], "This program", 12));
    Bytes changed = m_original;
    memcpy(&changed[nDosText], "Changed prog", 12);
    ASSERT_TRUE(Restamp(changed, m_nDigest));
    EXPECT_TRUE(IsFileIntact(Copy("restamped.exe", changed).c_str()));

    Bytes twoMarkers = m_original;
    memcpy(&twoMarkers[nDosText], s_marker.bytes, sizeof s_marker.bytes);
    ASSERT_TRUE(Restamp(twoMarkers, m_nDigest));
    EXPECT_FALSE(IsFileIntact(Copy("two markers.exe", twoMarkers).c_str()));
}

// The program built and stripped like the installer checks the file it was started from.
TEST_F(IntegrityCopies, ProbeProgramRunFromDamagedCopiesReportsThemDamaged)
{
    std::string strProbe = WindowsPathFromHost(TestArgument(1).c_str());
    Bytes probe = ReadAll(strProbe);
    ASSERT_FALSE(probe.empty()) << strProbe;
    size_t nDigest = DigestOffset(probe);
    ASSERT_NE(NOT_FOUND, nDigest);

    // Damage that still lets the loader start the program: text of the DOS stub, the digest,
    // and bytes past the last section.
    Bytes stub = probe, digest = probe, appended = probe;
    stub[0x4E] ^= 0x20;
    digest[nDigest + 7] ^= 0x80;
    appended.push_back(0);
    const struct { const char* pszWhat; const Bytes* pBytes; int nExit; } rows[] = {
        { "intact copy",         &probe,    0 },
        { "DOS stub changed",    &stub,     1 },
        { "digest changed",      &digest,   1 },
        { "one byte appended",   &appended, 1 },
    };
    EXPECT_EQ(0, RunProgram("\"" + strProbe + "\"")) << "the probe as built: " << strProbe;
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << rows[i].pszWhat);
        std::string strPath = Copy("probe" + std::to_string(i) + ".exe", *rows[i].pBytes);
        EXPECT_EQ(rows[i].nExit, RunProgram("\"" + strPath + "\""));
    }
}

} // namespace
