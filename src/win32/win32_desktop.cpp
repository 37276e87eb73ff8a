#include "win32/win32_desktop.h"

#include "win32/wide_text.h"

namespace vistrel {

void Win32Desktop::set_monitor_power(bool on) {
    // -1 is "on"; 0 rather than 2 ("off") is what the rest has always sent, and it still blanks the display.
    SendMessageW(application_window_, WM_SYSCOMMAND, SC_MONITORPOWER, on ? -1 : 0);
}

bool Win32Desktop::screen_saver_active() {
    BOOL active = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0) && active;
}

void Win32Desktop::start_screen_saver() {
    PostMessageW(GetDesktopWindow(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

void Win32Desktop::show_shell_window(std::string_view class_name, bool visible) {
    if (HWND window = FindWindowW(to_wide(class_name).c_str(), nullptr)) {
        ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
    }
}

void Win32Desktop::show_cursor(bool visible) {
    ShowCursor(visible ? TRUE : FALSE);
}

}  // namespace vistrel
