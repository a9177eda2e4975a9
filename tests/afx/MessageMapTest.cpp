// tests/afx/MessageMapTest.cpp: routing, argument cracking, default processing, binding and unbinding.
#include <gtest/gtest.h>
#include <sstream>
#include "AfxTestSupport.h"

namespace {

const UINT ID_TEST_COMMAND = 0x8101, ID_TEST_DERIVED_COMMAND = 0x8102, IDC_TEST_NOTIFY = 1011;
HWND g_hOther;      // a window no CWnd owns: "other" in the records

// Records each handler call as "Name args", and the first message WindowProc sees.
class CProbeWnd : public CWnd
{
public:
    std::string m_strCalls;             // "call, call"
    UINT m_nFirstMessage = 0;
    BOOL m_bCallDefault = FALSE;        // OnQueryDragIcon handles a nested message, then calls Default

    template <typename... Args> void Record(const char* pszName, Args... args)
    {
        std::ostringstream s;
        s << pszName;
        ((s << ' ' << args), ...);
        m_strCalls += (m_strCalls.empty() ? "" : ", ") + s.str();
    }
    static const char* Name(CWnd* pWnd) { return !pWnd ? "null" : pWnd->m_hWnd == g_hOther ? "other" : "?"; }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (m_nFirstMessage == 0)
            m_nFirstMessage = message;
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point) { Record("OnLButtonUp", nFlags, point.x, point.y); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Record("OnMouseMove", nFlags, point.x, point.y); }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        Record("OnSetCursor", Name(pWnd), static_cast<int>(nHitTest), message);
        return message == WM_LBUTTONDOWN;
    }
    afx_msg void OnCaptureChanged(CWnd* pWnd) { Record("OnCaptureChanged", Name(pWnd)); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Record("OnSysCommand", nID, lParam); }
    afx_msg HCURSOR OnQueryDragIcon()
    {
        Record("OnQueryDragIcon");
        if (m_bCallDefault)
            SendMessage(WM_APP);
        return m_bCallDefault ? CWnd::OnQueryDragIcon() : reinterpret_cast<HCURSOR>(0x1234);
    }
    afx_msg void OnTestCommand() { Record("OnTestCommand"); }
    afx_msg void OnNotifyClicked() { Record("OnNotifyClicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
    ON_STN_CLICKED(IDC_TEST_NOTIFY, OnNotifyClicked)
END_MESSAGE_MAP()

// Overrides one entry of its base's map and adds one.
class CDerivedProbeWnd : public CProbeWnd
{
protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Record("Derived", nFlags, point.x, point.y); }
    afx_msg void OnDerivedCommand() { Record("OnDerivedCommand"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbeWnd, CProbeWnd)
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_TEST_DERIVED_COMMAND, OnDerivedCommand)
END_MESSAGE_MAP()

// A message, the one handler call it makes ("": none) and the result (WM_COMMAND: 1 when handled);
// the derived window's call where its map differs.
struct Routing { UINT message; LONG_PTR wParam, lParam; const char* pszCall; LRESULT lResult;
                 const char* pszDerivedCall = NULL; };

// A late subclass, a signature cracked or returned wrong, a loose command match, a base map winning.
TEST(MessageMapTest, RoutesEachMessageToItsHandlerWithItsArguments)
{
    CHostWindow host, other{{500, 100, 600, 200}};
    CProbeWnd probe;
    CDerivedProbeWnd derived;
    CProbeWnd* windows[] = { &probe, &derived };
    for (CProbeWnd* pWnd : windows)
    {
        ASSERT_TRUE(pWnd->Create(TestWindowClass(), "", WS_VISIBLE, CRect(10, 10, 110, 60),
                                 CWnd::FromHandle(host), 7));
        EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), pWnd->m_nFirstMessage);
        EXPECT_TRUE(::GetWindowLongA(*pWnd, GWL_STYLE) & WS_CHILD);
    }
    g_hOther = other;
    LONG_PTR hOther = reinterpret_cast<LONG_PTR>(g_hOther);
    const Routing rows[] = {
        { WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(300, 2), "OnLButtonUp 4 300 2", 0 },
        { WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -7), "OnMouseMove 1 -5 -7", 0, "Derived 1 -5 -7" },
        { WM_SETCURSOR, hOther, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), "OnSetCursor other -2 513", TRUE },
        { WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "OnSetCursor null 1 512", FALSE },
        { WM_CAPTURECHANGED, 0, hOther, "OnCaptureChanged other", 0 },
        { WM_SYSCOMMAND, SC_KEYMENU, MAKELPARAM(10, 20), "OnSysCommand 61696 1310730", 0 },
        { WM_QUERYDRAGICON, 0, 0, "OnQueryDragIcon", 0x1234 },
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 1), 0, "OnTestCommand", 0 },        // accelerator
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, BN_CLICKED), hOther, "OnTestCommand", 0 },
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, EN_CHANGE), hOther, "", 0 },
        { WM_COMMAND, MAKEWPARAM(IDC_TEST_NOTIFY, STN_CLICKED), hOther, "OnNotifyClicked", 0 },
        { WM_COMMAND, ID_TEST_DERIVED_COMMAND, 0, "", 0, "OnDerivedCommand" },
    };
    CObject* pMark = CObject::GetTemporaryMark();
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        for (CProbeWnd* pWnd : windows)
        {
            SCOPED_TRACE(testing::Message() << "row " << i << (pWnd == &derived ? ", derived" : ", base"));
            pWnd->m_strCalls.clear();
            LRESULT lResult = pWnd->SendMessage(rows[i].message, rows[i].wParam, rows[i].lParam);
            std::string strCall = rows[i].pszCall;
            if (pWnd == &derived && rows[i].pszDerivedCall)
                strCall = rows[i].pszDerivedCall;
            EXPECT_EQ(strCall, pWnd->m_strCalls);
            EXPECT_EQ(rows[i].message == WM_COMMAND ? !strCall.empty() : rows[i].lResult, lResult);
        }
    }
    EXPECT_EQ(pMark, CObject::GetTemporaryMark());
}

// The procedure a window had before it was subclassed: answers two messages itself.
LRESULT CALLBACK OwnProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP || message == WM_QUERYDRAGICON)
        return message + 1;
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// Default processing (no entry; Default after a nested message) missing the window's own procedure.
TEST(MessageMapTest, DefaultProcessingReachesTheOwnProcedure)
{
    HWND hWnd = NewWindow(WS_POPUP);
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OwnProcedure));
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(static_cast<LRESULT>(WM_APP + 1), wnd.SendMessage(WM_APP));
    EXPECT_EQ(0x1234, wnd.SendMessage(WM_QUERYDRAGICON));
    wnd.m_bCallDefault = TRUE;
    EXPECT_EQ(static_cast<LRESULT>(WM_QUERYDRAGICON + 1), wnd.SendMessage(WM_QUERYDRAGICON));
}

// A stale map entry or main window when the object, the window or its parent goes first.
TEST(MessageMapTest, ObjectsAndWindowsEndInEitherOrder)
{
    HWND hParent = NewWindow(WS_POPUP);
    CProbeWnd* pFirst = new CProbeWnd;
    CProbeWnd second, third;
    ASSERT_TRUE(pFirst->Create(TestWindowClass(), NULL, 0, CRect(0, 0, 50, 20), CWnd::FromHandle(hParent), 1));
    ASSERT_TRUE(second.Create(TestWindowClass(), NULL, 0, CRect(0, 0, 50, 20), CWnd::FromHandle(hParent), 2));
    ASSERT_TRUE(third.SubclassWindow(NewWindow(WS_CHILD, hParent, "STATIC")));
    HWND hFirst = *pFirst, hSecond = second, hThird = third;
    CWnd other;
    EXPECT_FALSE(other.SubclassWindow(hSecond)) << "one window, two objects";
    delete pFirst;
    EXPECT_FALSE(::IsWindow(hFirst));
    theTestApp.m_pMainWnd = &second;
    ::DestroyWindow(hSecond);
    EXPECT_EQ(NULL, second.m_hWnd);
    EXPECT_EQ(nullptr, theTestApp.m_pMainWnd);
    ::DestroyWindow(hParent);        // with its subclassed child
    EXPECT_EQ(NULL, third.m_hWnd);
    for (HWND hWnd : { hFirst, hSecond, hThird })
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

} // namespace
