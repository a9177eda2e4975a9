// tests/integrity/ProgramIntegrityTest.cpp: the stamped test program and copies of it, intact and damaged.
#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <iterator>
#include "WineTestSupport.h"
#include "ProgramIntegrity.h"
#include "Sha1.h"

namespace {

typedef std::vector<BYTE> Bytes;

// The slot's marker, kept inverted: this program is stamped too, so its file may hold the marker
// only once (volatile, so that the compiler cannot fold the inversion back into a constant).
const volatile BYTE s_invertedMarker[16] = {
    0x04, 0xD1, 0x32, 0x7B, 0x15, 0x1E, 0x15, 0x74, 0x19, 0xFC, 0xE0, 0x71, 0x31, 0x5E, 0x64, 0x41 };

Bytes ReadAll(const std::string& strPath)
{
    std::ifstream in(strPath.c_str(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Offset of the digest, which follows the marker (the stamp tool made sure there is one marker only).
size_t DigestOffset(const Bytes& bytes)
{
    BYTE marker[16];
    for (int i = 0; i < 16; ++i)
        marker[i] = static_cast<BYTE>(~s_invertedMarker[i]);
    return std::search(bytes.begin(), bytes.end(), marker, marker + 16) - bytes.begin() + 16;
}

// A folder of its own for copies of this program, removed with them at the end.
class IntegrityCopies : public testing::Test
{
protected:
    void SetUp() override
    {
        char szPath[MAX_PATH] = "";
        ::GetModuleFileNameA(NULL, szPath, sizeof szPath);
        m_original = ReadAll(szPath);
        m_nDigest = DigestOffset(m_original);
        ASSERT_LE(m_nDigest + SHA1_DIGEST_SIZE, m_original.size()) << "no stamp slot in " << szPath;
        ::GetTempPathA(sizeof szPath, szPath);
        m_strDir = szPath + ("integrity_" + std::to_string(::GetCurrentProcessId()));
        ASSERT_TRUE(::CreateDirectoryA(m_strDir.c_str(), NULL)) << m_strDir;
    }

    void TearDown() override
    {
        // A program that just ended may hold its file for a moment under Wine.
        for (size_t i = 0; i < m_files.size(); ++i)
            for (int nTry = 0; nTry < 50 && !::DeleteFileA(m_files[i].c_str()); ++nTry)
                ::Sleep(100);
        EXPECT_TRUE(::RemoveDirectoryA(m_strDir.c_str())) << m_strDir;
    }

    std::string Copy(const std::string& strName, const Bytes& bytes)
    {
        m_files.push_back(m_strDir + "\\" + strName);
        std::ofstream out(m_files.back().c_str(), std::ios::binary);
        EXPECT_TRUE(out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()).good()) << strName;
        return m_files.back();
    }

    std::string m_strDir;
    std::vector<std::string> m_files;
    Bytes m_original;       // this test program's own file, stamped by the build
    size_t m_nDigest;
};

// Guards the build's stamp and the check disagreeing (the running program and an intact copy elsewhere
// must pass), and a byte that escapes the hash or a slot found in the wrong place (every damaged copy fails).
TEST_F(IntegrityCopies, IntactCopiesPassAndEveryDamagedCopyFails)
{
    const Bytes& file = m_original;
    EXPECT_TRUE(IsProgramFileIntact());
    EXPECT_TRUE(IsFileIntact(Copy("renamed copy.exe", file).c_str()));
    const size_t nSize = file.size(), nPe = *reinterpret_cast<const DWORD*>(&file[0x3C]);
    // The first section is .text: flip the middle of its raw data.
    const IMAGE_SECTION_HEADER& text = *reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        &file[nPe + 24 + *reinterpret_cast<const WORD*>(&file[nPe + 20])]);
    ASSERT_STREQ(".text", reinterpret_cast<const char*>(text.Name));
    const size_t NO_FLIP = static_cast<size_t>(-1);
    const struct { const char* pszWhat; size_t nFlip; ptrdiff_t nGrow; } rows[] = {
        { "first byte ('M')",           0, 0 },
        { "middle of the code",         text.PointerToRawData + text.SizeOfRawData / 2, 0 },
        { "first byte of the marker",   m_nDigest - 16, 0 },
        { "first byte of the digest",   m_nDigest, 0 },
        { "last byte of the digest",    m_nDigest + SHA1_DIGEST_SIZE - 1, 0 },
        { "byte after the slot",        m_nDigest + SHA1_DIGEST_SIZE, 0 },
        { "last byte of the file",      nSize - 1, 0 },
        { "one byte appended",          NO_FLIP, 1 },
        { "last byte cut off",          NO_FLIP, -1 },
        { "cut off inside the digest",  NO_FLIP, static_cast<ptrdiff_t>(m_nDigest + 10 - nSize) },
        { "everything cut off (empty)", NO_FLIP, -static_cast<ptrdiff_t>(nSize) },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        Bytes bytes = file;
        if (rows[i].nFlip != NO_FLIP)
            bytes[rows[i].nFlip] ^= 0x01;
        bytes.resize(nSize + rows[i].nGrow, 0);
        std::string strPath = Copy("damaged" + std::to_string(i) + ".exe", bytes);
        EXPECT_FALSE(IsFileIntact(strPath.c_str())) << "row " << i << ": " << rows[i].pszWhat;
    }
    Bytes unstamped = file;
    std::fill_n(unstamped.begin() + m_nDigest, SHA1_DIGEST_SIZE, 0);
    EXPECT_FALSE(IsFileIntact(Copy("unstamped.exe", unstamped).c_str())) << "digest zeroed";
}

// Guards the installer-like build: a stripped program started from a damaged copy of itself reports it.
TEST_F(IntegrityCopies, ProbeRunFromADamagedCopyReportsIt)
{
    Bytes probe = ReadAll(WindowsPathFromHost(TestArgument(1).c_str()));
    size_t nDigest = DigestOffset(probe);
    ASSERT_LE(nDigest + SHA1_DIGEST_SIZE, probe.size());
    EXPECT_EQ(0, RunProgram(Copy("probe.exe", probe), "")) << "an intact copy";
    probe[nDigest + 7] ^= 0x80;     // damage that still lets the loader start it
    EXPECT_EQ(1, RunProgram(Copy("damaged probe.exe", probe), "")) << "a damaged copy";
}

} // namespace

// The digest against the standard's own examples, and at the lengths where the padding
// needs a second block (55, 56 and 64 bytes of message), against digests of Python's hashlib.
TEST(Sha1Digest, MatchesKnownDigests)
{
    const std::string strA64(64, 'a');
    const struct { std::string strMessage; const char* pszHex; } rows[] = {
        { "", "da39a3ee5e6b4b0d3255bfef95601890afd80709" },
        { "abc", "a9993e364706816aba3e25717850c26c9cd0d89d" },
        { "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1" },
        { strA64.substr(0, 55), "c1c8bbdc22796e28c0e15163d20899b65621d65a" },
        { strA64.substr(0, 56), "c2db330f6083854c99d4b5bfb6e8f29f201be699" },
        { strA64, "0098ba824b5c16427bd7a1122a5a442a25ec644d" },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        BYTE digest[SHA1_DIGEST_SIZE];
        Sha1(reinterpret_cast<const BYTE*>(rows[i].strMessage.data()), rows[i].strMessage.size(), digest);
        char szHex[2 * SHA1_DIGEST_SIZE + 1];
        for (int j = 0; j < SHA1_DIGEST_SIZE; ++j)
            sprintf(szHex + 2 * j, "%02x", digest[j]);
        EXPECT_STREQ(rows[i].pszHex, szHex) << "row #" << i << ", " << rows[i].strMessage.size() << " bytes";
    }
}
