#include "simulate.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

#include "engine/schedule_file.h"
#include "engine/scheduler.h"
#include "engine/silent_ports.h"
#include "engine/text_codec.h"
#include "engine/virtual_clock.h"
#include "program_files.h"
#include "schedule_tool.h"

namespace vistrel::tool {
namespace {

namespace fs = std::filesystem;

// "YYYY-MM-DD HH:MM:SS" of a whole second.
std::string second_text(TDateTime t) {
    std::string text = entry_time_text(t);
    if (text.size() == 10) {
        text += " 00:00:00";  // the date alone stands for midnight
    }
    return text;
}

// "YYYY-MM-DD HH:MM:SS.mmm" of the clock.
std::string time_text(const VirtualClock& clock) {
    const std::int64_t ms = clock.wall_ms();
    const auto fraction = std::to_string(1000 + ms % 1000);
    return second_text(ms_to_time(ms - ms % 1000)) + "." + fraction.substr(1);
}

// One line per event, fields separated by TAB, the first the virtual time.
class EventPrinter final : public SchedulerEvents {
public:
    EventPrinter(const VirtualClock& clock, std::ostream& out) : clock_(clock), out_(out) {}

    void armed(std::uint32_t interval, std::int32_t tag) override {
        line("arm", std::to_string(interval), std::to_string(tag));
    }
    void pre_reminder() override { line("pre-reminder"); }
    void rest_begin(const TimerEntry& entry) override { line("rest-begin", std::to_string(entry.break_minutes())); }
    void rest_end() override { line("rest-end"); }
    void rest(const TimerEntry&, std::int32_t mode) override { line("rest", std::to_string(mode)); }
    void rest_skipped(const TimerEntry&) override { line("rest-skipped"); }
    void reminder(const TimerEntry& entry) override { line("reminder", escape_text(gbk_to_utf8(entry.remind_info()))); }
    void program(const TimerEntry&, int show_command, std::string_view command_line) override {
        line("program", std::to_string(show_command), escape_text(command_line));
    }
    void program_missing(const TimerEntry&, std::string_view path) override {
        line("program-missing", escape_text(path));
    }
    void program_refused(const TimerEntry&, std::string_view path) override {
        line("program-refused", escape_text(path));
    }

    template <typename... Fields>
    void line(std::string_view what, const Fields&... fields) {
        out_ << time_text(clock_) << '\t' << what;
        ((out_ << '\t' << fields), ...);
        out_ << '\n';
    }

private:
    const VirtualClock& clock_;
    std::ostream& out_;
};

// Something that happens to the program or the computer during the preview.
struct Happening {
    enum class Kind { pause, resume, sleep, set_clock };
    Kind kind = Kind::pause;
    TDateTime until = 0.0;  // sleep: the wake; set_clock: the time the clock is set to
};

struct Options {
    fs::path file;
    TDateTime from = 0.0;
    TDateTime to = 0.0;
    Settings settings;
    std::uint32_t uptime_minutes = 1440;
    std::multimap<TDateTime, Happening> happenings;  // by when they happen, in the order given at the same time
};

// A command line that cannot be run, and why.
struct UsageError {
    std::string message;
};

TDateTime date_and_time(const std::string& option, const std::string& text) {
    const auto civil = split_entry_time(text);
    if (!civil || !civil->has_date || text.find(':') == std::string::npos || civil->hour > 23 || civil->minute > 59 ||
        civil->second > 59 || !is_valid_date(civil->year, civil->month, civil->day) ||
        day_number(civil->year, civil->month, civil->day) < 1) {
        throw UsageError{"invalid time for " + option + " '" + text + "': expected \"YYYY-MM-DD HH:MM:SS\""};
    }
    return civil_to_time(*civil);
}

std::uint32_t whole_number(const std::string& option, const std::string& text, std::uint32_t high) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(text) > high) {
        throw UsageError{"invalid value for " + option + " '" + text + "': expected 0-" + std::to_string(high)};
    }
    return static_cast<std::uint32_t>(std::stoul(text));
}

// Reads "simulate FILE" and the options after it.
Options read_options(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) {
        throw UsageError{"wrong number of arguments for 'simulate'"};
    }
    Options options;
    options.file = fs::path(std::u8string(arguments[1].begin(), arguments[1].end()));
    std::optional<TDateTime> from;
    std::optional<TDateTime> to;
    for (std::size_t i = 2; i < arguments.size(); i += 2) {
        const std::string& name = arguments[i];
        const std::size_t values = name == "--sleep" || name == "--set-clock" ? 2 : 1;
        if (i + values >= arguments.size()) {
            throw UsageError{"option '" + name + "' needs " + (values == 1 ? "a value" : "two values")};
        }
        const std::string& value = arguments[i + 1];
        if (name == "--sleep" || name == "--set-clock") {
            const TDateTime at = date_and_time(name, value);
            const TDateTime until = date_and_time(name, arguments[i + 2]);
            if (name == "--sleep" && until <= at) {
                throw UsageError{"--sleep must end after it begins"};
            }
            options.happenings.emplace(
                at, Happening{name == "--sleep" ? Happening::Kind::sleep : Happening::Kind::set_clock, until});
            ++i;
        } else if (name == "--from") {
            from = date_and_time(name, value);
        } else if (name == "--to") {
            to = date_and_time(name, value);
        } else if (name == "--pause" || name == "--resume") {
            options.happenings.emplace(date_and_time(name, value),
                                       Happening{name == "--pause" ? Happening::Kind::pause : Happening::Kind::resume});
        } else if (name == "--compulsory") {
            options.settings.CompulsoryRest = whole_number(name, value, 1) != 0;
        } else if (name == "--premind") {
            options.settings.CompulsoryPremind = whole_number(name, value, 1) != 0;
        } else if (name == "--mode") {
            options.settings.RestMode = static_cast<std::int32_t>(whole_number(name, value, 2));
        } else if (name == "--grace") {
            options.settings.StartDummyTime = static_cast<std::int32_t>(whole_number(name, value, 60));
        } else if (name == "--uptime") {
            // The tick count wraps after 49.7 days.
            options.uptime_minutes = whole_number(name, value, 71582);
        } else {
            throw UsageError{"unknown option '" + name + "' for 'simulate'"};
        }
    }
    if (!from || !to) {
        throw UsageError{"simulate needs --from and --to"};
    }
    if (*to < *from) {
        throw UsageError{"--to lies before --from"};
    }
    options.from = *from;
    options.to = *to;
    return options;
}

// Starts the engine at options.from as the program starts, runs it to options.to and prints what it does.
void simulate(const Options& options, Schedule& schedule, std::ostream& out) {
    VirtualClock clock(options.from, options.uptime_minutes * 60000u);
    VirtualTimer Timer1(clock);
    VirtualTimer Timer_day(clock);
    SilentMessages zqInfo;
    SilentTray tray;
    SilentDesktop desktop;
    ProgramFileTest programs;
    EventPrinter printer(clock, out);
    const EnginePorts ports{clock, Timer1, Timer_day, zqInfo, tray, desktop, programs, &printer};
    Scheduler scheduler(schedule, options.settings, ports);

    scheduler.arm_day_timer();
    scheduler.change_run_or_pause();
    // Each happening comes after what the timers do at its moment; one whose moment a clock set back or a sleep has
    // already passed comes at once.
    for (const auto& [when, happening] : options.happenings) {
        if (when < options.from || when > options.to) {
            continue;
        }
        clock.run_until(when);
        switch (happening.kind) {
            case Happening::Kind::pause:
            case Happening::Kind::resume:
                // Only a change of the state does something.
                if ((happening.kind == Happening::Kind::resume) != scheduler.running()) {
                    printer.line(happening.kind == Happening::Kind::resume ? "resume" : "pause");
                    scheduler.change_run_or_pause();
                }
                break;
            case Happening::Kind::sleep:
                // Asleep, no timer fires; at the wake those that fell due fire late, then the resume notice comes.
                printer.line("sleep");
                clock.sleep_until(happening.until);
                printer.line("wake");
                clock.run_for(0);
                scheduler.resumed();
                break;
            case Happening::Kind::set_clock:
                printer.line("clock", second_text(happening.until));
                clock.set_now(happening.until);
                scheduler.time_changed();
                break;
        }
    }
    clock.run_until(options.to);
}

}  // namespace

int run_simulate(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Options options;
    try {
        options = read_options(arguments);
    } catch (const UsageError& error) {
        err << "vistrel-schedule: " << error.message << "\nTry 'vistrel-schedule --help'.\n";
        return kExitUsage;
    }
    // Read without writing anything: a preview never changes the file.
    ScheduleFile file(options.file);
    Schedule schedule;
    if (auto refusal = read_schedule(file, schedule, arguments[1], err)) {
        err << "vistrel-schedule: " << *refusal << "\n";
        return kExitFailure;
    }
    simulate(options, schedule, out);
    return kExitOk;
}

}  // namespace vistrel::tool
