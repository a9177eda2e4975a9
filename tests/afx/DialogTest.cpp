// tests/afx/DialogTest.cpp: modal dialogs: results, OnOK/OnCancel, data exchange, owner, centring.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "AfxTestSupport.h"
#include "AfxTestResource.h"

namespace {

const UINT WM_TEST_ACT = WM_APP + 1;     // posted by OnInitDialog: runs once the dialog shows
const UINT_PTR s_nTimeoutTimer = 1;

enum Action { ClickOK, PressEnter, PressEsc, ClickCancel, CloseBox, RefuseOKThenEsc, SendHelp };

// A dialog that, once shown, records where it stands and what it sees, then does one
// thing a user would do. A timer ends it with 999 should that thing fail to end it.
class CScriptDlg : public CDialog
{
public:
    CScriptDlg(UINT nIDTemplate, Action action, CWnd* pParentWnd = NULL)
        : CDialog(nIDTemplate, pParentWnd), m_action(action) {}

    Action m_action;
    BOOL m_bInitResult = TRUE;
    std::vector<BOOL> m_exchanges;      // m_bSaveAndValidate of each exchange
    std::vector<UINT> m_sysCommands;
    int m_nOK = 0, m_nCancel = 0;
    HWND m_hOwner = NULL;               // seen while the dialog runs, as the rest below
    BOOL m_bOwnerEnabled = TRUE;
    RECT m_rcShown = {};
    int m_nFocusID = 0;
    HWND m_hStatic = NULL;              // m_static's window
    CStatic m_static;
    CStatic m_notify;

    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        ::SetTimer(m_hWnd, s_nTimeoutTimer, 5000, NULL);
        PostMessage(WM_TEST_ACT);
        if (!m_bInitResult)
            ::SetFocus(::GetDlgItem(m_hWnd, IDCANCEL));
        return m_bInitResult;
    }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_TIMER && wParam == s_nTimeoutTimer)
            EndDialog(999);
        else if (message == WM_TEST_ACT)
            Act();
        else
            return CDialog::WindowProc(message, wParam, lParam);
        return 0;
    }

protected:
    virtual void DoDataExchange(CDataExchange* pDX)
    {
        CDialog::DoDataExchange(pDX);
        m_exchanges.push_back(pDX->m_bSaveAndValidate);
        EXPECT_EQ(this, pDX->m_pDlgWnd);
        if (::GetDlgItem(m_hWnd, IDC_TEST_STATIC) != NULL)
        {
            DDX_Control(pDX, IDC_TEST_STATIC, m_static);
            DDX_Control(pDX, IDC_TEST_NOTIFY, m_notify);
        }
    }
    virtual void OnOK()
    {
        if (++m_nOK == 1 && m_action == RefuseOKThenEsc)
        {
            PostMessage(WM_KEYDOWN, VK_ESCAPE);
            return;                 // like Continue when the installation fails: stay open
        }
        CDialog::OnOK();
    }
    virtual void OnCancel()
    {
        ++m_nCancel;
        CDialog::OnCancel();
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam)
    {
        m_sysCommands.push_back(nID);
        CDialog::OnSysCommand(nID, lParam);     // default processing: the dialog manager's
    }

    DECLARE_MESSAGE_MAP()

private:
    void Act()
    {
        ::GetWindowRect(m_hWnd, &m_rcShown);
        m_hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        m_bOwnerEnabled = m_hOwner == NULL || ::IsWindowEnabled(m_hOwner);
        HWND hFocus = ::GetFocus();
        m_nFocusID = ::GetDlgCtrlID(hFocus);
        m_hStatic = m_static.m_hWnd;
        HWND hFocusOrDialog = hFocus != NULL ? hFocus : m_hWnd;
        switch (m_action)
        {
        case ClickOK:
        case RefuseOKThenEsc:
            ::PostMessageA(::GetDlgItem(m_hWnd, IDOK), BM_CLICK, 0, 0);
            break;
        case PressEnter:
            ::PostMessageA(hFocusOrDialog, WM_KEYDOWN, VK_RETURN, 0);
            break;
        case PressEsc:
            ::PostMessageA(hFocusOrDialog, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case ClickCancel:
            ::PostMessageA(::GetDlgItem(m_hWnd, IDCANCEL), BM_CLICK, 0, 0);
            break;
        case CloseBox:
            PostMessage(WM_SYSCOMMAND, SC_CLOSE);
            break;
        case SendHelp:
            EndDialog(static_cast<int>(SendMessage(WM_COMMAND, ID_HELP) * 100
                                       + SendMessage(WM_COMMAND, ID_TEST_APP_COMMAND) * 10
                                       + SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_NOTIFY, STN_CLICKED),
                                                     reinterpret_cast<LPARAM>(m_notify.m_hWnd))));
            break;
        }
    }
};

BEGIN_MESSAGE_MAP(CScriptDlg, CDialog)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

struct Ending
{
    UINT nIDTemplate;
    Action action;
    INT_PTR nResult;
    int nOK, nCancel;
    bool bSaved;            // an exchange with m_bSaveAndValidate TRUE happened (OnOK's)
};

// Every way to end a dialog gives its result through OnOK or OnCancel, virtually; OnOK
// saves the data first; a dialog without a Cancel button still ends on Esc and the close box.
TEST(DialogTest, EndsWithTheResultOfOkOrCancel)
{
    static const Ending rows[] = {
        { IDD_TEST, ClickOK, IDOK, 1, 0, true },
        { IDD_TEST, PressEnter, IDOK, 1, 0, true },
        { IDD_TEST, PressEsc, IDCANCEL, 0, 1, false },
        { IDD_TEST, ClickCancel, IDCANCEL, 0, 1, false },
        { IDD_TEST, CloseBox, IDCANCEL, 0, 1, false },
        { IDD_TEST, RefuseOKThenEsc, IDCANCEL, 1, 1, false },
        { IDD_TEST_NOCANCEL, PressEnter, IDOK, 1, 0, true },
        { IDD_TEST_NOCANCEL, PressEsc, IDCANCEL, 0, 1, false },
        { IDD_TEST_NOCANCEL, CloseBox, IDCANCEL, 0, 1, false },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row " << i);
        CScriptDlg dlg(rows[i].nIDTemplate, rows[i].action);
        EXPECT_EQ(rows[i].nResult, dlg.DoModal());
        EXPECT_EQ(rows[i].nOK, dlg.m_nOK);
        EXPECT_EQ(rows[i].nCancel, dlg.m_nCancel);
        std::vector<BOOL> exchanges = { FALSE };
        if (rows[i].bSaved)
            exchanges.push_back(TRUE);
        EXPECT_EQ(exchanges, dlg.m_exchanges);
        if (rows[i].action == CloseBox)
        {
            EXPECT_EQ(std::vector<UINT>{SC_CLOSE}, dlg.m_sysCommands);
        }
        EXPECT_EQ(NULL, dlg.m_hWnd);
    }
}

// DDX_Control binds the control at the first exchange and leaves it bound at the second;
// the bound static keeps its own procedure; the dialog's end unbinds it.
TEST(DialogTest, DataExchangeBindsControlsOnce)
{
    CScriptDlg dlg(IDD_TEST, ClickOK);
    EXPECT_EQ(IDOK, dlg.DoModal());
    ASSERT_NE(nullptr, dlg.m_hStatic);
    EXPECT_EQ(2u, dlg.m_exchanges.size());
    EXPECT_EQ(NULL, dlg.m_static.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(dlg.m_hStatic));

    // While it runs: bound to the template's control, through AfxWndProc, still a static.
    struct CCheckDlg : public CScriptDlg
    {
        CCheckDlg() : CScriptDlg(IDD_TEST, ClickOK) {}
        virtual void OnOK()
        {
            HWND hStatic = ::GetDlgItem(m_hWnd, IDC_TEST_STATIC);
            EXPECT_EQ(hStatic, m_static.m_hWnd);
            EXPECT_EQ(&m_static, CWnd::FromHandlePermanent(hStatic));
            EXPECT_EQ(reinterpret_cast<LONG_PTR>(AfxWndProc), ::GetWindowLongPtrA(hStatic, GWLP_WNDPROC));
            EXPECT_EQ(DLGC_STATIC, m_static.SendMessage(WM_GETDLGCODE) & DLGC_STATIC);
            CScriptDlg::OnOK();     // the second exchange
            EXPECT_EQ(hStatic, m_static.m_hWnd);
            EXPECT_EQ(&m_static, CWnd::FromHandlePermanent(hStatic));
        }
    } check;
    EXPECT_EQ(IDOK, check.DoModal());
}

// OnInitDialog's result decides the focus as the dialog manager does it.
TEST(DialogTest, InitResultDecidesTheFocus)
{
    for (BOOL bInit : { TRUE, FALSE })
    {
        SCOPED_TRACE(testing::Message() << "OnInitDialog returns " << bInit);
        CScriptDlg dlg(IDD_TEST, PressEsc);
        dlg.m_bInitResult = bInit;
        dlg.DoModal();
        int nExpected = bInit ? IDOK : IDCANCEL;      // the first tab stop, or where init put it
        EXPECT_EQ(nExpected, dlg.m_nFocusID);
    }
}

// Commands the dialog does not handle go to the application object's map: ID_HELP to
// CWinApp::OnHelp (harmless), the app's own command to its handler; notifications do not.
TEST(DialogTest, UnhandledCommandsReachTheApplication)
{
    theTestApp.m_nAppCommands = 0;
    CScriptDlg dlg(IDD_TEST, SendHelp);
    EXPECT_EQ(110, dlg.DoModal());
    EXPECT_EQ(1, theTestApp.m_nAppCommands);
    EXPECT_TRUE(theTestApp.OnCmdMsg(ID_HELP, CN_COMMAND));
    EXPECT_FALSE(theTestApp.OnCmdMsg(ID_TEST_COMMAND, CN_COMMAND));
}

// The owner: the given parent, else the main window (disabled while the dialog runs), but
// never the dialog itself; a missing template gives -1.
TEST(DialogTest, OwnerIsDisabledWhileTheDialogRuns)
{
    CHostWindow main, parent(50, 50, 200, 200);
    CWnd mainWnd;
    ASSERT_TRUE(mainWnd.Attach(main));
    theTestApp.m_pMainWnd = &mainWnd;
    {
        CScriptDlg dlg(IDD_TEST, PressEsc);
        dlg.DoModal();
        EXPECT_EQ(main.m_hWnd, dlg.m_hOwner);
        EXPECT_FALSE(dlg.m_bOwnerEnabled);
        EXPECT_TRUE(::IsWindowEnabled(main));
    }
    {
        CWnd* pParent = CWnd::FromHandle(parent);
        CScriptDlg dlg(IDD_TEST, PressEsc, pParent);
        dlg.DoModal();
        EXPECT_EQ(parent.m_hWnd, dlg.m_hOwner);
        EXPECT_FALSE(dlg.m_bOwnerEnabled);
        EXPECT_TRUE(::IsWindowEnabled(parent));
    }
    {
        CScriptDlg dlg(IDD_TEST, PressEsc);
        theTestApp.m_pMainWnd = &dlg;
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(NULL, dlg.m_hOwner);
    }
    theTestApp.m_pMainWnd = NULL;
    CScriptDlg missing(IDD_TEST_MISSING, PressEsc);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_EQ(NULL, missing.m_hWnd);
    mainWnd.Detach();
}

struct Placement
{
    UINT nIDTemplate;
    int nOwner;                 // 0: none; 1: a visible owner; 2: a hidden owner
    bool bFromRightBottom;      // the owner's position counts from the work area's far corner
    int xOwner, yOwner, cxOwner, cyOwner;
    const char* pszExpected;    // "area" or "owner": centred on it; "right-bottom", "left-top":
                                // pushed inside the work area at that corner; "0,0": not moved
};

// A template with no placement of its own is centred over its visible owner, or in the work
// area, and kept inside the work area; DS_ABSALIGN keeps the template's position.
TEST(DialogTest, CentresAsTheFrameworkDoes)
{
    static const Placement rows[] = {
        { IDD_TEST, 0, false, 0, 0, 0, 0, "area" },
        { IDD_TEST, 1, false, 40, 30, 500, 400, "owner" },
        { IDD_TEST, 1, true, -60, -40, 120, 80, "right-bottom" },
        { IDD_TEST, 1, false, -40, -20, 60, 40, "left-top" },
        { IDD_TEST, 2, false, 40, 30, 200, 100, "area" },
        { IDD_TEST_ABSALIGN, 0, false, 0, 0, 0, 0, "0,0" },
        { IDD_TEST_ABSALIGN, 1, false, 40, 30, 500, 400, "0,0" },
    };
    RECT rcArea;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0));
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        const Placement& row = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i);
        int x = (row.bFromRightBottom ? rcArea.right : rcArea.left) + row.xOwner;
        int y = (row.bFromRightBottom ? rcArea.bottom : rcArea.top) + row.yOwner;
        CHostWindow owner(x, y, row.cxOwner, row.cyOwner, row.nOwner == 1 ? WS_POPUP | WS_VISIBLE : WS_POPUP);
        CScriptDlg dlg(row.nIDTemplate, PressEsc, row.nOwner ? CWnd::FromHandle(owner) : NULL);
        ASSERT_EQ(IDCANCEL, dlg.DoModal());
        const RECT& rc = dlg.m_rcShown;
        RECT rcOwner;
        ::GetWindowRect(owner, &rcOwner);
        std::string expected = row.pszExpected;
        if (expected == "area" || expected == "owner")
        {
            const RECT& rcCentre = expected == "area" ? rcArea : rcOwner;
            EXPECT_NEAR((rcCentre.left + rcCentre.right) / 2, (rc.left + rc.right) / 2, 1);
            EXPECT_NEAR((rcCentre.top + rcCentre.bottom) / 2, (rc.top + rc.bottom) / 2, 1);
        }
        else if (expected == "right-bottom")
        {
            EXPECT_EQ(rcArea.right, rc.right);
            EXPECT_EQ(rcArea.bottom, rc.bottom);
        }
        else if (expected == "left-top")
        {
            EXPECT_EQ(rcArea.left, rc.left);
            EXPECT_EQ(rcArea.top, rc.top);
        }
        else
        {
            EXPECT_EQ(0, rc.left);
            EXPECT_EQ(0, rc.top);
        }
        EXPECT_GT(rc.right - rc.left, 100) << "not the dialog's rectangle";
    }
}

} // namespace
