#pragma once

#include <functional>

#include "framework/bound_window.h"

namespace vistrel {

/// A hidden top-level window whose messages go to one function: how non-visual components hear the system.
/// Unlike a message-only window it also receives broadcasts such as WM_QUERYENDSESSION.
class UtilityWindow : public BoundWindow {
public:
    using Procedure = std::function<LRESULT(UINT message, WPARAM wparam, LPARAM lparam)>;

    explicit UtilityWindow(Procedure procedure);

    HWND handle() const { return hwnd(); }
    /// Destroys the window early (it may be called from the window's own procedure).
    void destroy() { destroy_window(); }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    Procedure procedure_;
    bool created_ = false;
};

}  // namespace vistrel
