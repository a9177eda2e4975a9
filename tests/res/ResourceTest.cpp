// tests/res/ResourceTest.cpp: the installer's resources, linked into this program and read back from it.
#include <gtest/gtest.h>
#include "WineTestSupport.h"
#include "VendorInfo.h"
#include "resource.h"

namespace {

typedef std::vector<BYTE> Bytes;

Bytes RawResource(LPCSTR pszType, UINT nId)
{
    HMODULE hModule = ::GetModuleHandleA(NULL);
    HRSRC hInfo = ::FindResourceExA(hModule, pszType, MAKEINTRESOURCEA(nId),
                                    MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    const BYTE* p = hInfo ? static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hInfo))) : NULL;
    return p ? Bytes(p, p + ::SizeofResource(hModule, hInfo)) : Bytes();
}

// Reads a resource front to back; reading past its end throws, which fails the test.
struct Reader
{
    const Bytes& bytes;
    size_t nPos;
    BYTE Byte() { return bytes.at(nPos++); }
    WORD Word() { BYTE nLow = Byte(); return static_cast<WORD>(nLow | Byte() << 8); }
    short Short() { return static_cast<short>(Word()); }
    DWORD DWord() { DWORD nLow = Word(); return nLow | static_cast<DWORD>(Word()) << 16; }
    // A sz_Or_Ord field: an ordinal comes back as "#n", a UTF-16 string as ASCII ('?' for the rest).
    std::string Text()
    {
        WORD ch = Word();
        if (ch == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string str;
        for (; ch != 0; ch = Word())
            str += ch < 0x80 ? static_cast<char>(ch) : '?';
        return str;
    }
};

// Classes by atom ("#128" button, "#130" static); a text "#n" is the picture resource n.
struct ItemRow { DWORD nStyle; int nId; const char* pszClass; const char* pszText; short x, y, cx, cy; };

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const ItemRow kMainItems[] = {
    { kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 1, "#128", "Continue", 34, 66, 37, 13 },
    { kChild | WS_TABSTOP | BS_PUSHBUTTON, 2, "#128", "Cancel", 99, 66, 36, 13 },
    { kChild | SS_BITMAP | SS_NOTIFY, 1011, "#130", "#129", 156, 33, 70, 49 },
    { kChild | WS_GROUP | SS_LEFT, 1012, "#130", VENDOR_HOME_URL, 69, 33, 83, 8 },
    { kChild | WS_GROUP | SS_LEFT, -1, "#130", "HomePage: ", 23, 33, 42, 8 },
    { kChild | SS_SUNKEN | SS_WHITERECT, -1, "#130", "", 13, 89, 208, 1 },
    { kChild | WS_GROUP | SS_LEFT, -1, "#130", "email: ", 40, 43, 25, 8 },
    { kChild | WS_GROUP | SS_LEFT, 1013, "#130", VENDOR_EMAIL, 69, 43, 84, 8 },
    { kChild | SS_SUNKEN | SS_WHITERECT, -1, "#130", "", 12, 21, 210, 1 },
};
const ItemRow kAboutItems[] = {
    { kChild | SS_ICON, -1, "#130", "#128", 8, 9, 20, 20 },
    { kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX, -1, "#130",
      "Vedaroruzu Dazizar Uvoduza Zivarev Ver.9.0\r\nCopyright (C) 2003 Orvik Netboot Ltd.", 39, 6, 174, 19 },
    { kChild | WS_GROUP | SS_LEFT, 1013, "#130", VENDOR_HOME_URL, 40, 26, 102, 10 },
    { kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 1, "#128", "Ok", 217, 6, 29, 14 },
};

const char kCaption[] = "Velmorath for  Win2003, 2000, XP ";

// The main dialog is an extended template (weight, italic and charset only there), the About box a classic one.
const struct DialogRow
{
    UINT nResource; bool bExtended; DWORD nStyle, nExStyle; short cx, cy; const char* pszCaption;
    WORD nPointSize; BYTE nCharSet; const char* pszFace; const ItemRow* pItems; size_t nItems;
} kDialogs[] = {
    { IDD_INSTALLER_DIALOG, true, 0x90C800C0, WS_EX_APPWINDOW, 231, 102, kCaption, 10, 1, "System",
      kMainItems, sizeof kMainItems / sizeof kMainItems[0] },
    { IDD_ABOUTBOX, false, 0x80C800C0, 0, 253, 45, "About Brantovell", 8, 0, "MS Sans Serif",
      kAboutItems, sizeof kAboutItems / sizeof kAboutItems[0] },
};

// Guards every field of both templates: a style bit, an identifier, a position or a text that drifts.
TEST(DialogTemplates, HoldExactlyTheExpectedFields)
{
    for (size_t d = 0; d < sizeof kDialogs / sizeof kDialogs[0]; ++d)
    {
        const DialogRow& row = kDialogs[d];
        SCOPED_TRACE(testing::Message() << "dialog row #" << d << " (template " << row.nResource << ")");
        Bytes bytes = RawResource(RT_DIALOG, row.nResource);
        ASSERT_FALSE(bytes.empty());
        Reader in = { bytes, 0 };
        if (row.bExtended) { EXPECT_EQ(0xFFFF0001u, in.DWord()) << "dlgVer 1 and signature"; }
        EXPECT_EQ(0u, row.bExtended ? in.DWord() : 0) << "help id";
        DWORD nFirst = in.DWord(), nSecond = in.DWord();
        EXPECT_EQ(row.nStyle, row.bExtended ? nSecond : nFirst);
        EXPECT_EQ(row.nExStyle, row.bExtended ? nFirst : nSecond);
        WORD nItems = in.Word();
        ASSERT_EQ(row.nItems, nItems);
        EXPECT_EQ(0, in.Short()); EXPECT_EQ(0, in.Short());
        EXPECT_EQ(row.cx, in.Short()); EXPECT_EQ(row.cy, in.Short());
        EXPECT_EQ("", in.Text()) << "menu";
        EXPECT_EQ("", in.Text()) << "window class";
        EXPECT_EQ(row.pszCaption, in.Text());
        EXPECT_EQ(row.nPointSize, in.Word());
        if (row.bExtended)
        {
            EXPECT_EQ(0, in.Word()) << "weight";
            EXPECT_EQ(0, in.Byte()) << "italic";
            EXPECT_EQ(row.nCharSet, in.Byte());
        }
        EXPECT_EQ(row.pszFace, in.Text());
        for (size_t i = 0; i < nItems; ++i)
        {
            const ItemRow& item = row.pItems[i];
            SCOPED_TRACE(testing::Message() << "control #" << i);
            in.nPos = (in.nPos + 3) & ~size_t(3);
            EXPECT_EQ(0u, row.bExtended ? in.DWord() : 0) << "help id";
            nFirst = in.DWord(), nSecond = in.DWord();
            EXPECT_EQ(item.nStyle, row.bExtended ? nSecond : nFirst);
            EXPECT_EQ(0u, row.bExtended ? nFirst : nSecond) << "extended style";
            EXPECT_EQ(item.x, in.Short()); EXPECT_EQ(item.y, in.Short());
            EXPECT_EQ(item.cx, in.Short()); EXPECT_EQ(item.cy, in.Short());
            // -1 must fill the field's own width: a DWORD in extended templates.
            EXPECT_EQ(item.nId, row.bExtended ? static_cast<int>(in.DWord()) : in.Short());
            EXPECT_EQ(item.pszClass, in.Text());
            EXPECT_EQ(item.pszText, in.Text());
            EXPECT_EQ(0, in.Word()) << "creation data";
        }
        EXPECT_GE(3u, bytes.size() - in.nPos) << "bytes after the last control";
    }
}

// Guards a resource that windres drops or the system cannot load through the call the program uses.
TEST(Resources, EveryIdentifierLoads)
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    HWND hMain = ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_INSTALLER_DIALOG), NULL, NULL, 0);
    HWND hAbout = ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_ABOUTBOX), NULL, NULL, 0);
    HBITMAP hLogo = ::LoadBitmapA(hInstance, MAKEINTRESOURCEA(IDB_LOGO));
    char szText[64] = "";
    EXPECT_TRUE(hMain != NULL) << "IDD_INSTALLER_DIALOG";
    EXPECT_TRUE(hAbout != NULL) << "IDD_ABOUTBOX";
    EXPECT_EQ(23, ::LoadStringA(hInstance, IDS_ABOUTBOX, szText, sizeof szText));
    EXPECT_STREQ("About Brantovell(&A)...", szText);
    EXPECT_TRUE(::LoadIconA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME)) != NULL) << "IDR_MAINFRAME";
    EXPECT_TRUE(hLogo != NULL) << "IDB_LOGO";
    EXPECT_TRUE(::LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_HAND_CURSOR)) != NULL) << "IDC_HAND_CURSOR";
    ::DeleteObject(hLogo);
    ::DestroyWindow(hAbout);
    ::DestroyWindow(hMain);
}

// Each link lies over its placeholder and paints its text there from the left edge, in the
// placeholder's font underlined: the whole text must fit the placeholder, or its end is cut off.
TEST(Resources, EveryLinkTextFitsItsPlaceholder)
{
    const struct { UINT nDialog; int nPlaceholder; const char* pszText; } links[] = {
        { IDD_INSTALLER_DIALOG, IDC_HOMEPAGE, VENDOR_HOME_URL },
        { IDD_INSTALLER_DIALOG, IDC_EMAIL, VENDOR_EMAIL },
        { IDD_ABOUTBOX, IDC_ABOUT_LINK, VENDOR_HOME_URL },
    };
    for (size_t i = 0; i < sizeof links / sizeof links[0]; ++i)
    {
        HWND hDialog = ::CreateDialogParamA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(links[i].nDialog), NULL, NULL, 0);
        HWND hPlaceholder = ::GetDlgItem(hDialog, links[i].nPlaceholder);
        ASSERT_TRUE(hPlaceholder != NULL) << links[i].pszText;
        LOGFONTA lf;
        ASSERT_EQ(static_cast<int>(sizeof lf), ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hPlaceholder, WM_GETFONT, 0, 0)),
                                                           sizeof lf, &lf));
        lf.lfUnderline = 1;
        HFONT hFont = ::CreateFontIndirectA(&lf);
        HDC hdc = ::GetDC(hPlaceholder);
        HGDIOBJ hOld = ::SelectObject(hdc, hFont);
        SIZE size = { 0, 0 };
        ::GetTextExtentPoint32A(hdc, links[i].pszText, lstrlenA(links[i].pszText), &size);
        ::SelectObject(hdc, hOld);
        ::ReleaseDC(hPlaceholder, hdc);
        ::DeleteObject(hFont);
        RECT rc;
        ::GetClientRect(hPlaceholder, &rc);
        EXPECT_LE(size.cx, rc.right) << "\"" << links[i].pszText << "\" in dialog " << links[i].nDialog << " is "
                                     << size.cx << " pixels wide in " << lf.lfFaceName << ", its link " << rc.right;
        ::DestroyWindow(hDialog);
    }
}

// Guards the pictures' format: icon and cursor 32x32 (their DIB twice as high, for the mask) in 4 and 8 bits,
// the cursor's hot spot (12, 4) on the fingertip (that pixel opaque, the one above it clear), the logo 122x79x24.
TEST(Resources, PicturesHaveTheirSizeDepthAndHotSpot)
{
    const struct { LPCSTR pszGroup, pszType; UINT nId; size_t nHotSpot, nSize; LONG cx, cy; WORD nBits; } rows[] = {
        { RT_GROUP_ICON, RT_ICON, IDR_MAINFRAME, 0, 40 + 16 * 4 + 32 * 16 + 32 * 4, 32, 64, 4 },
        { RT_GROUP_CURSOR, RT_CURSOR, IDC_HAND_CURSOR, 4, 4 + 40 + 256 * 4 + 32 * 32 + 32 * 4, 32, 64, 8 },
        { NULL, RT_BITMAP, IDB_LOGO, 0, 40 + (122 * 3 + 2) * 79, 122, 79, 24 },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row " << i);
        UINT nId = rows[i].nId;
        if (rows[i].pszGroup != NULL)
        {
            Bytes group = RawResource(rows[i].pszGroup, nId);
            ASSERT_EQ(6u + 14, group.size()) << "a group of one image";
            nId = group[18] | group[19] << 8;
        }
        Bytes image = RawResource(rows[i].pszType, nId);
        ASSERT_EQ(rows[i].nSize, image.size());
        const BITMAPINFOHEADER& header = *reinterpret_cast<const BITMAPINFOHEADER*>(&image[rows[i].nHotSpot]);
        EXPECT_EQ(rows[i].cx, header.biWidth);
        EXPECT_EQ(rows[i].cy, header.biHeight);
        EXPECT_EQ(rows[i].nBits, header.biBitCount);
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
    }
    Bytes cursor = RawResource(RT_CURSOR, RawResource(RT_GROUP_CURSOR, IDC_HAND_CURSOR).at(18));
    ASSERT_EQ(rows[1].nSize, cursor.size());
    EXPECT_EQ(0x0004000Cu, *reinterpret_cast<const DWORD*>(&cursor[0])) << "hot spot (12, 4)";
    // The AND mask is the last 128 bytes, rows bottom-up, 4 bytes each, 1 = clear; (12, y) is bit 3 of byte 1.
    EXPECT_EQ(0, cursor[cursor.size() - 128 + (31 - 4) * 4 + 1] >> 3 & 1) << "pixel (12, 4)";
    EXPECT_EQ(1, cursor[cursor.size() - 128 + (31 - 3) * 4 + 1] >> 3 & 1) << "pixel (12, 3)";
}

// Guards the version block as the system reads it from this program's file.
TEST(Resources, VersionBlockHoldsItsNumbersAndStrings)
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, sizeof szPath);
    Bytes block(::GetFileVersionInfoSizeA(szPath, NULL));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(szPath, 0, block.size(), &block[0]));
    auto query = [&block](const std::string& strKey) -> const void* {
        void* p = NULL;
        UINT nLength = 0;
        return ::VerQueryValueA(&block[0], strKey.c_str(), &p, &nLength) ? p : NULL;
    };
    const VS_FIXEDFILEINFO* pFixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\"));
    const DWORD* pTranslation = static_cast<const DWORD*>(query("\\VarFileInfo\\Translation"));
    ASSERT_TRUE(pFixed != NULL && pTranslation != NULL);
    EXPECT_EQ(0x00090000u, pFixed->dwFileVersionMS);
    EXPECT_EQ(0x00090000u, pFixed->dwProductVersionMS);
    EXPECT_EQ(0u, pFixed->dwFileVersionLS | pFixed->dwProductVersionLS);
    EXPECT_EQ(0x04B00409u, *pTranslation) << "US English, Unicode";
    const struct { const char* pszName; const char* pszValue; } strings[] = {
        { "CompanyName", "Orvik Netboot Ltd." },
        { "FileDescription", "Vedaroruzu Dazizar Uvoduza Zivarev Ver.9.0" },
        { "FileVersion", "9, 0, 0, 0" },
        { "InternalName", "Brantovell" },
        { "LegalCopyright", "Copyright (C) 2003 Orvik Netboot Ltd." },
        { "OriginalFilename", "Brantovell.exe" },
        { "ProductName", kCaption },
        { "ProductVersion", "9, 0, 0, 0" },
        { "Comments", "" },                 // one of the four values that are present but empty
    };
    for (size_t i = 0; i < sizeof strings / sizeof strings[0]; ++i)
        EXPECT_STREQ(strings[i].pszValue, static_cast<const char*>(
            query(std::string("\\StringFileInfo\\040904b0\\") + strings[i].pszName))) << "string " << i;
}

// A system-menu command must leave the low four bits to the system and stay below SC_SIZE.
static_assert((IDM_ABOUTBOX & 0x000F) == 0 && IDM_ABOUTBOX < 0xF000, "bad system-menu command");

} // namespace
