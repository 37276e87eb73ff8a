#pragma once

#include "components/Zqhotkey.h"
#include "components/Zqinfodlg.h"
#include "components/Zqtrayicon.h"
#include "engine/message_service.h"
#include "engine/settings.h"
#include "engine/tray_icon.h"
#include "framework/component.h"

namespace vistrel::app {

/// The engine's message service shown through the info dialog.
class InfoDialogMessages final : public MessageService {
public:
    explicit InfoDialogMessages(TzqInfoDlg& dialog) : dialog_(dialog) {}

    void SetPostShow(bool post_show) override { dialog_.PostShow = post_show; }
    int MessageDlg(std::string_view text, std::string_view caption, int type) override;
    void ShowMessage(std::string_view text) override;
    void CloseDialog() override { dialog_.CloseDialog(); }

private:
    TzqInfoDlg& dialog_;
};

/// The engine's tray icon: the form's TrayIcon1, while it exists.
class TrayIconPort final : public TrayIcon {
public:
    explicit TrayIconPort(TzqTrayIcon& tray) { tray_ = &tray; }

    void SetVisible(bool visible) override;
    void Minimize() override;

private:
    ComponentRef<TzqTrayIcon> tray_;
};

/// The settings' two hot-key items: the items of the form's zqHotKey1.
class HotKeyPort final : public HotKeyItems {
public:
    explicit HotKeyPort(TzqHotKey& hot_keys) : hot_keys_(hot_keys) {}

    void set_key_value(int item, std::uint16_t key_value) override;
    void activate(int item) override;

private:
    TzqHotKey& hot_keys_;
};

}  // namespace vistrel::app
