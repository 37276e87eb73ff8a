#pragma once

#include <functional>

#include "win32/unique_handle.h"

namespace vistrel {

/// A hidden top-level window whose messages go to one function: how non-visual components hear the system.
/// Unlike a message-only window it also receives broadcasts such as WM_QUERYENDSESSION.
class UtilityWindow {
public:
    using Procedure = std::function<LRESULT(UINT message, WPARAM wparam, LPARAM lparam)>;

    explicit UtilityWindow(Procedure procedure);
    UtilityWindow(const UtilityWindow&) = delete;
    UtilityWindow& operator=(const UtilityWindow&) = delete;
    ~UtilityWindow();

    HWND handle() const { return handle_.get(); }
    /// Destroys the window early (it may be called from the window's own procedure).
    void destroy();

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    Procedure procedure_;
    UniqueHwnd handle_;
};

}  // namespace vistrel
