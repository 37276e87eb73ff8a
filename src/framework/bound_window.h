#pragma once

#include <string>

#include "win32/unique_handle.h"

namespace vistrel {

/// What a window asks of CreateWindowExW.
struct TCreateParams {
    std::wstring caption;
    DWORD style = 0;
    DWORD ex_style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    /// A child window's identifier.
    UINT_PTR id = 0;
    /// The window class, registered on first use.
    std::wstring class_name;
    /// A system class that the registered class is built on (its window procedure is the default), or null.
    const wchar_t* base_class = nullptr;
    UINT class_style = 0;
};

/// The one base of every window of the program (controls, forms, the application window, the hint window,
/// utility windows): the object is bound to its window at WM_NCCREATE and unbound at WM_NCDESTROY; the
/// messages in between go to handle_message, and an exception that escapes it is reported through
/// Application().HandleException. A window the system refuses to make is an error: create_window throws.
class BoundWindow {
public:
    BoundWindow(const BoundWindow&) = delete;
    BoundWindow& operator=(const BoundWindow&) = delete;

    /// The object bound to a window of ours, or null.
    static BoundWindow* FromWindow(HWND window);

protected:
    BoundWindow() = default;
    /// Destroys the window if it is still there.
    virtual ~BoundWindow();

    /// Makes the window, bound to this object; throws std::system_error when it cannot be made.
    void create_window(const TCreateParams& params);
    /// Destroys the window. This object hears nothing more of it: its messages go to the default procedure.
    void destroy_window();
    /// The window, or null while there is none.
    HWND hwnd() const { return handle_.get(); }
    /// Whether the window's class is built on a system class.
    bool system_class() const { return default_proc_ != &DefWindowProcW; }

    /// The messages of the window; what is not handled goes to DefaultHandler.
    virtual LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) = 0;
    /// The default procedure of the window's class: the system class's own, or DefWindowProcW.
    LRESULT DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam);

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    UniqueHwnd handle_;
    WNDPROC default_proc_ = &DefWindowProcW;
};

}  // namespace vistrel
