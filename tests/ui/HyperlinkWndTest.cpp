// tests/ui/HyperlinkWndTest.cpp: the link control in this process, where its capture can be watched.
#include <gtest/gtest.h>
#include "HyperlinkWnd.h"
#include "WineTestSupport.h"

namespace {

const COLORREF crHover = RGB(255, 0, 0), crNormal = RGB(0, 0, 255), crBack = RGB(192, 192, 192);

// A top-level window with a static placeholder and a link laid over it, as a dialog has.
class LinkFixture : public testing::Test
{
protected:
    void SetUp()
    {
        m_hParent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 100, 100, 300, 120,
                                    NULL, NULL, NULL, NULL);
        HWND hStatic = CreateWindowExA(0, "STATIC", "placeholder", WS_CHILD | WS_VISIBLE, 20, 30, 150, 20,
                                       m_hParent, (HMENU)1013, NULL, NULL);
        SendMessageA(hStatic, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
        m_placeholder.Attach(hStatic);
        m_link.SetLinkColors(crHover, crNormal, crBack);
        m_link.SetLinkText("http://www.example.com/");
        m_link.SetUnderline(TRUE);
        m_link.SetLinkURL("http://www.example.com/clicked");
        ASSERT_TRUE(m_link.CreateOverPlaceholder(&m_placeholder, 102));
        UpdateWindow(m_hParent);
    }
    void TearDown()
    {
        ReleaseCapture();
        m_link.DestroyWindow();
        m_placeholder.Detach();
        DestroyWindow(m_hParent);
    }
    // Counts pixels of exactly one colour in the link, as painted now.
    int PixelsOf(COLORREF cr)
    {
        RedrawWindow(m_link.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC hdc = GetDC(m_link.m_hWnd);
        RECT rc;
        GetClientRect(m_link.m_hWnd, &rc);
        int n = 0;
        for (int y = 0; y < rc.bottom; ++y)
            for (int x = 0; x < rc.right; ++x)
                n += GetPixel(hdc, x, y) == cr;
        ReleaseDC(m_link.m_hWnd, hdc);
        return n;
    }
    void MoveTo(int x, int y) { SendMessageA(m_link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    HWND m_hParent;
    CStatic m_placeholder;
    CHyperlinkWnd m_link;
};

// The link lies exactly over its placeholder, with the identifier it was given.
TEST_F(LinkFixture, LiesOverThePlaceholder)
{
    RECT rcLink, rcPlaceholder;
    GetWindowRect(m_link.m_hWnd, &rcLink);
    GetWindowRect(m_placeholder.m_hWnd, &rcPlaceholder);
    EXPECT_TRUE(EqualRect(&rcLink, &rcPlaceholder));
    EXPECT_EQ(102, GetDlgCtrlID(m_link.m_hWnd));
    EXPECT_EQ(WS_CHILD | WS_VISIBLE, GetWindowLongA(m_link.m_hWnd, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_TABSTOP));
}

// A move inside lights the link and takes the capture; the right and bottom edges count as
// outside, and a move there puts the normal colour back and gives the capture up.
TEST_F(LinkFixture, HoverFollowsTheRectangleWithItsEdges)
{
    RECT rc;
    GetClientRect(m_link.m_hWnd, &rc);
    EXPECT_GT(PixelsOf(crNormal), 10) << "blue before any move";
    const struct { int x, y; bool bInside; } moves[] = {
        { 0, 0, true }, { rc.right - 1, rc.bottom - 1, true }, { rc.right, 5, false },
        { 5, 5, true }, { 5, rc.bottom, false }, { -1, 5, false },
    };
    for (size_t i = 0; i < sizeof moves / sizeof moves[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "move #" << i);
        MoveTo(moves[i].x, moves[i].y);
        EXPECT_EQ(moves[i].bInside, GetCapture() == m_link.m_hWnd);
        EXPECT_EQ(moves[i].bInside, PixelsOf(crHover) > 10);
        EXPECT_EQ(!moves[i].bInside, PixelsOf(crNormal) > 10);
    }
}

// When another window takes the mouse while the link is lit (a button being pressed, a
// menu), the link goes back to normal and leaves the capture with that window.
TEST_F(LinkFixture, AnotherWindowTakingTheCaptureKeepsIt)
{
    HWND hButton = CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, 200, 30, 50, 20, m_hParent,
                                   (HMENU)1, NULL, NULL);
    MoveTo(5, 5);
    ASSERT_EQ(m_link.m_hWnd, GetCapture());
    SetCapture(hButton);
    EXPECT_EQ(hButton, GetCapture()) << "the link took the capture away from the window that took it";
    EXPECT_GT(PixelsOf(crNormal), 10);
    EXPECT_EQ(0, PixelsOf(crHover));
    ReleaseCapture();
    DestroyWindow(hButton);
}

// Each release opens the URL once, wherever the press was; a press alone opens nothing.
TEST_F(LinkFixture, EveryReleaseOpensTheURLOnce)
{
    UrlLog::Clear();
    SendMessageA(m_link.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(UrlLog::WaitFor(0).empty());
    SendMessageA(m_link.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(m_link.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    std::vector<std::string> urls = UrlLog::WaitFor(2);
    ASSERT_EQ(2u, urls.size());
    EXPECT_EQ("http://www.example.com/clicked", urls[0]);
    EXPECT_EQ(urls[0], urls[1]);
}

} // namespace
