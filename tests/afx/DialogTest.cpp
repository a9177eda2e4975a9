// tests/afx/DialogTest.cpp: modal dialogs: how they end, data exchange, the owner, centring.
#include <gtest/gtest.h>
#include <string>
#include "AfxTestSupport.h"

namespace {

const UINT IDD_TEST = 100, IDC_TEST_STATIC = 1012;     // AfxTest.rc's dialog, with OK, Cancel and a static
const UINT WM_TEST_ACT = WM_APP + 1;     // posted by OnInitDialog: runs once the dialog shows

// What the user does: a message posted to a control, or to the dialog (0).
struct Input { int nTarget; UINT message; WPARAM wParam; };
const Input s_esc = { 0, WM_KEYDOWN, VK_ESCAPE };

// Once shown, notes what it sees and does what the user would; a timer ends it with 999 should that fail.
class CScriptDlg : public CDialog
{
public:
    CScriptDlg(const Input& input, CWnd* pParentWnd = NULL) : CDialog(IDD_TEST, pParentWnd), m_input(input) {}

    Input m_input;
    std::string m_strLog;                       // what happened, in order
    HWND m_hOwner = NULL;                       // as seen while the dialog runs
    BOOL m_bOwnerEnabled = TRUE;
    RECT m_rcShown = {};
    CStatic m_static;

    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        ::SetTimer(m_hWnd, 1, 5000, NULL);
        PostMessage(WM_TEST_ACT);
        return TRUE;
    }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_TIMER)
            EndDialog(999);
        if (message != WM_TEST_ACT)
            return CDialog::WindowProc(message, wParam, lParam);
        ::GetWindowRect(m_hWnd, &m_rcShown);
        m_hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        m_bOwnerEnabled = m_hOwner == NULL || ::IsWindowEnabled(m_hOwner);
        LONG_PTR pfnStatic = ::GetWindowLongPtrA(::GetDlgItem(m_hWnd, IDC_TEST_STATIC), GWLP_WNDPROC);
        m_strLog += pfnStatic == reinterpret_cast<LONG_PTR>(AfxWndProc) ? "subclassed;" : "not subclassed;";
        return ::PostMessageA(m_input.nTarget ? ::GetDlgItem(m_hWnd, m_input.nTarget) : m_hWnd, m_input.message,
                              m_input.wParam, 0);
    }

protected:
    virtual void DoDataExchange(CDataExchange* pDX)
    {
        DDX_Control(pDX, IDC_TEST_STATIC, m_static);
        m_strLog += pDX->m_bSaveAndValidate ? "save" : "load";
        m_strLog += m_static.m_hWnd == ::GetDlgItem(m_hWnd, IDC_TEST_STATIC) ? " bound;" : " unbound;";
    }
    virtual void OnOK() { m_strLog += "OK;"; CDialog::OnOK(); }
    virtual void OnCancel() { m_strLog += "Cancel;"; CDialog::OnCancel(); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam)
    {
        m_strLog += "close;";
        CDialog::OnSysCommand(nID, lParam);     // the dialog manager makes the close box IDCANCEL
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScriptDlg, CDialog)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

// An ending that skips the virtual OnOK/OnCancel or OnOK's save; a control bound late, twice or for good.
TEST(DialogTest, EndsWithOkOrCancelAndBindsControlsOnce)
{
    static const struct { Input input; INT_PTR nResult; const char* pszLog; } rows[] = {
        { { IDOK, BM_CLICK, 0 }, IDOK, "load bound;subclassed;OK;save bound;" },
        { { 0, WM_KEYDOWN, VK_RETURN }, IDOK, "load bound;subclassed;OK;save bound;" },
        { s_esc, IDCANCEL, "load bound;subclassed;Cancel;" },
        { { IDCANCEL, BM_CLICK, 0 }, IDCANCEL, "load bound;subclassed;Cancel;" },
        { { 0, WM_SYSCOMMAND, SC_CLOSE }, IDCANCEL, "load bound;subclassed;close;Cancel;" },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row " << i);
        CScriptDlg dlg(rows[i].input);
        EXPECT_EQ(rows[i].nResult, dlg.DoModal());
        EXPECT_EQ(rows[i].pszLog, dlg.m_strLog);
        EXPECT_EQ(NULL, dlg.m_static.m_hWnd);
    }
}

enum OwnerKind { None, Parent, MainWindow };

// The wrong owner (parent, else main window) or none disabled; centring on the wrong rectangle or off the area.
TEST(DialogTest, IsOwnedAndCentred)
{
    // The owner and its rectangle from the work area's left-top; which points of the dialog and of
    // the owner (or the area) meet: 0 the left-top ones, 1 the centres, 2 the right-bottom ones.
    static const struct { OwnerKind owner; bool bVisible; RECT rc; bool bOverOwner; int nAnchor; } rows[] = {
        { None, true, {40, 30, 540, 430}, false, 1 },
        { Parent, false, {40, 30, 240, 130}, false, 1 },
        { MainWindow, true, {40, 30, 540, 430}, true, 1 },
        { Parent, true, {4000, 3000, 4120, 3080}, false, 2 },
        { Parent, true, {-400, -300, -340, -260}, false, 0 },
    };
    RECT rcArea;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0));
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row " << i);
        RECT rcOwner = rows[i].rc;
        ::OffsetRect(&rcOwner, rcArea.left, rcArea.top);
        CHostWindow host(rcOwner, rows[i].bVisible ? WS_POPUP | WS_VISIBLE : WS_POPUP);
        ::GetWindowRect(host, &rcOwner);
        CWnd hostWnd;
        ASSERT_TRUE(hostWnd.Attach(host));
        theTestApp.m_pMainWnd = rows[i].owner == MainWindow ? &hostWnd : NULL;
        CScriptDlg dlg(s_esc, rows[i].owner == Parent ? &hostWnd : NULL);
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        theTestApp.m_pMainWnd = NULL;
        hostWnd.Detach();

        HWND hOwner = rows[i].owner == None ? NULL : host.m_hWnd;
        EXPECT_EQ(hOwner, dlg.m_hOwner);
        EXPECT_EQ(hOwner == NULL, dlg.m_bOwnerEnabled);
        EXPECT_TRUE(::IsWindowEnabled(host));
        const RECT& rcRef = rows[i].bOverOwner ? rcOwner : rcArea;
        const RECT& rc = dlg.m_rcShown;
        int n = rows[i].nAnchor;
        auto anchor = [n](LONG nLow, LONG nHigh) { return (nLow * (2 - n) + nHigh * n) / 2; };
        EXPECT_NEAR(anchor(rcRef.left, rcRef.right), anchor(rc.left, rc.right), 1);
        EXPECT_NEAR(anchor(rcRef.top, rcRef.bottom), anchor(rc.top, rc.bottom), 1);
    }
}

} // namespace
