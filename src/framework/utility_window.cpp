#include "framework/utility_window.h"

#include "framework/application.h"

namespace vistrel {

UtilityWindow::UtilityWindow(Procedure procedure) : procedure_(std::move(procedure)) {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &window_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VistrelUtilityWindow";
        return RegisterClassExW(&wc);
    }();
    handle_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, MAKEINTATOM(atom), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    // Bound only now: the messages of the window's creation go to the default procedure.
    SetWindowLongPtrW(handle_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

UtilityWindow::~UtilityWindow() {
    destroy();
}

void UtilityWindow::destroy() {
    if (handle_) {
        SetWindowLongPtrW(handle_.get(), GWLP_USERDATA, 0);
        handle_.reset();
    }
}

LRESULT CALLBACK UtilityWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<UtilityWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wparam, lparam);
    }
    try {
        return self->procedure_(message, wparam, lparam);
    } catch (...) {
        Application().HandleException();
        return 0;
    }
}

}  // namespace vistrel
