#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "engine/scheduler.h"
#include "engine/virtual_clock.h"
#include "engine_fakes.h"

namespace vistrel::testing_fakes {

/// A time of day (day part 0), as the timetable pages build them.
inline TDateTime clock_time(unsigned hour, unsigned minute, unsigned second = 0, unsigned millisecond = 0) {
    return encode_time(0, hour, minute, second, millisecond);
}

/// A date and time.
inline TDateTime date_time(int year,
                           int month,
                           int day,
                           unsigned hour = 0,
                           unsigned minute = 0,
                           unsigned second = 0,
                           unsigned millisecond = 0) {
    return encode_time(static_cast<std::uint32_t>(day_number(year, month, day)), hour, minute, second, millisecond);
}

/// "hh:mm:ss.mmm" of the clock (the day is left out), or "d+N hh:mm:ss.mmm" N days after the first day.
inline std::string clock_text(const VirtualClock& clock, std::int64_t first_day) {
    const std::int64_t ms = clock.wall_ms();
    const std::int64_t day = ms / 86400000 - first_day;
    const std::int64_t of_day = ms % 86400000;
    char text[40];
    std::snprintf(text, sizeof(text), "%02d:%02d:%02d.%03d", static_cast<int>(of_day / 3600000),
                  static_cast<int>(of_day / 60000 % 60), static_cast<int>(of_day / 1000 % 60),
                  static_cast<int>(of_day % 1000));
    return day == 0 ? std::string(text) : "d+" + std::to_string(day) + " " + text;
}

/// The scheduler's events as "hh:mm:ss.mmm what", in order.
class EventLog final : public SchedulerEvents {
public:
    EventLog(const VirtualClock& clock, std::int64_t first_day) : clock_(clock), first_day_(first_day) {}

    void armed(std::uint32_t interval, std::int32_t tag) override {
        add("arm " + std::to_string(interval) + " " + std::to_string(tag));
    }
    void pre_reminder() override { add("pre-reminder"); }
    void rest_begin(const TimerEntry& entry) override { add("rest-begin " + std::to_string(entry.break_minutes())); }
    void rest_end() override { add("rest-end"); }
    void rest(const TimerEntry& entry, std::int32_t mode) override {
        add("rest " + std::to_string(entry.break_minutes()) + " mode " + std::to_string(mode));
    }
    void rest_skipped(const TimerEntry&) override { add("rest-skipped"); }
    void reminder(const TimerEntry& entry) override { add("reminder " + entry.remind_info()); }
    void program(const TimerEntry&, int show_command, std::string_view command_line) override {
        add("program " + std::to_string(show_command) + " " + std::string(command_line));
    }
    void program_missing(const TimerEntry&, std::string_view path) override {
        add("program-missing " + std::string(path));
    }
    void program_refused(const TimerEntry&, std::string_view path) override {
        add("program-refused " + std::string(path));
    }

    std::vector<std::string> lines;

private:
    void add(const std::string& what) { lines.push_back(clock_text(clock_, first_day_) + " " + what); }

    const VirtualClock& clock_;
    std::int64_t first_day_;
};

/// The engine on a virtual clock with recording fakes, started at a given moment with a given uptime. Its events go
/// to the EventLog, or to listener instead when one is given.
struct EngineRig {
    explicit EngineRig(TDateTime start, std::uint32_t uptime_ms = 86400000, SchedulerEvents* listener = nullptr)
        : clock(start, uptime_ms), events(clock, day_part(start)), ports{clock,     Timer1,
                                                                         Timer_day, zqInfo,
                                                                         tray,      desktop,
                                                                         programs,  listener ? listener : &events} {}

    /// Starts the schedule as the program does: the midnight timer, then the pause/resume toggle.
    void start() {
        scheduler.arm_day_timer();
        scheduler.change_run_or_pause();
    }
    /// Runs the clock until the time of day t of the current day.
    void run_to(TDateTime t) { clock.run_until(static_cast<double>(day_part(clock.now())) + t); }

    TimerEntry& rest(TDateTime t, unsigned minutes) { return *insert_rest(schedule.rest_list, t, minutes); }
    TimerEntry& reminder(TDateTime t, const std::string& text) {
        TaskPayload payload;
        payload.remind_info = text;
        return *insert_task(schedule.task_list, t, static_cast<std::uint8_t>(ENTRY_TASK | dated_flag(t)), payload);
    }
    TimerEntry& program(TDateTime t, std::uint8_t run_mode, const std::string& path, const std::string& arguments) {
        TaskPayload payload;
        payload.run_mode = run_mode;
        payload.shell_path = path;
        payload.command_line = arguments;
        return *insert_task(schedule.task_list, t,
                            static_cast<std::uint8_t>(ENTRY_TASK | ENTRY_PROGRAM | dated_flag(t)), payload);
    }

    /// The events and calls logged so far, then cleared.
    std::vector<std::string> take_events() { return std::exchange(events.lines, {}); }
    CallLog take_calls() { return std::exchange(calls, {}); }

    Schedule schedule;
    Settings settings;
    VirtualClock clock;
    VirtualTimer Timer1{clock};
    VirtualTimer Timer_day{clock};
    CallLog calls;
    FakeMessages zqInfo{calls};
    FakeTray tray{calls};
    FakeDesktop desktop{calls};
    FakePrograms programs{calls};
    EventLog events;
    EnginePorts ports{clock, Timer1, Timer_day, zqInfo, tray, desktop, programs, &events};
    Scheduler scheduler{schedule, settings, ports};

private:
    static std::uint8_t dated_flag(TDateTime t) { return day_part(t) != 0 ? ENTRY_DATED : 0; }
};

}  // namespace vistrel::testing_fakes
