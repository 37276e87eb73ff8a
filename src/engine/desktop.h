#pragma once

#include <string_view>

namespace vistrel {

/// Window classes of the shell windows that a compulsory rest hides.
inline constexpr std::string_view kTaskBarClass = "Shell_TrayWnd";
inline constexpr std::string_view kDesktopClass = "ProgMan";

/// The desktop operations of a rest.
class Desktop {
public:
    virtual ~Desktop() = default;

    /// Switches the monitor off or back on through the application window.
    virtual void set_monitor_power(bool on) = 0;
    /// Whether a screen saver is configured and active; false when the system cannot say.
    virtual bool screen_saver_active() = 0;
    /// Asks the desktop window to start the screen saver.
    virtual void start_screen_saver() = 0;
    /// Hides or shows the top-level window of class_name (ASCII); nothing when there is none.
    virtual void show_shell_window(std::string_view class_name, bool visible) = 0;
    /// Lowers or raises the cursor's display count by one.
    virtual void show_cursor(bool visible) = 0;
};

}  // namespace vistrel
