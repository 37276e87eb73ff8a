#include "framework/bound_window.h"

#include <map>
#include <system_error>

#include "framework/application.h"
#include "win32/wide_text.h"

namespace vistrel {
namespace {

// The default procedure of each registered class (the system class's own, or DefWindowProcW).
std::map<ATOM, WNDPROC>& base_procedures() {
    static std::map<ATOM, WNDPROC> procedures;
    return procedures;
}

WNDPROC base_procedure(HWND window) {
    const auto& procedures = base_procedures();
    const auto it = procedures.find(static_cast<ATOM>(GetClassWord(window, GCW_ATOM)));
    return it != procedures.end() ? it->second : &DefWindowProcW;
}

std::system_error last_error(const std::string& what) {
    return {static_cast<int>(GetLastError()), std::system_category(), what};
}

}  // namespace

BoundWindow::~BoundWindow() {
    destroy_window();
}

BoundWindow* BoundWindow::FromWindow(HWND window) {
    if (window == nullptr || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) != &window_proc) {
        return nullptr;
    }
    return reinterpret_cast<BoundWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void BoundWindow::create_window(const TCreateParams& params) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(instance, params.class_name.c_str(), &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        WNDPROC base = &DefWindowProcW;
        if (params.base_class != nullptr && GetClassInfoExW(nullptr, params.base_class, &wc)) {
            base = wc.lpfnWndProc;
            wc.cbSize = sizeof(wc);
        } else {
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        }
        wc.style |= params.class_style;
        wc.lpfnWndProc = &window_proc;
        wc.hInstance = instance;
        wc.lpszClassName = params.class_name.c_str();
        const ATOM atom = RegisterClassExW(&wc);
        if (atom == 0) {
            throw last_error("Cannot register the window class " + to_utf8(params.class_name));
        }
        base_procedures()[atom] = base;
    }
    CreateWindowExW(params.ex_style, params.class_name.c_str(), params.caption.c_str(), params.style, params.x,
                    params.y, params.width, params.height, params.parent, reinterpret_cast<HMENU>(params.id), instance,
                    this);
    if (!handle_) {
        throw last_error("Cannot create a window of class " + to_utf8(params.class_name));
    }
}

void BoundWindow::destroy_window() {
    if (handle_) {
        // A window may be destroyed from a destructor, when the object behind it is half gone.
        SetWindowLongPtrW(handle_.get(), GWLP_USERDATA, 0);
        handle_.reset();
    }
}

LRESULT BoundWindow::DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProcW(default_proc_, handle_.get(), message, wparam, lparam);
}

LRESULT CALLBACK BoundWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<BoundWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<BoundWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        if (self != nullptr) {
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->handle_.reset(window);
            self->default_proc_ = base_procedure(window);
        }
    }
    if (self == nullptr) {
        return CallWindowProcW(base_procedure(window), window, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_.release();
        return CallWindowProcW(self->default_proc_, window, message, wparam, lparam);
    }
    try {
        return self->handle_message(message, wparam, lparam);
    } catch (...) {
        if (message == WM_PAINT) {
            ValidateRect(window, nullptr);  // else the failed painting would be asked for again at once
        }
        Application().HandleException();
        return 0;
    }
}

}  // namespace vistrel
