// tests/res/ResourceTest.cpp: the installer's resources, linked into this program and read back from it.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "WineTestSupport.h"
#include "VendorInfo.h"
#include "resource.h"

namespace {

const WORD kLangUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The raw bytes of one resource of this module, or an empty vector.
std::vector<BYTE> RawResource(LPCSTR pszType, UINT nId)
{
    std::vector<BYTE> bytes;
    HMODULE hModule = ::GetModuleHandleA(NULL);
    HRSRC hInfo = ::FindResourceExA(hModule, pszType, MAKEINTRESOURCEA(nId), kLangUs);
    if (hInfo == NULL)
        return bytes;
    const BYTE* pData = static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hInfo)));
    if (pData != NULL)
        bytes.assign(pData, pData + ::SizeofResource(hModule, hInfo));
    return bytes;
}

// Reads a resource front to back; reading past its end sets the overrun flag and yields zeros.
class Reader
{
public:
    explicit Reader(const std::vector<BYTE>& bytes) : m_bytes(bytes), m_nPos(0), m_bOverrun(false) {}

    WORD Word() { return static_cast<WORD>(Byte() | Byte() << 8); }
    DWORD DWord() { DWORD nLow = Word(); return nLow | static_cast<DWORD>(Word()) << 16; }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte()
    {
        if (m_nPos >= m_bytes.size()) { m_bOverrun = true; return 0; }
        return m_bytes[m_nPos++];
    }
    void AlignDWord() { while (m_nPos % 4) Byte(); }

    // A sz_Or_Ord field: 0xFFFF and an ordinal, or a NUL-terminated UTF-16 string (ASCII here,
    // anything else shows up as '?').
    std::string SzOrOrd(WORD* pnOrdinal)
    {
        *pnOrdinal = 0;
        WORD nFirst = Word();
        if (nFirst == 0xFFFF) { *pnOrdinal = Word(); return ""; }
        std::string str;
        for (WORD ch = nFirst; ch != 0 && !m_bOverrun; ch = Word())
            str += ch < 0x80 ? static_cast<char>(ch) : '?';
        return str;
    }

    size_t Left() const { return m_nPos < m_bytes.size() ? m_bytes.size() - m_nPos : 0; }
    bool Overrun() const { return m_bOverrun; }

private:
    const std::vector<BYTE>& m_bytes;
    size_t m_nPos;
    bool m_bOverrun;
};

// One control as a template must hold it. A NULL text means the ordinal nTextOrdinal.
struct ItemRow
{
    DWORD nStyle;
    int nId;
    WORD nClassAtom;          // 0x0080 button, 0x0082 static
    const char* pszText;
    WORD nTextOrdinal;
    short x, y, cx, cy;
};

struct DialogRow
{
    UINT nResource;
    bool bExtended;
    DWORD nStyle, nExStyle;
    short x, y, cx, cy;
    const char* pszCaption;
    WORD nPointSize, nWeight;
    BYTE nItalic, nCharSet;   // extended templates only
    const char* pszFace;
    const ItemRow* pItems;
    size_t nItems;
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;

const ItemRow kMainItems[] =
{
    { kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 1, 0x80, "Continue", 0, 34, 66, 37, 13 },
    { kChild | WS_TABSTOP | BS_PUSHBUTTON, 2, 0x80, "Cancel", 0, 99, 66, 36, 13 },
    { kChild | SS_BITMAP | SS_NOTIFY, 1011, 0x82, NULL, 129, 156, 33, 70, 49 },
    { kChild | WS_GROUP | SS_LEFT, 1012, 0x82, VENDOR_HOME_URL, 0, 69, 33, 83, 8 },
    { kChild | WS_GROUP | SS_LEFT, -1, 0x82, "HomePage: ", 0, 23, 33, 42, 8 },
    { kChild | SS_SUNKEN | SS_WHITERECT, -1, 0x82, "", 0, 13, 89, 208, 1 },
    { kChild | WS_GROUP | SS_LEFT, -1, 0x82, "email: ", 0, 40, 43, 25, 8 },
    { kChild | WS_GROUP | SS_LEFT, 1013, 0x82, VENDOR_EMAIL, 0, 69, 43, 84, 8 },
    { kChild | SS_SUNKEN | SS_WHITERECT, -1, 0x82, "", 0, 12, 21, 210, 1 },
};

const char kDescription[] =
    "Vedaroruzu Dazizar Uvoduza Zivarev Ver.9.0\r\nCopyright (C) 2003 Orvik Netboot Ltd.";

const ItemRow kAboutItems[] =
{
    { kChild | SS_ICON, -1, 0x82, NULL, 128, 8, 9, 20, 20 },
    { kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX, -1, 0x82, kDescription, 0, 39, 6, 174, 19 },
    { kChild | WS_GROUP | SS_LEFT, 1013, 0x82, VENDOR_HOME_URL, 0, 40, 26, 102, 10 },
    { kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 1, 0x80, "Ok", 0, 217, 6, 29, 14 },
};

const char kCaption[] = "Velmorath for  Win2003, 2000, XP ";

const DialogRow kDialogs[] =
{
    { 102, true, 0x90C800C0, WS_EX_APPWINDOW, 0, 0, 231, 102, kCaption, 10, 0, 0, 1, "System",
      kMainItems, sizeof kMainItems / sizeof kMainItems[0] },
    { 100, false, 0x80C800C0, 0, 0, 0, 253, 45, "About Brantovell", 8, 0, 0, 0, "MS Sans Serif",
      kAboutItems, sizeof kAboutItems / sizeof kAboutItems[0] },
};

// Each template, field by field: DLGTEMPLATEEX or DLGTEMPLATE, then every DLGITEMTEMPLATE(EX).
TEST(DialogTemplates, HoldExactlyTheExpectedFields)
{
    for (size_t d = 0; d < sizeof kDialogs / sizeof kDialogs[0]; ++d)
    {
        const DialogRow& row = kDialogs[d];
        SCOPED_TRACE(testing::Message() << "dialog row #" << d << " (template " << row.nResource << ")");
        std::vector<BYTE> bytes = RawResource(RT_DIALOG, row.nResource);
        ASSERT_FALSE(bytes.empty());
        Reader in(bytes);
        DWORD nStyle, nExStyle;
        if (row.bExtended)
        {
            EXPECT_EQ(1, in.Word());                // dlgVer
            EXPECT_EQ(0xFFFF, in.Word());           // signature
            EXPECT_EQ(0u, in.DWord());              // helpID
            nExStyle = in.DWord();
            nStyle = in.DWord();
        }
        else
        {
            nStyle = in.DWord();
            nExStyle = in.DWord();
            EXPECT_NE(0xFFFF0001u, nStyle) << "an extended template where a classic one belongs";
        }
        EXPECT_EQ(row.nStyle, nStyle);
        EXPECT_EQ(row.nExStyle, nExStyle);
        WORD nItems = in.Word();
        EXPECT_EQ(row.nItems, nItems);
        EXPECT_EQ(row.x, in.Short());
        EXPECT_EQ(row.y, in.Short());
        EXPECT_EQ(row.cx, in.Short());
        EXPECT_EQ(row.cy, in.Short());
        WORD nOrdinal;
        EXPECT_EQ("", in.SzOrOrd(&nOrdinal)) << "menu";
        EXPECT_EQ(0, nOrdinal) << "menu";
        EXPECT_EQ("", in.SzOrOrd(&nOrdinal)) << "window class";
        EXPECT_EQ(0, nOrdinal) << "window class";
        EXPECT_EQ(row.pszCaption, in.SzOrOrd(&nOrdinal));
        EXPECT_EQ(row.nPointSize, in.Word());
        if (row.bExtended)
        {
            EXPECT_EQ(row.nWeight, in.Word());
            EXPECT_EQ(row.nItalic, in.Byte());
            EXPECT_EQ(row.nCharSet, in.Byte());
        }
        EXPECT_EQ(row.pszFace, in.SzOrOrd(&nOrdinal));

        for (size_t i = 0; i < nItems && i < row.nItems; ++i)
        {
            const ItemRow& item = row.pItems[i];
            SCOPED_TRACE(testing::Message() << "control #" << i);
            in.AlignDWord();
            int nId;
            if (row.bExtended)
            {
                EXPECT_EQ(0u, in.DWord());          // helpID
                nExStyle = in.DWord();
                nStyle = in.DWord();
            }
            else
            {
                nStyle = in.DWord();
                nExStyle = in.DWord();
            }
            EXPECT_EQ(item.nStyle, nStyle);
            EXPECT_EQ(0u, nExStyle);
            EXPECT_EQ(item.x, in.Short());
            EXPECT_EQ(item.y, in.Short());
            EXPECT_EQ(item.cx, in.Short());
            EXPECT_EQ(item.cy, in.Short());
            // -1 must come out as -1 in the field's own width: a DWORD in extended templates.
            nId = row.bExtended ? static_cast<int>(in.DWord()) : static_cast<short>(in.Word());
            EXPECT_EQ(item.nId, nId);
            EXPECT_EQ("", in.SzOrOrd(&nOrdinal)) << "class given by name, not by atom";
            EXPECT_EQ(item.nClassAtom, nOrdinal);
            std::string strText = in.SzOrOrd(&nOrdinal);
            EXPECT_EQ(item.pszText ? item.pszText : "", strText);
            EXPECT_EQ(item.nTextOrdinal, nOrdinal);
            EXPECT_EQ(0, in.Word()) << "creation data";
        }
        EXPECT_FALSE(in.Overrun());
        EXPECT_GE(3u, in.Left()) << "bytes after the last control";
    }
}

// The dialog manager builds both dialogs from the templates, and each control that the code
// looks up by its identifier is there, with its picture loaded where it shows one.
TEST(DialogTemplates, CreateDialogsWithTheirControlsAndPictures)
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    HWND hMain = ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_INSTALLER_DIALOG), NULL, NULL, 0);
    HWND hAbout = ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_ABOUTBOX), NULL, NULL, 0);
    ASSERT_TRUE(hMain != NULL && hAbout != NULL);
    struct { HWND hDlg; int nControl; const char* pszClass; UINT nGetImage; WPARAM nType; } const checks[] =
    {
        { hMain, IDC_LOGO, "Static", STM_GETIMAGE, IMAGE_BITMAP },
        { hMain, IDC_HOMEPAGE, "Static", 0, 0 },
        { hMain, IDC_EMAIL, "Static", 0, 0 },
        { hMain, IDOK, "Button", 0, 0 },
        { hMain, IDCANCEL, "Button", 0, 0 },
        { hAbout, IDC_ABOUT_LINK, "Static", 0, 0 },
        { hAbout, IDOK, "Button", 0, 0 },
        { hAbout, 0, "Static", STM_GETICON, 0 },       // the icon: no identifier, first child
    };
    for (size_t i = 0; i < sizeof checks / sizeof checks[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i);
        HWND hControl = checks[i].nControl ? ::GetDlgItem(checks[i].hDlg, checks[i].nControl)
                                           : ::GetWindow(checks[i].hDlg, GW_CHILD);
        char szClass[32] = "";
        ::GetClassNameA(hControl, szClass, sizeof szClass);
        EXPECT_STRCASEEQ(checks[i].pszClass, szClass);
        if (checks[i].nGetImage)
        {
            EXPECT_TRUE(::SendMessageA(hControl, checks[i].nGetImage, checks[i].nType, 0) != 0);
        }
    }
    ::DestroyWindow(hAbout);
    ::DestroyWindow(hMain);
}

TEST(Resources, StringOfTheAboutEntry)
{
    char szText[64] = "";
    EXPECT_EQ(23, ::LoadStringA(::GetModuleHandleA(NULL), IDS_ABOUTBOX, szText, sizeof szText));
    EXPECT_STREQ("About Brantovell(&A)...", szText);
}

// The group entry of an icon or cursor, and the image it names, for a group with one image.
struct GroupImage
{
    std::vector<BYTE> entry;      // the 14-byte GRPICONDIRENTRY
    std::vector<BYTE> image;      // the RT_ICON or RT_CURSOR data
};

GroupImage LoadGroupImage(LPCSTR pszGroupType, LPCSTR pszImageType, UINT nGroup, WORD nDirType)
{
    GroupImage result;
    std::vector<BYTE> group = RawResource(pszGroupType, nGroup);
    Reader in(group);
    EXPECT_EQ(0, in.Word());
    EXPECT_EQ(nDirType, in.Word());
    EXPECT_EQ(1, in.Word()) << "images in the group";
    if (group.size() != 6 + 14)
    {
        ADD_FAILURE() << "group of " << group.size() << " bytes";
        return result;
    }
    result.entry.assign(group.begin() + 6, group.end());
    WORD nImage = static_cast<WORD>(result.entry[12] | result.entry[13] << 8);
    result.image = RawResource(pszImageType, nImage);
    DWORD nBytes = *reinterpret_cast<const DWORD*>(&result.entry[8]);
    EXPECT_EQ(nBytes, result.image.size());
    return result;
}

// 32x32, 16 colours: the DIB inside is 4 bpp, twice as high for its mask.
TEST(Resources, IconIs32By32In16Colours)
{
    GroupImage icon = LoadGroupImage(RT_GROUP_ICON, RT_ICON, IDR_MAINFRAME, 1);
    ASSERT_EQ(14u, icon.entry.size());
    EXPECT_EQ(32, icon.entry[0]);
    EXPECT_EQ(32, icon.entry[1]);
    EXPECT_EQ(16, icon.entry[2]);
    ASSERT_EQ(40u + 16 * 4 + 32 * 16 + 32 * 4, icon.image.size());
    const BITMAPINFOHEADER* pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(&icon.image[0]);
    EXPECT_EQ(32, pHeader->biWidth);
    EXPECT_EQ(64, pHeader->biHeight);
    EXPECT_EQ(4, pHeader->biBitCount);

    HICON hIcon = ::LoadIconA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_TRUE(hIcon != NULL);
    ICONINFO info;
    ASSERT_TRUE(::GetIconInfo(hIcon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP bm;
    ASSERT_TRUE(::GetObjectA(info.hbmColor, sizeof bm, &bm));
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_EQ(32, bm.bmHeight);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

// 32x32, 256 colours, hot spot (12, 4) on the very tip of the finger: that pixel is opaque,
// the one above it is transparent.
TEST(Resources, CursorIsA256ColourHandWithItsHotSpotOnTheFingertip)
{
    GroupImage cursor = LoadGroupImage(RT_GROUP_CURSOR, RT_CURSOR, IDC_HAND_CURSOR, 2);
    ASSERT_EQ(4u + 40 + 256 * 4 + 32 * 32 + 32 * 4, cursor.image.size());
    Reader in(cursor.image);
    EXPECT_EQ(12, in.Word());
    EXPECT_EQ(4, in.Word());
    const BITMAPINFOHEADER* pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(&cursor.image[4]);
    EXPECT_EQ(32, pHeader->biWidth);
    EXPECT_EQ(64, pHeader->biHeight);
    EXPECT_EQ(8, pHeader->biBitCount);
    // The AND mask is the last 128 bytes, rows bottom-up, 4 bytes each, 1 = transparent.
    const BYTE* pMask = &cursor.image[cursor.image.size() - 128];
    struct { int x, y; bool bTransparent; } const pixels[] = { { 12, 4, false }, { 12, 3, true } };
    for (size_t i = 0; i < sizeof pixels / sizeof pixels[0]; ++i)
    {
        int x = pixels[i].x, y = pixels[i].y;
        bool bTransparent = (pMask[(31 - y) * 4 + x / 8] >> (7 - x % 8) & 1) != 0;
        EXPECT_EQ(pixels[i].bTransparent, bTransparent) << "pixel (" << x << ", " << y << ")";
    }

    HCURSOR hCursor = ::LoadCursorA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    ASSERT_TRUE(hCursor != NULL);
    ICONINFO info;
    ASSERT_TRUE(::GetIconInfo(hCursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(12u, info.xHotspot);
    EXPECT_EQ(4u, info.yHotspot);
    BITMAP bm;
    ASSERT_TRUE(::GetObjectA(info.hbmColor, sizeof bm, &bm)) << "no colour image";
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_EQ(32, bm.bmHeight);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

TEST(Resources, LogoIs122By79In24Bits)
{
    std::vector<BYTE> raw = RawResource(RT_BITMAP, IDB_LOGO);
    ASSERT_EQ(40u + (122 * 3 + 2) * 79, raw.size());
    const BITMAPINFOHEADER* pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(&raw[0]);
    EXPECT_EQ(122, pHeader->biWidth);
    EXPECT_EQ(79, pHeader->biHeight);
    EXPECT_EQ(24, pHeader->biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), pHeader->biCompression);

    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(NULL),
        MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(hBitmap != NULL);
    DIBSECTION dib;
    ASSERT_EQ(static_cast<int>(sizeof dib), ::GetObjectA(hBitmap, sizeof dib, &dib));
    EXPECT_EQ(122, dib.dsBm.bmWidth);
    EXPECT_EQ(79, dib.dsBm.bmHeight);
    EXPECT_EQ(24, dib.dsBm.bmBitsPixel);
    ::DeleteObject(hBitmap);
}

// The version block as the system reads it from this program's file.
TEST(Resources, VersionBlockHoldsEveryField)
{
    char szPath[MAX_PATH] = "";
    ASSERT_NE(0u, ::GetModuleFileNameA(NULL, szPath, sizeof szPath));
    DWORD nHandle = 0;
    DWORD nSize = ::GetFileVersionInfoSizeA(szPath, &nHandle);
    ASSERT_NE(0u, nSize);
    std::vector<BYTE> block(nSize);
    ASSERT_TRUE(::GetFileVersionInfoA(szPath, 0, nSize, &block[0]));

    VS_FIXEDFILEINFO* pFixed = NULL;
    UINT nLength = 0;
    ASSERT_TRUE(::VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&pFixed), &nLength));
    ASSERT_EQ(sizeof *pFixed, nLength);
    EXPECT_EQ(0xFEEF04BDu, pFixed->dwSignature);
    EXPECT_EQ(0x00090000u, pFixed->dwFileVersionMS);
    EXPECT_EQ(0u, pFixed->dwFileVersionLS);
    EXPECT_EQ(0x00090000u, pFixed->dwProductVersionMS);
    EXPECT_EQ(0u, pFixed->dwProductVersionLS);
    EXPECT_EQ(0u, pFixed->dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), pFixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), pFixed->dwFileType);

    WORD* pTranslation = NULL;
    ASSERT_TRUE(::VerQueryValueA(&block[0], "\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&pTranslation), &nLength));
    ASSERT_EQ(4u, nLength);
    EXPECT_EQ(0x0409, pTranslation[0]);
    EXPECT_EQ(1200, pTranslation[1]);

    struct { const char* pszName; const char* pszValue; } const strings[] =
    {
        { "Comments", "" },
        { "CompanyName", "Orvik Netboot Ltd." },
        { "FileDescription", "Vedaroruzu Dazizar Uvoduza Zivarev Ver.9.0" },
        { "FileVersion", "9, 0, 0, 0" },
        { "InternalName", "Brantovell" },
        { "LegalCopyright", "Copyright (C) 2003 Orvik Netboot Ltd." },
        { "LegalTrademarks", "" },
        { "OriginalFilename", "Brantovell.exe" },
        { "PrivateBuild", "" },
        { "ProductName", kCaption },
        { "ProductVersion", "9, 0, 0, 0" },
        { "SpecialBuild", "" },
    };
    for (size_t i = 0; i < sizeof strings / sizeof strings[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "string #" << i << " " << strings[i].pszName);
        std::string strKey = std::string("\\StringFileInfo\\040904b0\\") + strings[i].pszName;
        char* pszValue = NULL;
        ASSERT_TRUE(::VerQueryValueA(&block[0], strKey.c_str(), reinterpret_cast<void**>(&pszValue),
                                     &nLength));
        EXPECT_STREQ(strings[i].pszValue, pszValue);
    }
}

// Every identifier of resource.h that names a resource finds one of the right type, and no two
// resources of one type share a number by mistake.
TEST(Resources, EveryResourceIdentifierLoads)
{
    struct { const char* pszName; LPCSTR pszType; UINT nId; } const ids[] =
    {
        { "IDD_ABOUTBOX", RT_DIALOG, IDD_ABOUTBOX },
        { "IDD_INSTALLER_DIALOG", RT_DIALOG, IDD_INSTALLER_DIALOG },
        { "IDS_ABOUTBOX", RT_STRING, IDS_ABOUTBOX / 16 + 1 },   // string tables hold 16 each
        { "IDR_MAINFRAME", RT_GROUP_ICON, IDR_MAINFRAME },
        { "IDB_LOGO", RT_BITMAP, IDB_LOGO },
        { "IDC_HAND_CURSOR", RT_GROUP_CURSOR, IDC_HAND_CURSOR },
    };
    for (size_t i = 0; i < sizeof ids / sizeof ids[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i << " " << ids[i].pszName);
        EXPECT_FALSE(RawResource(ids[i].pszType, ids[i].nId).empty());
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(ids[i].pszType == ids[j].pszType && ids[i].nId == ids[j].nId)
                << "same number as " << ids[j].pszName;
    }
}

// A system-menu command must leave the low four bits to the system and stay below SC_SIZE.
static_assert((IDM_ABOUTBOX & 0x000F) == 0 && IDM_ABOUTBOX < 0xF000, "bad system-menu command");

} // namespace
