#include "engine/rest_session.h"

#include <algorithm>
#include <string>

namespace vistrel {
namespace {

constexpr char kRestText[] = "到了休息的时间了，请珍重身体！\r\n倒计时：";
constexpr char kRestCaption[] = "定时提醒";
constexpr char kPreReminderText[] = "请作好准备，一分钟内将进入强制休息模式！";

constexpr std::uint32_t kRestTick = 1000;

// However long an entry says, no rest lasts longer than the rest page offers: a damaged timetable must never take
// the desktop away for hours.
std::uint32_t rest_minutes(const TimerEntry& entry) {
    return std::min(entry.break_minutes(), kLongestRest);
}

}  // namespace

RestSession::RestSession(const Settings& settings, const EnginePorts& ports, SchedulerEvents& events)
    : settings_(settings), ports_(ports), events_(events) {}

void RestSession::rest_action(RestPhase phase) {
    switch (settings_.RestMode) {
        case 0:
            if (phase == RestPhase::begin) {
                ports_.TrayIcon1.Minimize();
                ports_.zqInfo.CloseDialog();
                ports_.zqInfo.SetPostShow(true);
                ports_.zqInfo.MessageDlg(kRestText + std::to_string(countdown_), kRestCaption, MessageService::kPlain);
                --countdown_;
            } else {
                ports_.zqInfo.CloseDialog();
            }
            break;
        case 1:
            ports_.desktop.set_monitor_power(phase == RestPhase::end);
            break;
        default:
            if (phase == RestPhase::begin && ports_.desktop.screen_saver_active()) {
                ports_.desktop.start_screen_saver();
            }
            break;
    }
}

void RestSession::start_compulsory_rest(const TimerEntry& entry) {
    events_.rest_begin(entry);
    in_progress_ = true;
    pre_reminded_ = false;  // the rest keeps the tray icon hidden from here
    ports_.TrayIcon1.SetVisible(false);
    ports_.desktop.show_cursor(false);
    ports_.desktop.show_shell_window(kTaskBarClass, false);
    ports_.desktop.show_shell_window(kDesktopClass, false);
    const std::uint32_t minutes = rest_minutes(entry);
    end_time_ = add_time(ports_.clock.now(), static_cast<std::uint16_t>(minutes), TimePart::minutes);
    start_tick_ = ports_.clock.tick_count();
    length_ms_ = minutes * 60000u;
    ports_.Timer1.SetInterval(kRestTick);
    countdown_ = static_cast<std::int32_t>(minutes * 60);
    ports_.Timer1.SetEnabled(true);
    rest_action(RestPhase::begin);
}

void RestSession::end_compulsory_rest() {
    if (settings_.CompulsoryPremind) {
        ports_.zqInfo.CloseDialog();
    }
    in_progress_ = false;
    ports_.desktop.show_cursor(true);
    ports_.TrayIcon1.SetVisible(true);
    ports_.desktop.show_shell_window(kTaskBarClass, true);
    ports_.desktop.show_shell_window(kDesktopClass, true);
    rest_action(RestPhase::end);
    events_.rest_end();
}

void RestSession::rest_once(const TimerEntry& entry) {
    events_.rest(entry, settings_.RestMode);
    countdown_ = static_cast<std::int32_t>(rest_minutes(entry) * 60);
    rest_action(RestPhase::begin);
}

void RestSession::show_pre_reminder() {
    events_.pre_reminder();
    ports_.TrayIcon1.Minimize();
    ports_.TrayIcon1.SetVisible(false);
    pre_reminded_ = true;
    ports_.zqInfo.CloseDialog();
    ports_.zqInfo.SetPostShow(true);
    ports_.zqInfo.ShowMessage(kPreReminderText);
}

void RestSession::cancel_pre_reminder() {
    if (pre_reminded_) {
        pre_reminded_ = false;
        ports_.TrayIcon1.SetVisible(true);
        ports_.zqInfo.CloseDialog();  // the warning must not stay open for a rest that will not come
    }
}

void RestSession::restore_everything() {
    if (in_progress_) {
        end_compulsory_rest();
    }
    cancel_pre_reminder();
}

bool RestSession::over() const {
    // Unsigned subtraction stays right across the tick count's wrap.
    return ports_.clock.tick_count() - start_tick_ >= length_ms_;
}

}  // namespace vistrel
