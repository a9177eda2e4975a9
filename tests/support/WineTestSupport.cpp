// tests/support/WineTestSupport.cpp: the test's arguments, message boxes caught, dialogs dismissed, the environment.
#include "WineTestSupport.h"
#include <stdlib.h>
#include <string.h>
#include "RealInput.h"

std::string TestArgument(int nIndex)
{
    int nSeen = 0;
    for (int i = 1; i < __argc; ++i)
    {
        if (strncmp(__argv[i], "--gtest", 7) == 0)
            continue;
        if (++nSeen == nIndex)
            return __argv[i];
    }
    return "";
}

// The hook is per thread; tests run on one thread, so one list is enough.
static std::vector<CaughtBox> s_boxes;

// Finds which standard icon the box shows: its icon static holds the shared system icon.
static UINT IconOfBox(HWND hBox)
{
    static const struct { LPCSTR pszId; UINT nFlag; } icons[] = {
        { IDI_HAND, MB_ICONHAND }, { IDI_EXCLAMATION, MB_ICONEXCLAMATION },
        { IDI_QUESTION, MB_ICONQUESTION }, { IDI_ASTERISK, MB_ICONASTERISK },
    };
    for (HWND hChild = ::GetWindow(hBox, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hChild, STM_GETICON, 0, 0));
        if (hIcon == NULL)
            continue;
        for (size_t i = 0; i < sizeof icons / sizeof icons[0]; ++i)
            if (hIcon == ::LoadIconA(NULL, icons[i].pszId))
                return icons[i].nFlag;
    }
    return 0;
}

static LRESULT CALLBACK CatchBox(int nCode, WPARAM wParam, LPARAM lParam)
{
    HWND hBox = reinterpret_cast<HWND>(wParam);     // NULL on the activation after closing
    char szClass[16] = "";
    if (nCode == HCBT_ACTIVATE && hBox && ::GetClassNameA(hBox, szClass, sizeof szClass)
        && !lstrcmpA(szClass, "#32770") && ::GetDlgItem(hBox, 0xFFFF) != NULL
        && ::GetPropA(hBox, "CaughtBox") == NULL)
    {
        ::SetPropA(hBox, "CaughtBox", reinterpret_cast<HANDLE>(1));     // activations repeat
        CaughtBox box;
        char szText[4096] = "";
        ::GetWindowTextA(hBox, szText, sizeof szText);
        box.strCaption = szText;
        szText[0] = '\0';
        ::GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof szText);         // the message static
        box.strText = szText;
        box.nIcon = IconOfBox(hBox);
        box.hOwner = ::GetWindow(hBox, GW_OWNER);
        s_boxes.push_back(box);
        ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

MessageBoxCatcher::MessageBoxCatcher()
{
    s_boxes.clear();
    m_hHook = ::SetWindowsHookExA(WH_CBT, CatchBox, NULL, ::GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    ::UnhookWindowsHookEx(m_hHook);
}

const std::vector<CaughtBox>& MessageBoxCatcher::Boxes() const
{
    return s_boxes;
}

ScopedEnv::ScopedEnv(const char* pszName, const char* pszValue) : m_strName(pszName)
{
    const char* pszOld = getenv(pszName);
    m_bHadOld = pszOld != NULL;
    if (m_bHadOld)
        m_strOld = pszOld;
    std::string strAssign = m_strName + "=" + (pszValue ? pszValue : "");
    _putenv(strAssign.c_str());
    ::SetEnvironmentVariableA(pszName, pszValue);
}

ScopedEnv::~ScopedEnv()
{
    std::string strAssign = m_strName + "=" + (m_bHadOld ? m_strOld : "");
    _putenv(strAssign.c_str());
    ::SetEnvironmentVariableA(m_strName.c_str(), m_bHadOld ? m_strOld.c_str() : NULL);
}

const char* const DismissWays[3] = { "Cancel", "Esc", "close box" };

std::string Dismiss(HWND hDialog, int nWay)
{
    if (nWay == 0)
        return ClickOn(::GetDlgItem(hDialog, IDCANCEL)) ? "" : "Cancel is covered: " + DescribeInput(hDialog);
    if (nWay == 1)
        return PressKey(hDialog, VK_ESCAPE) ? "" : "the dialog is not in front: " + DescribeInput(hDialog);
    ::PostMessageA(hDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return "";
}
