#pragma once

#include <string_view>

#include "engine/desktop.h"
#include "engine/message_service.h"
#include "engine/tray_icon.h"

namespace vistrel {

// Ports that show nothing and leave the desktop alone: for previews of a schedule and for benchmarks.

/// A message service that shows nothing and answers OK.
class SilentMessages final : public MessageService {
public:
    void SetPostShow(bool) override {}
    int MessageDlg(std::string_view, std::string_view, int) override { return kOk; }
    void ShowMessage(std::string_view) override {}
    void CloseDialog() override {}
};

/// A tray icon that is never there.
class SilentTray final : public TrayIcon {
public:
    void SetVisible(bool) override {}
    void Minimize() override {}
};

/// Desktop operations that do nothing; no screen saver is configured.
class SilentDesktop final : public Desktop {
public:
    void set_monitor_power(bool) override {}
    bool screen_saver_active() override { return false; }
    void start_screen_saver() override {}
    void show_shell_window(std::string_view, bool) override {}
    void show_cursor(bool) override {}
};

}  // namespace vistrel
