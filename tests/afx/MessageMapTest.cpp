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
    CProbeWnd() : m_bSetCursorResult(TRUE), m_bCallDefault(FALSE), m_nFirstMessage(0) {}

    std::vector<std::string> m_calls;
    BOOL m_bSetCursorResult;
    BOOL m_bCallDefault;            // OnSetCursor passes the message on
    UINT m_nFirstMessage;           // the first message WindowProc saw
    std::vector<UINT> m_messages;
    std::function<void()> m_onCommand;

    std::string Name(CWnd* pWnd) const
    {
        if (pWnd == this)
            return "this";
        if (pWnd == NULL)
            return "null";
        return pWnd->m_hWnd == g_hWndOther && CWnd::FromHandlePermanent(g_hWndOther) == NULL ? "other" : "?";
    }
    void Record(const std::ostringstream& call) { m_calls.push_back(call.str()); }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (m_messages.empty())
            m_nFirstMessage = message;
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        std::ostringstream s;
        s << "OnPaint " << (::GetObjectType(dc.m_hDC) == OBJ_DC ? "dc" : "no dc");
        Record(s);
    }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point)
    {
        std::ostringstream s;
        s << "OnLButtonUp " << nFlags << " " << point.x << "," << point.y;
        Record(s);
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        std::ostringstream s;
        s << "OnMouseMove " << nFlags << " " << point.x << "," << point.y;
        Record(s);
    }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        std::ostringstream s;
        s << "OnSetCursor " << Name(pWnd) << " " << static_cast<int>(nHitTest) << " " << message;
        Record(s);
        if (m_bCallDefault)
            return CWnd::OnSetCursor(pWnd, nHitTest, message);
        return m_bSetCursorResult;
    }
    afx_msg void OnCaptureChanged(CWnd* pWnd)
    {
        std::ostringstream s;
        s << "OnCaptureChanged " << Name(pWnd);
        Record(s);
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam)
    {
        std::ostringstream s;
        s << "OnSysCommand " << std::hex << nID << " " << lParam;
        Record(s);
    }
    afx_msg HCURSOR OnQueryDragIcon()
    {
        Record(std::ostringstream("OnQueryDragIcon"));
        return reinterpret_cast<HCURSOR>(0x1234);
    }
    afx_msg void OnTestCommand()
    {
        Record(std::ostringstream("OnTestCommand"));
        if (m_onCommand)
            m_onCommand();
    }
    afx_msg void OnNotifyClicked()
    {
        Record(std::ostringstream("OnNotifyClicked"));
    }

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

// Overrides one entry of its base's map and adds two; the rest come from the base's map.
class CDerivedProbeWnd : public CProbeWnd
{
protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        std::ostringstream s;
        s << "Derived::OnMouseMove " << nFlags << " " << point.x << "," << point.y;
        Record(s);
    }
    afx_msg void OnDerivedCommand()
    {
        Record(std::ostringstream("OnDerivedCommand"));
    }

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

struct Routing
{
    UINT message;
    WPARAM wParam;      // WPARAM_THIS / WPARAM_OTHER stand for the windows' handles
    LPARAM lParam;      // the same for LPARAM_THIS / LPARAM_OTHER
    const char* pszBaseCall;        // "" when the message must reach no handler
    const char* pszDerivedCall;
};
const WPARAM WPARAM_THIS = 0xF0000001, WPARAM_OTHER = 0xF0000002;
const LPARAM LPARAM_THIS = static_cast<LPARAM>(0xF0000001), LPARAM_OTHER = static_cast<LPARAM>(0xF0000002);

// Every entry kind and signature code, the arguments as the handler gets them, and the
// derived class's map taking precedence over its base's only where it has an entry.
TEST_F(MessageMapTest, RoutesEachMessageToItsHandlerWithItsArguments)
{
    static const Routing rows[] = {
        { WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(300, 2), "OnLButtonUp 4 300,2", "OnLButtonUp 4 300,2" },
        { WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -7), "OnMouseMove 1 -5,-7", "Derived::OnMouseMove 1 -5,-7" },
        { WM_MOUSEMOVE, 0, MAKELPARAM(32767, -32768), "OnMouseMove 0 32767,-32768", "Derived::OnMouseMove 0 32767,-32768" },
        { WM_SETCURSOR, WPARAM_THIS, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "OnSetCursor this 1 512", "OnSetCursor this 1 512" },
        { WM_SETCURSOR, WPARAM_OTHER, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), "OnSetCursor other -2 513", "OnSetCursor other -2 513" },
        { WM_CAPTURECHANGED, 0, LPARAM_OTHER, "OnCaptureChanged other", "OnCaptureChanged other" },
        { WM_CAPTURECHANGED, 0, LPARAM_THIS, "OnCaptureChanged this", "OnCaptureChanged this" },
        { WM_CAPTURECHANGED, 0, 0, "OnCaptureChanged null", "OnCaptureChanged null" },
        { WM_SYSCOMMAND, 0x0013, MAKELPARAM(10, 20), "OnSysCommand 13 14000a", "OnSysCommand 13 14000a" },
        { WM_QUERYDRAGICON, 0, 0, "OnQueryDragIcon", "OnQueryDragIcon" },
        { WM_COMMAND, ID_TEST_COMMAND, 0, "OnTestCommand", "OnTestCommand" },                             // menu
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 1), 0, "OnTestCommand", "OnTestCommand" },              // accelerator
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, BN_CLICKED), LPARAM_OTHER, "OnTestCommand", "OnTestCommand" },
        { WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, EN_CHANGE), LPARAM_OTHER, "", "" },
        { WM_COMMAND, MAKEWPARAM(IDC_TEST_NOTIFY, STN_CLICKED), LPARAM_OTHER, "OnNotifyClicked", "OnNotifyClicked" },
        { WM_COMMAND, MAKEWPARAM(IDC_TEST_NOTIFY, STN_DBLCLK), LPARAM_OTHER, "", "" },
        { WM_COMMAND, ID_TEST_DERIVED_COMMAND, 0, "", "OnDerivedCommand" },
        { WM_COMMAND, ID_TEST_APP_COMMAND, 0, "", "" },     // only dialogs hand commands to the application
    };
    CProbeWnd* windows[] = { &m_probe, &m_derived };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        for (int w = 0; w < 2; ++w)
        {
            SCOPED_TRACE(testing::Message() << "row " << i << (w ? ", derived" : ", base"));
            CProbeWnd* pWnd = windows[w];
            const Routing& row = rows[i];
            WPARAM wParam = row.wParam == WPARAM_THIS ? reinterpret_cast<WPARAM>(pWnd->m_hWnd)
                          : row.wParam == WPARAM_OTHER ? reinterpret_cast<WPARAM>(m_other.m_hWnd) : row.wParam;
            LPARAM lParam = row.lParam == LPARAM_THIS ? reinterpret_cast<LPARAM>(pWnd->m_hWnd)
                          : row.lParam == LPARAM_OTHER ? reinterpret_cast<LPARAM>(m_other.m_hWnd) : row.lParam;
            pWnd->m_calls.clear();
            LRESULT lResult = pWnd->SendMessage(row.message, wParam, lParam);
            const char* pszExpected = w ? row.pszDerivedCall : row.pszBaseCall;
            std::vector<std::string> expected;
            if (*pszExpected)
                expected.push_back(pszExpected);
            EXPECT_EQ(expected, pWnd->m_calls);
            if (row.message == WM_QUERYDRAGICON)
            {
                EXPECT_EQ(0x1234, lResult);
            }
            if (row.message == WM_SETCURSOR)
            {
                EXPECT_EQ(TRUE, lResult);
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
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), m_probe.m_nFirstMessage);
    EXPECT_NE(m_probe.m_messages.end(), std::find(m_probe.m_messages.begin(), m_probe.m_messages.end(), WM_CREATE));
    EXPECT_EQ(&m_probe, CWnd::FromHandlePermanent(m_probe.m_hWnd));
    EXPECT_EQ(7, ::GetDlgCtrlID(m_probe.m_hWnd));
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
