// The floor of any wine program with a window in the notification area: one window and one tray icon, nothing
// else. The idle benchmark measures Vistrel beside it.
#include <windows.h>
// shellapi.h needs the types of windows.h
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wparam, lparam);
    };
    wc.hInstance = instance;
    wc.lpszClassName = L"BareTrayWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, 266, 203, 497, 397,
                                  nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(icon.szTip, L"Bare");
    Shell_NotifyIconW(NIM_ADD, &icon);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
