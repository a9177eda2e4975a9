// installer/core/ShellShortcut.cpp: shortcuts written and read back through the shell's link object.
#include "ShellShortcut.h"
#include <objbase.h>
#include <shlobj.h>

namespace {

// The shell's link object for one link file, for as long as this lives: the path widened, COM
// initialised, the object created and its IPersistFile queried, in that order, each only when
// the one before succeeded; the destructor releases them in reverse order.
class CShellLinkFile
{
public:
    // Construction
    explicit CShellLinkFile(LPCSTR pszLinkPath)
        : m_hrInit(E_FAIL), m_hr(S_OK), m_pLink(NULL), m_pFile(NULL)
    {
        // IPersistFile wants a wide path. Converted first, so that a path the buffer cannot
        // hold (MultiByteToWideChar then fails and leaves no NUL) never reaches it.
        if (::MultiByteToWideChar(CP_ACP, 0, pszLinkPath, -1, m_wszPath, MAX_PATH) == 0)
        {
            m_hr = HRESULT_FROM_WIN32(::GetLastError());
            return;
        }
        // S_FALSE means COM was already initialised on this thread; both still need the
        // CoUninitialize below. A failure (another apartment model) leaves COM usable as it is.
        m_hrInit = ::CoInitialize(NULL);
        m_hr = ::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&m_pLink));
        if (SUCCEEDED(m_hr))
            m_hr = m_pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&m_pFile));
    }
    ~CShellLinkFile()
    {
        if (m_pFile != NULL)
            m_pFile->Release();
        if (m_pLink != NULL)
            m_pLink->Release();
        if (SUCCEEDED(m_hrInit))
            ::CoUninitialize();
    }

    // Attributes
    HRESULT Result() const { return m_hr; }     // a success when the link object is there
    IShellLinkA* Link() const { return m_pLink; }
    IPersistFile* File() const { return m_pFile; }
    LPCWSTR Path() const { return m_wszPath; }

private:
    CShellLinkFile(const CShellLinkFile&);
    CShellLinkFile& operator=(const CShellLinkFile&);

    WCHAR m_wszPath[MAX_PATH];
    HRESULT m_hrInit, m_hr;
    IShellLinkA* m_pLink;
    IPersistFile* m_pFile;
};

} // namespace

HRESULT CreateShellShortcut(LPCSTR pszTargetPath, LPCSTR pszLinkPath, LPCSTR pszDescription)
{
    CShellLinkFile link(pszLinkPath);
    HRESULT hr = link.Result();
    // A link without its target or text is no shortcut, so these results count too. SetPath
    // gives S_FALSE when the target does not exist yet, which is fine here.
    if (SUCCEEDED(hr))
        hr = link.Link()->SetPath(pszTargetPath);
    if (SUCCEEDED(hr))
        hr = link.Link()->SetDescription(pszDescription);
    if (SUCCEEDED(hr))
        hr = link.File()->Save(link.Path(), TRUE);
    return SUCCEEDED(hr) ? S_OK : hr;
}

HRESULT ReadShellShortcutTarget(LPCSTR pszLinkPath, char* pszTargetPath)
{
    pszTargetPath[0] = '\0';
    CShellLinkFile link(pszLinkPath);
    HRESULT hr = link.Result();
    if (SUCCEEDED(hr))
        hr = link.File()->Load(link.Path(), STGM_READ);
    // The raw path: the one SetPath was given, without the search for a moved target that
    // resolving would start.
    if (SUCCEEDED(hr))
        hr = link.Link()->GetPath(pszTargetPath, MAX_PATH, NULL, SLGP_RAWPATH);
    if (hr == S_FALSE)              // a link without a path: no target to compare
        hr = E_FAIL;
    if (FAILED(hr))
        pszTargetPath[0] = '\0';
    return SUCCEEDED(hr) ? S_OK : hr;
}
