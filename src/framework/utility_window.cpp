#include "framework/utility_window.h"

namespace vistrel {

UtilityWindow::UtilityWindow(Procedure procedure) : procedure_(std::move(procedure)) {
    TCreateParams params;
    params.class_name = L"VistrelUtilityWindow";
    params.style = WS_POPUP;
    params.ex_style = WS_EX_TOOLWINDOW;
    create_window(params);
    created_ = true;
}

LRESULT UtilityWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    // The messages of the window's creation go to the default procedure: whoever makes this window is still
    // making it, and its procedure may ask for handle().
    if (!created_) {
        return DefaultHandler(message, wparam, lparam);
    }
    return procedure_(message, wparam, lparam);
}

}  // namespace vistrel
