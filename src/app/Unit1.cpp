#include "app/Unit1.h"

#include "win32/unique_handle.h"

namespace vistrel::app {
namespace {

// Client size of the main window.
constexpr int kClientWidth = 497;
constexpr int kClientHeight = 357;

void wake(HWND window) {
    if (IsIconic(window)) {
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else {
        SetForegroundWindow(window);
    }
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case kWakeMessage:
            wake(window);
            return 0;
        case WM_QUERYENDSESSION:
            return 1;
        case WM_ENDSESSION:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int run_main_window(HINSTANCE instance) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    UniqueHbrush background(CreateSolidBrush(RGB(223, 223, 223)));
    window_class.hbrBackground = background.get();
    window_class.lpszClassName = kMainWindowClass;
    if (!RegisterClassExW(&window_class)) {
        return 0;
    }
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOPMOST);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, kMainWindowClass, L"Vistrel", style, 266, 203,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 0;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace vistrel::app
