// installer/ui/InstallerDlg.cpp: the main dialog's set-up, painting, system menu, logo and Continue.
#include "InstallerDlg.h"
#include "AboutDlg.h"
#include "DialogLook.h"
#include "LinkSettings.h"
#include "RunInstallation.h"
#include "ShellOpen.h"
#include "VendorInfo.h"

// Continue writes its shortcuts through the shell's link object, which lives in shell32: COM
// would load it, with the DLLs it brings, on the first shortcut. The dialog loads it while
// the administrator reads it, so that Continue finds it mapped.
static const char s_szShellLibrary[] = "shell32.dll";

// The About command must sit in the system commands' range: low four bits clear, below 0xF000.
#if (IDM_ABOUTBOX & 0xFFF0) != IDM_ABOUTBOX || IDM_ABOUTBOX >= 0xF000
#error IDM_ABOUTBOX must be a valid system command
#endif

BEGIN_MESSAGE_MAP(CInstallerDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_STN_CLICKED(IDC_LOGO, OnLogoClicked)
END_MESSAGE_MAP()

CInstallerDlg::CInstallerDlg(CWnd* pParent) : CDialog(IDD, pParent), m_shellPreload(s_szShellLibrary)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

// The dialog's reference to shell32 goes first, then the links (with their fonts), then the
// placeholders, then the dialog.
CInstallerDlg::~CInstallerDlg()
{
}

void CInstallerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EMAIL, m_emailPlaceholder);
    DDX_Control(pDX, IDC_HOMEPAGE, m_homePlaceholder);
}

BOOL CInstallerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();            // binds the placeholders

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != NULL)
    {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty())
        {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    SetUpLink(m_homeLink, VENDOR_HOME_URL, VENDOR_HOME_URL, &m_homePlaceholder, IDC_MAIN_LINK_WND);
    SetUpLink(m_emailLink, VENDOR_EMAIL, VENDOR_MAILTO_URL, &m_emailPlaceholder, IDC_MAIN_LINK_WND);

    return TRUE;                        // the focus goes to Continue, the first tab stop
}

void CInstallerDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
    {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    }
    else
        CDialog::OnSysCommand(nID, lParam);
}

void CInstallerDlg::OnPaint()
{
    if (IsIconic())
    {
        CPaintDC dc(this);
        PaintMinimized(dc);
    }
    else
    {
        CPaintDC dc(this);
        PaintTitle(dc);
        CDialog::OnPaint();
    }
    // After the first paint and not before, so that the dialog shows as soon as it can and
    // the load (a few milliseconds) falls in the time the administrator takes to read it.
    // When Continue comes first, COM has loaded shell32 already and this adds a reference.
    m_shellPreload.Load();
}

// The dialog has no minimise box, but should it be drawn minimised the icon fills it.
void CInstallerDlg::PaintMinimized(CPaintDC& dc)
{
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rect.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

// The bold magenta title above the upper rule, with no box behind the letters.
void CInstallerDlg::PaintTitle(CPaintDC& dc)
{
    dc.SetBkMode(TRANSPARENT);
    CFont titleFont;
    titleFont.CreateFont(TITLE_FONT_HEIGHT, 0, 0, 0, TITLE_FONT_WEIGHT, FALSE, FALSE, FALSE,
                         TITLE_FONT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         TITLE_FONT_PITCH_AND_FAMILY, TITLE_FONT_FACE);
    CFont* pOldFont = dc.SelectObject(&titleFont);
    dc.SetTextColor(TITLE_COLOR);
    dc.TextOut(TITLE_X, TITLE_Y, TITLE_TEXT, sizeof TITLE_TEXT - 1);
    dc.SelectObject(pOldFont);
}

HCURSOR CInstallerDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CInstallerDlg::OnLogoClicked()
{
    ShellOpen(VENDOR_HOME_URL, "", "");
}

// Continue: the dialog closes only after the installation reported success.
void CInstallerDlg::OnOK()
{
    if (RunInstallation(*this))
        CDialog::OnOK();
}
