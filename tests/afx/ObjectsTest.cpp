// tests/afx/ObjectsTest.cpp: CString, CFont, CDC's font selection, CMenu, classes, resources, WinMain.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>
#include "AfxTestSupport.h"
#include "AfxTestResource.h"
#include "WineTestSupport.h"

namespace {

TEST(CStringTest, CopiesAssignsAppendsAndLoads)
{
    CString strA("abc");
    CString strCopy(strA);
    strA += "def";
    EXPECT_STREQ("abc", strCopy) << "a copy shares its buffer";
    EXPECT_STREQ("abcdef", strA);
    EXPECT_EQ(6, strA.GetLength());

    strA = strA;                                    // itself
    EXPECT_STREQ("abcdef", strA);
    strA = static_cast<LPCSTR>(strA) + 3;           // its own tail
    EXPECT_STREQ("def", strA);
    strA += strA;                                   // itself, appended
    EXPECT_STREQ("defdef", strA);
    strA += NULL;
    strA += "";
    EXPECT_EQ(6, strA.GetLength());

    CString strEmpty(static_cast<LPCSTR>(NULL));
    EXPECT_TRUE(strEmpty.IsEmpty());
    EXPECT_STREQ("", strEmpty);
    strCopy = strEmpty;
    EXPECT_TRUE(strCopy.IsEmpty());

    CString strLoaded("old");
    EXPECT_TRUE(strLoaded.LoadString(IDS_TEST));
    EXPECT_STREQ("afx test string", strLoaded);
    EXPECT_FALSE(strLoaded.LoadString(IDS_TEST_MISSING));
    EXPECT_TRUE(strLoaded.IsEmpty());
}

// The destructor deletes the font; a second Create keeps the first font; a temporary for
// the font a DC had selected lets it be selected back and never deletes it.
TEST(FontTest, OwnsItsFontAndNeverTheDCsOne)
{
    HFONT hCreated;
    {
        CFont font;
        EXPECT_FALSE(font.DeleteObject());
        EXPECT_FALSE(font.Attach(NULL));
        ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                                    FF_SWISS, "Arial"));
        hCreated = font;
        LOGFONTA lf;
        ASSERT_EQ(static_cast<int>(sizeof lf), ::GetObjectA(hCreated, sizeof lf, &lf));
        EXPECT_EQ(FW_BOLD, lf.lfWeight);
        EXPECT_EQ(1, lf.lfUnderline);
        EXPECT_FALSE(font.CreateFontIndirect(&lf));
        EXPECT_EQ(hCreated, font.m_hObject);
    }
    EXPECT_EQ(0u, ::GetObjectType(hCreated)) << "the destructor left the font";

    HDC hDC = ::CreateCompatibleDC(NULL);
    LOGFONTA lf = {};
    lf.lfHeight = -10;
    HFONT hTheirs = ::CreateFontIndirectA(&lf);
    HGDIOBJ hStock = ::SelectObject(hDC, hTheirs);
    {
        CObject* pMark = CObject::GetTemporaryMark();
        CDC dc;
        dc.m_hDC = hDC;
        CFont ours;
        ASSERT_TRUE(ours.CreateFontIndirect(&lf));
        CFont* pOld = dc.SelectObject(&ours);
        ASSERT_NE(nullptr, pOld);
        EXPECT_EQ(hTheirs, pOld->m_hObject);
        EXPECT_EQ(ours.m_hObject, ::GetCurrentObject(hDC, OBJ_FONT));
        dc.SelectObject(pOld);
        EXPECT_EQ(hTheirs, ::GetCurrentObject(hDC, OBJ_FONT));
        CObject::DeleteTemporaries(pMark);
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(hTheirs)) << "a temporary deleted the DC's font";
    ::SelectObject(hDC, hStock);
    ::DeleteObject(hTheirs);
    ::DeleteDC(hDC);
}

// The system menu comes as a temporary that appends items and never destroys the menu.
TEST(MenuTest, SystemMenuIsTemporaryAndSurvives)
{
    CHostWindow host(100, 100, 200, 100, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(host));
    CObject* pMark = CObject::GetTemporaryMark();
    CMenu* pMenu = wnd.GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, pMenu);
    HMENU hMenu = pMenu->m_hMenu;
    int nItems = ::GetMenuItemCount(hMenu);
    EXPECT_TRUE(pMenu->AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(pMenu->AppendMenu(MF_STRING, 0x0010, "About"));
    CObject::DeleteTemporaries(pMark);
    EXPECT_TRUE(::IsMenu(hMenu));
    EXPECT_EQ(nItems + 2, ::GetMenuItemCount(::GetSystemMenu(host, FALSE)));
    char szItem[16] = "";
    ::GetMenuStringA(::GetSystemMenu(host, FALSE), 0x0010, szItem, sizeof szItem, MF_BYCOMMAND);
    EXPECT_STREQ("About", szItem);
    EXPECT_EQ(nullptr, wnd.GetSystemMenu(TRUE));    // reverting gives no menu
    wnd.Detach();
}

// A class registered before, by this function or directly, counts as success.
TEST(RegisterClassTest, SecondRegistrationSucceeds)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = "AfxTestTwice";
    WNDCLASSA info;
    EXPECT_FALSE(::GetClassInfoA(wc.hInstance, wc.lpszClassName, &info));
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(::GetClassInfoA(wc.hInstance, wc.lpszClassName, &info));
    EXPECT_TRUE(AfxRegisterClass(&wc));

    wc.lpszClassName = "AfxTestDirect";
    ASSERT_NE(0, ::RegisterClassA(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc));
    wc.lpszClassName = "";
    EXPECT_FALSE(AfxRegisterClass(&wc));
}

// Icons and cursors come from the program's own resources, not the system's.
TEST(AppTest, LoadsIconsAndCursorsFromTheProgram)
{
    EXPECT_EQ(&theTestApp, AfxGetApp());
    EXPECT_EQ(::GetModuleHandleA(NULL), AfxGetInstanceHandle());
    EXPECT_NE(nullptr, theTestApp.LoadIcon(IDI_TEST));
    EXPECT_NE(nullptr, theTestApp.LoadCursor(IDC_TEST_CURSOR));
    EXPECT_EQ(nullptr, theTestApp.LoadIcon(32512)) << "IDI_APPLICATION came from the system";
    EXPECT_EQ(nullptr, theTestApp.LoadCursor(32512)) << "IDC_ARROW came from the system";
    EXPECT_TRUE(theTestApp.Enable3dControls());
}

// A real -mwindows program built as the product is: the framework's WinMain comes from the
// static library, runs InitInstance with the program's instance, and ends with exit code 0;
// with FALSE no message loop runs (a posted message stays queued), with TRUE the loop runs
// until WM_QUIT.
TEST(AppTest, WinMainRunsInitInstanceAndEndsWithZero)
{
    static const char* const modes[] = { "false", "loop" };
    static const char* const expected[] = { "init ok;no loop;exit", "init ok;loop ran;exit" };
    std::string strMarker = WindowsPathFromHost(TestArgument(1).c_str()) + ".marker";
    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE(modes[i]);
        ::DeleteFileA(strMarker.c_str());
        ScopedEnv env("AFX_PROBE_MARKER", strMarker.c_str());
        EXPECT_EQ(0, RunProgram("\"" + WindowsPathFromHost(TestArgument(1).c_str()) + "\" " + modes[i]));
        std::ifstream marker(strMarker.c_str());
        std::stringstream content;
        content << marker.rdbuf();
        EXPECT_EQ(expected[i], content.str());
    }
    ::DeleteFileA(strMarker.c_str());
}

} // namespace
