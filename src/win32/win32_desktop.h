#pragma once

#include <windows.h>

#include "engine/desktop.h"

namespace vistrel {

/// Desktop operations with the shell's windows, the cursor and system commands.
class Win32Desktop final : public Desktop {
public:
    /// application_window: the program's hidden top-level window, which receives the monitor commands.
    explicit Win32Desktop(HWND application_window) : application_window_(application_window) {}

    void set_monitor_power(bool on) override;
    bool screen_saver_active() override;
    void start_screen_saver() override;
    void show_shell_window(std::string_view class_name, bool visible) override;
    void show_cursor(bool visible) override;

private:
    HWND application_window_;  // not owned
};

}  // namespace vistrel
