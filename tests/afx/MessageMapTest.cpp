// tests/afx/MessageMapTest.cpp: routing to handlers, argument cracking, default processing, temporaries.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include "AfxTestSupport.h"
#include "AfxTestResource.h"

namespace {

HWND g_hWndOther;           // a window no CWnd owns, named "other" in the records

// Records each handler call as "Name args"; a window is "this", "other" or "null".
class CProbeWnd : public CWnd
{
public:
    std::vector<std::string> m_calls;
    BOOL m_bSetCursorResult = TRUE;
    BOOL m_bCallDefault = FALSE;        // OnSetCursor passes the message on
    std::vector<UINT> m_messages;       // every message WindowProc saw
    std::function<void()> m_onCommand;

    template <typename... Args> void Record(const char* pszName, Args... args)
    {
        std::ostringstream s;
        s << pszName;
        ((s << ' ' << args), ...);
        m_calls.push_back(s.str());
    }
    std::string Name(CWnd* pWnd) const
    {
        if (pWnd == this || pWnd == NULL)
            return pWnd ? "this" : "null";
        return pWnd->m_hWnd == g_hWndOther && CWnd::FromHandlePermanent(g_hWndOther) == NULL ? "other" : "?";
    }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        Record("OnPaint", ::GetObjectType(dc.m_hDC) == OBJ_DC ? "dc" : "no dc");
    }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point) { Record("OnLButtonUp", nFlags, point.x, point.y); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Record("OnMouseMove", nFlags, point.x, point.y); }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        Record("OnSetCursor", Name(pWnd), static_cast<int>(nHitTest), message);
        return m_bCallDefault ? CWnd::OnSetCursor(pWnd, nHitTest, message) : m_bSetCursorResult;
    }
    afx_msg void OnCaptureChanged(CWnd* pWnd) { Record("OnCaptureChanged", Name(pWnd)); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Record("OnSysCommand", nID, lParam); }
    afx_msg HCURSOR OnQueryDragIcon()
    {
        Record("OnQueryDragIcon");
        return reinterpret_cast<HCURSOR>(0x1234);
    }
    afx_msg void OnTestCommand()
    {
        Record("OnTestCommand");
        if (m_onCommand)
            m_onCommand();
    }
    afx_msg void OnNotifyClicked() { Record("OnNotifyClicked"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
    ON_STN_CLICKED(IDC_TEST_NOTIFY, OnNotifyClicked)
END_MESSAGE_MAP()

// Overrides one entry of its base's map and adds one; the rest come from the base's map.
class CDerivedProbeWnd : public CProbeWnd
{
protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Record("Derived::OnMouseMove", nFlags, point.x, point.y); }
    afx_msg void OnDerivedCommand() { Record("OnDerivedCommand"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbeWnd, CProbeWnd)
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_TEST_DERIVED_COMMAND, OnDerivedCommand)
END_MESSAGE_MAP()

class MessageMapTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_hWndOther = m_other;
        CRect rect(10, 10, 110, 60);
        ASSERT_TRUE(m_probe.Create(TestWindowClass(), "probe", WS_VISIBLE, rect, CWnd::FromHandle(m_host), 7));
        ASSERT_TRUE(m_derived.Create(TestWindowClass(), "derived", WS_VISIBLE, rect, CWnd::FromHandle(m_host), 8));
    }
    CHostWindow m_host;
    CHostWindow m_other{500, 100, 100, 100};
    CProbeWnd m_probe;
    CDerivedProbeWnd m_derived;
};

const LONG_PTR HWND_SELF = -1000001, HWND_OTHER = -1000002;    // stand for the windows' handles

struct Routing
{
    UINT message;
    LONG_PTR wParam, lParam;
    const char* pszBaseCall;        // "" when the message must reach no handler
    const char* pszDerivedCall;
};

// Every entry kind and signature code, the arguments as the handler gets them, and the
// derived class's map taking precedence over its base's only where it has an entry.
TEST_F(MessageMapTest, RoutesEachMessageToItsHandlerWithItsArguments)
{
    static const Routing rows[] = {
        { WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(300, 2), "OnLButtonUp 4 300 2", "OnLButtonUp 4 300 2" },
        { WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -7), "OnMouseMove 1 -5 -7", "Derived::OnMouseMove 1 -5 -7" },
        { WM_MOUSEMOVE, 0, MAKELPARAM(32767, -32768), "OnMouseMove 0 32767 -32768", "Derived::OnMouseMove 0 32767 -32768" },
        { WM_SETCURSOR, HWND_SELF, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "OnSetCursor this 1 512", "OnSetCursor this 1 512" },
        { WM_SETCURSOR, HWND_OTHER, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), "OnSetCursor other -2 513", "OnSetCursor other -2 513" },
        { WM_CAPTURECHANGED, 0, HWND_OTHER, "OnCaptureChanged other", "OnCaptureChanged other" },
        { WM_CAPTURECHANGED, 0, HWND_SELF, "OnCaptureChanged this", "OnCaptureChanged this" },
        { WM_CAPTURECHANGED, 0, 0, "OnCaptureChanged null", "OnCaptureChanged null" },
        { WM_SYSCOMMAND, 0x0013, MAKELPARAM(10, 20), "OnSysCommand 19 1310730", "OnSysCommand 19 1310730" },
        { WM_QUERYDRAGICON, 0, 0, "OnQueryDragIcon", "OnQueryDragIcon" },
        { WM_COMMAND, ID_TEST_COMMAND, 0, "OnTestCommand", "OnTestCommand" },                             // menu
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 1), 0, "OnTestCommand", "OnTestCommand" },              // accelerator
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, BN_CLICKED), HWND_OTHER, "OnTestCommand", "OnTestCommand" },
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, EN_CHANGE), HWND_OTHER, "", "" },
        { WM_COMMAND, MAKEWPARAM(IDC_TEST_NOTIFY, STN_CLICKED), HWND_OTHER, "OnNotifyClicked", "OnNotifyClicked" },
        { WM_COMMAND, MAKEWPARAM(IDC_TEST_NOTIFY, STN_DBLCLK), HWND_OTHER, "", "" },
        { WM_COMMAND, ID_TEST_DERIVED_COMMAND, 0, "", "OnDerivedCommand" },
        { WM_COMMAND, ID_TEST_APP_COMMAND, 0, "", "" },     // only dialogs hand commands to the application
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        for (CProbeWnd* pWnd : { static_cast<CProbeWnd*>(&m_probe), static_cast<CProbeWnd*>(&m_derived) })
        {
            bool bDerived = pWnd == &m_derived;
            SCOPED_TRACE(testing::Message() << "row " << i << (bDerived ? ", derived" : ", base"));
            auto param = [&](LONG_PTR n) {
                return n == HWND_SELF ? reinterpret_cast<LONG_PTR>(pWnd->m_hWnd)
                     : n == HWND_OTHER ? reinterpret_cast<LONG_PTR>(m_other.m_hWnd) : n;
            };
            pWnd->m_calls.clear();
            LRESULT lResult = pWnd->SendMessage(rows[i].message, param(rows[i].wParam), param(rows[i].lParam));
            std::string strExpected = bDerived ? rows[i].pszDerivedCall : rows[i].pszBaseCall;
            EXPECT_EQ(strExpected.empty() ? 0u : 1u, pWnd->m_calls.size());
            EXPECT_EQ(strExpected, pWnd->m_calls.empty() ? "" : pWnd->m_calls[0]);
            if (rows[i].message == WM_QUERYDRAGICON || rows[i].message == WM_SETCURSOR)
            {
                EXPECT_EQ(rows[i].message == WM_SETCURSOR ? TRUE : 0x1234, lResult);
            }
        }
    }
    m_probe.m_bSetCursorResult = FALSE;
    EXPECT_EQ(FALSE, m_probe.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_probe.m_hWnd), HTCLIENT));
}

// Create subclasses the window before its first message, so the map sees WM_NCCREATE and
// WM_CREATE; painting goes through the map; messages without an entry reach DefWindowProcA.
TEST_F(MessageMapTest, CreateSubclassesFromTheFirstMessage)
{
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), m_probe.m_messages.front());
    EXPECT_NE(m_probe.m_messages.end(), std::find(m_probe.m_messages.begin(), m_probe.m_messages.end(), WM_CREATE));
    EXPECT_EQ(&m_probe, CWnd::FromHandlePermanent(m_probe.m_hWnd));
    EXPECT_TRUE(::GetWindowLongA(m_probe.m_hWnd, GWL_STYLE) & WS_CHILD);

    m_probe.m_calls.clear();
    m_probe.Invalidate();
    ::UpdateWindow(m_probe.m_hWnd);
    EXPECT_EQ(std::vector<std::string>{"OnPaint dc"}, m_probe.m_calls);
    RECT rcUpdate;
    EXPECT_FALSE(::GetUpdateRect(m_probe.m_hWnd, &rcUpdate, FALSE)) << "the paint DC was not ended";

    m_probe.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set through the map"));
    char szText[64] = "";
    m_probe.SendMessage(WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText));
    EXPECT_STREQ("set through the map", szText);
}

// A control subclassed by a CWnd keeps its own behaviour: messages without an entry, and
// handlers that call Default, reach its procedure; a handler that does not call Default
// keeps it from running.
TEST_F(MessageMapTest, SubclassedControlKeepsItsOwnProcedure)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, m_host, NULL,
                                   AfxGetInstanceHandle(), NULL);
    LONG_PTR pfnEdit = ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC);
    CProbeWnd edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    EXPECT_NE(pfnEdit, ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
    EXPECT_TRUE(edit.SendMessage(WM_GETDLGCODE) & DLGC_WANTCHARS);

    HCURSOR hArrow = ::LoadCursorA(NULL, IDC_ARROW), hBeam = ::LoadCursorA(NULL, IDC_IBEAM);
    ::SetCursor(hArrow);
    edit.m_bSetCursorResult = FALSE;
    edit.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(hEdit), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(hArrow, ::GetCursor()) << "no Default, yet the edit set its cursor";
    edit.m_bCallDefault = TRUE;
    edit.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(hEdit), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(hBeam, ::GetCursor()) << "Default did not reach the edit's procedure";
    EXPECT_EQ(2u, edit.m_calls.size());

    // Detaching gives the control its procedure back.
    EXPECT_EQ(hEdit, edit.Detach());
    EXPECT_EQ(pfnEdit, ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
    EXPECT_TRUE(::SendMessageA(hEdit, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS);
    ::DestroyWindow(hEdit);
}

// A temporary CWnd lasts until the message that made it returns, survives a nested message,
// and never destroys its window; a permanent window gives its own object, not a temporary.
TEST_F(MessageMapTest, TemporariesLastUntilTheirMessageReturns)
{
    CObject* pMarkBefore = CObject::GetTemporaryMark();
    bool bChecked = false;
    m_probe.m_onCommand = [&]() {
        CWnd* pOther = CWnd::FromHandle(m_other);
        ASSERT_NE(nullptr, pOther);
        EXPECT_EQ(m_other.m_hWnd, pOther->m_hWnd);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(m_other));
        CObject* pMarkOuter = CObject::GetTemporaryMark();
        EXPECT_NE(pMarkBefore, pMarkOuter);
        EXPECT_EQ(&m_derived, CWnd::FromHandle(m_derived.m_hWnd));
        EXPECT_EQ(pMarkOuter, CObject::GetTemporaryMark()) << "a permanent window made a temporary";

        // The nested message makes (and frees) its own temporaries: OnSetCursor's window.
        m_derived.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_other.m_hWnd), HTCLIENT);
        EXPECT_EQ(pMarkOuter, CObject::GetTemporaryMark());
        EXPECT_EQ(m_other.m_hWnd, pOther->m_hWnd);
        bChecked = true;
    };
    m_probe.SendMessage(WM_COMMAND, ID_TEST_COMMAND);
    EXPECT_TRUE(bChecked);
    EXPECT_EQ(pMarkBefore, CObject::GetTemporaryMark());
    EXPECT_TRUE(::IsWindow(m_other));
    EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));
}

// Objects and windows may end in either order, and neither leaves a map entry behind.
TEST_F(MessageMapTest, ObjectsAndWindowsEndInEitherOrder)
{
    CRect rect(0, 0, 50, 20);
    CHostWindow parent;

    // The object goes first: it destroys its window.
    CProbeWnd* pFirst = new CProbeWnd;
    ASSERT_TRUE(pFirst->Create(TestWindowClass(), NULL, 0, rect, CWnd::FromHandle(parent), 1));
    HWND hFirst = pFirst->m_hWnd;
    delete pFirst;
    EXPECT_FALSE(::IsWindow(hFirst));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hFirst));

    // The window goes first, alone or with its parent: the objects are unbound.
    CProbeWnd second, third, fourth;
    ASSERT_TRUE(second.Create(TestWindowClass(), NULL, 0, rect, CWnd::FromHandle(parent), 2));
    ASSERT_TRUE(third.Create(TestWindowClass(), NULL, 0, rect, CWnd::FromHandle(parent), 3));
    ASSERT_TRUE(fourth.SubclassWindow(::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 9, 9, parent, NULL,
                                                        AfxGetInstanceHandle(), NULL)));
    HWND hSecond = second.m_hWnd, hThird = third.m_hWnd, hFourth = fourth.m_hWnd;
    ::DestroyWindow(hSecond);
    EXPECT_EQ(NULL, second.m_hWnd);
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), second.m_messages.back());
    ::DestroyWindow(parent);
    EXPECT_EQ(NULL, third.m_hWnd);
    EXPECT_EQ(NULL, fourth.m_hWnd);
    for (HWND hWnd : { hSecond, hThird, hFourth })
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

    // A window only attached (not subclassed) is still destroyed with its object.
    HWND hAttached = ::CreateWindowExA(0, TestWindowClass(), "", WS_POPUP, 0, 0, 9, 9, NULL, NULL,
                                       AfxGetInstanceHandle(), NULL);
    {
        CWnd attached;
        ASSERT_TRUE(attached.Attach(hAttached));
        CWnd other;
        EXPECT_FALSE(other.Attach(hAttached)) << "one window, two objects";
        EXPECT_FALSE(other.SubclassWindow(hAttached));
        EXPECT_FALSE(attached.Attach(m_other)) << "one object, two windows";
        EXPECT_FALSE(other.Attach(NULL));
    }
    EXPECT_FALSE(::IsWindow(hAttached));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hAttached));
}

// The application's main window stops being it when the window is destroyed.
TEST_F(MessageMapTest, MainWindowIsForgottenWithItsWindow)
{
    theTestApp.m_pMainWnd = &m_probe;
    EXPECT_EQ(&m_probe, AfxGetMainWnd());
    m_probe.DestroyWindow();
    EXPECT_EQ(nullptr, AfxGetMainWnd());
    EXPECT_EQ(nullptr, theTestApp.m_pMainWnd);
}

} // namespace
