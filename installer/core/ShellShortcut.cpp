// installer/core/ShellShortcut.cpp: shortcuts written and read back through the shell's link object.
#include "ShellShortcut.h"
#include <objbase.h>
#include <shlobj.h>

HRESULT CreateShellShortcut(LPCSTR pszTargetPath, LPCSTR pszLinkPath, LPCSTR pszDescription)
{
    // IPersistFile::Save wants a wide path. Converted first, so that a path the buffer cannot
    // hold (MultiByteToWideChar then fails and leaves no NUL) never reaches Save.
    WCHAR wszLinkPath[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, pszLinkPath, -1, wszLinkPath, MAX_PATH) == 0)
        return HRESULT_FROM_WIN32(::GetLastError());

    // S_FALSE means COM was already initialised on this thread; both still need the
    // CoUninitialize below. A failure (another apartment model) leaves COM usable as it is.
    HRESULT hrInit = ::CoInitialize(NULL);

    IShellLinkA* pLink = NULL;
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&pLink));
    if (SUCCEEDED(hr))
    {
        // A link without its target or text is no shortcut, so these results count too.
        // SetPath gives S_FALSE when the target does not exist yet, which is fine here.
        hr = pLink->SetPath(pszTargetPath);
        if (SUCCEEDED(hr))
            hr = pLink->SetDescription(pszDescription);
        IPersistFile* pFile = NULL;
        if (SUCCEEDED(hr))
            hr = pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile));
        if (SUCCEEDED(hr))
        {
            hr = pFile->Save(wszLinkPath, TRUE);
            pFile->Release();
        }
        pLink->Release();
    }

    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return SUCCEEDED(hr) ? S_OK : hr;
}

HRESULT ReadShellShortcutTarget(LPCSTR pszLinkPath, char* pszTargetPath)
{
    pszTargetPath[0] = '\0';
    WCHAR wszLinkPath[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, pszLinkPath, -1, wszLinkPath, MAX_PATH) == 0)
        return HRESULT_FROM_WIN32(::GetLastError());

    HRESULT hrInit = ::CoInitialize(NULL);
    IShellLinkA* pLink = NULL;
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&pLink));
    if (SUCCEEDED(hr))
    {
        IPersistFile* pFile = NULL;
        hr = pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile));
        if (SUCCEEDED(hr))
        {
            hr = pFile->Load(wszLinkPath, STGM_READ);
            pFile->Release();
        }
        // The raw path: the one SetPath was given, environment strings and all, without the
        // search for a moved target that resolving would start.
        if (SUCCEEDED(hr))
            hr = pLink->GetPath(pszTargetPath, MAX_PATH, NULL, SLGP_RAWPATH);
        if (hr == S_FALSE)          // a link without a path: no target to compare
            hr = E_FAIL;
        pLink->Release();
    }
    if (FAILED(hr))
        pszTargetPath[0] = '\0';

    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return SUCCEEDED(hr) ? S_OK : hr;
}
