#include "win32/win32_timer.h"

namespace vistrel {
namespace {

constexpr wchar_t kWindowClass[] = L"VistrelTimerWindow";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

Win32Timer::Win32Timer(std::function<void()> on_error) : on_error_(std::move(on_error)) {
    static const ATOM window_class = [] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.lpfnWndProc = &Win32Timer::window_proc;
        description.hInstance = GetModuleHandleW(nullptr);
        description.lpszClassName = kWindowClass;
        return RegisterClassExW(&description);
    }();
    window_.reset(CreateWindowExW(0, MAKEINTATOM(window_class), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Win32Timer::restart() {
    KillTimer(window_.get(), kTimerId);
    if (running()) {
        SetTimer(window_.get(), kTimerId, Interval(), nullptr);
    }
}

void Win32Timer::tick() {
    try {
        fire();
    } catch (...) {
        if (on_error_) {
            on_error_();
        }
    }
}

LRESULT CALLBACK Win32Timer::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == kTimerId) {
        if (auto* timer = reinterpret_cast<Win32Timer*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            timer->tick();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace vistrel
