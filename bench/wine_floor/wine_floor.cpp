// bench/wine_floor/wine_floor.cpp: Wine's own start-up floor, a program that only opens one window.
//
// The benchmark times it to its window and reads its memory, so that what the installer and its
// floor cost can be read as what they add above Wine itself. It ends when its window is closed.
#include <windows.h>

static const char s_szClass[] = "WineFloor";
static const char s_szTitle[] = "Wine floor";

static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    WNDCLASSA wc;
    ::ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = s_szClass;
    if (!::RegisterClassA(&wc))
        return 1;
    if (!::CreateWindowExA(0, s_szClass, s_szTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           CW_USEDEFAULT, CW_USEDEFAULT, 300, 200, NULL, NULL, hInstance, NULL))
        return 1;
    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
