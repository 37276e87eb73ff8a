#pragma once
// The window and tray icon of the idle benchmark's floors: what any wine program in the notification area shows.
#include <windows.h>
// shellapi.h needs the types of windows.h
#include <shellapi.h>

/// Shows a window titled `title` with a tray icon, `fill` having put its controls in; runs until it is closed.
template <typename Fill>
int run_floor_window(HINSTANCE instance, const wchar_t* title, Fill fill) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wparam, lparam);
    };
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"FloorWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 266, 203, 497, 397,
                                  nullptr, nullptr, instance, nullptr);
    fill(window);
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(icon.szTip, title, sizeof(icon.szTip) / sizeof(icon.szTip[0]));
    Shell_NotifyIconW(NIM_ADD, &icon);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
