#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/desktop.h"
#include "engine/message_service.h"
#include "engine/program_starter.h"
#include "engine/tray_icon.h"

namespace vistrel::testing_fakes {

/// One record of what the fakes were asked to do, in order, e.g. "tray.SetVisible(0)".
using CallLog = std::vector<std::string>;

class FakeMessages final : public MessageService {
public:
    explicit FakeMessages(CallLog& log) : log_(log) {}

    void SetPostShow(bool post_show) override { post_show_ = post_show; }
    int MessageDlg(std::string_view text, std::string_view caption, int type) override {
        log_.push_back("MessageDlg(" + std::string(text) + "|" + std::string(caption) + "|" + std::to_string(type) +
                       (post_show_ ? "|posted)" : "|modal)"));
        post_show_ = false;
        return kOk;
    }
    void ShowMessage(std::string_view text) override {
        log_.push_back("ShowMessage(" + std::string(text) + (post_show_ ? "|posted)" : "|modal)"));
        post_show_ = false;
    }
    void CloseDialog() override { log_.push_back("CloseDialog"); }

private:
    CallLog& log_;
    bool post_show_ = false;
};

class FakeTray final : public TrayIcon {
public:
    explicit FakeTray(CallLog& log) : log_(log) {}

    void SetVisible(bool visible) override {
        visible_ = visible;
        log_.push_back(visible ? "tray.show" : "tray.hide");
    }
    void Minimize() override { log_.push_back("tray.Minimize"); }
    bool visible() const { return visible_; }

private:
    CallLog& log_;
    bool visible_ = true;
};

class FakeDesktop final : public Desktop {
public:
    explicit FakeDesktop(CallLog& log) : log_(log) {}

    void set_monitor_power(bool on) override { log_.push_back(on ? "monitor.on" : "monitor.off"); }
    bool screen_saver_active() override { return screen_saver_configured; }
    void start_screen_saver() override { log_.push_back("screensaver"); }
    void show_shell_window(std::string_view class_name, bool visible) override {
        hidden_[std::string(class_name)] += visible ? -1 : 1;
        log_.push_back(std::string(visible ? "show." : "hide.") + std::string(class_name));
    }
    void show_cursor(bool visible) override {
        cursor_count_ += visible ? 1 : -1;
        log_.push_back(visible ? "cursor.show" : "cursor.hide");
    }

    /// The cursor's display count relative to the start (0: as it was).
    int cursor_count() const { return cursor_count_; }
    /// Whether every shell window shown again as often as it was hidden.
    bool shell_restored() const {
        for (const auto& [name, times] : hidden_) {
            if (times != 0) {
                return false;
            }
        }
        return true;
    }
    bool hidden(std::string_view class_name) const {
        auto found = hidden_.find(std::string(class_name));
        return found != hidden_.end() && found->second > 0;
    }

    bool screen_saver_configured = false;

private:
    CallLog& log_;
    int cursor_count_ = 0;
    std::map<std::string, int> hidden_;
};

class FakePrograms final : public ProgramStarter {
public:
    explicit FakePrograms(CallLog& log) : log_(log) {}

    ProgramFailure missing_file(std::string_view path) override {
        if (files.count(std::string(path)) == 0) {
            return "找不到文件";
        }
        return std::nullopt;
    }
    ProgramFailure start(std::string_view command_line, int show_command) override {
        log_.push_back("start(" + std::string(command_line) + "|" + std::to_string(show_command) + ")");
        return start_failure;
    }

    std::set<std::string> files;
    ProgramFailure start_failure;  // what every start answers

private:
    CallLog& log_;
};

}  // namespace vistrel::testing_fakes
