#include "schedule_tool.h"

#include "program_files.h"
#include "simulate.h"

#include "engine/schedule_file.h"
#include "engine/text_codec.h"
#include "engine/timetable.h"
#include "engine/timetable_edits.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>

namespace vistrel::tool {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHelp = R"(vistrel-schedule: read and change a Vistrel schedule file (Vistrel.dat)

Usage:
  vistrel-schedule show FILE
  vistrel-schedule add-rest FILE HH:MM:SS MINUTES
  vistrel-schedule generate FILE BEGIN END SPAN MINUTES
  vistrel-schedule add-reminder FILE TIME TEXT
  vistrel-schedule add-program FILE TIME RUN_MODE PATH [ARGUMENTS]
  vistrel-schedule remove FILE rest|task TIME
  vistrel-schedule clear FILE rest|task
  vistrel-schedule simulate FILE --from TIME --to TIME [--compulsory 0|1] [--premind 0|1]
                   [--mode 0|1|2] [--grace MINUTES] [--uptime MINUTES] [--pause TIME]...
                   [--resume TIME]... [--sleep TIME TIME]... [--set-clock TIME TIME]...
  vistrel-schedule --help

show        Prints every entry without writing the file: the rest entries, then the task
            entries, each in time order, one line each, fields separated by one TAB:
              rest      TIME  MINUTES
              reminder  TIME  TEXT
              program   TIME  RUN_MODE  PATH  ARGUMENTS
            TIME is HH:MM:SS for an every-day entry and YYYY-MM-DD HH:MM:SS for a dated one
            (YYYY-MM-DD alone at midnight). In texts a backslash, TAB, CR and LF are written
            as \\, \t, \r and \n.
add-rest    Adds a rest of MINUTES (1-60) every day at HH:MM:SS, or changes the length of
            the rest at that time.
generate    Replaces the rest timetable by rests of MINUTES (1-60) every SPAN minutes
            (10-180) from BEGIN while before END (both HH:MM:SS). MINUTES must be less
            than SPAN.
add-reminder
            Shows TEXT at TIME: HH:MM:SS every day, or YYYY-MM-DD HH:MM:SS once (not in
            the past). A task at the same time is replaced.
add-program Starts the program PATH with ARGUMENTS at TIME, in window mode RUN_MODE: 0
            default, 1 maximised, 2 minimised, 3 hidden. PATH must be an existing program
            file (.exe, .com, .bat or .cmd) named by its full path, in at most 100 bytes.
remove      Deletes the entry at TIME (as show prints it) from the rest or task list.
clear       Deletes every entry of the rest or task list.
simulate    Previews what Vistrel will do with the timetables of FILE (read, never written):
            starts the schedule at --from as the program starts, on a clock that runs to --to
            in an instant, and prints one line per event, fields separated by one TAB, the
            first the time YYYY-MM-DD HH:MM:SS.mmm:
              arm  INTERVAL_MS  TAG   the timer is set for the next entry (TAG 1: a rest's
                                      one-minute warning comes first)
              pre-reminder            the warning one minute before a compulsory rest
              rest-begin  MINUTES     a compulsory rest begins
              rest-end                it ends
              rest  MODE              a rest that is not compulsory is carried out
              rest-skipped            a rest refused in the first minutes after start-up
              reminder  TEXT          a reminder is shown
              program  SHOW  COMMAND  a program would be started (SHOW: its window mode's
                                      show command)
              program-missing  PATH   a program file does not exist: the task is skipped
                                      and Vistrel says so
              program-refused  PATH   PATH is no program's full path: the task is skipped
                                      and Vistrel says so
              pause / resume          the schedule paused or resumed at --pause/--resume (a
                                      pause while paused, or a resume while running, does
                                      nothing); it comes after what falls due at that moment
              sleep / wake            the computer sleeps and wakes at --sleep FROM TO:
                                      nothing runs in between; at the wake the timers that
                                      fell due fire late, then Windows reports the resume
              clock  TIME             the clock is set to TIME at --set-clock AT TIME, and
                                      Windows reports the change; later events are on the
                                      new clock's time
            TIME is "YYYY-MM-DD HH:MM:SS". The options stand for the settings: --compulsory
            (default 1), --premind (0), --mode (2: 0 dialog, 1 monitor off, 2 screen saver),
            --grace (minutes after start-up in which rests are refused, 0) and --uptime
            (minutes the computer has been up at --from, 1440). Program files are looked
            for, but nothing is started and nothing is shown. Pauses, resumes, sleeps and
            clock settings are taken in order of their times; one whose time a sleep or a
            clock set back has already passed happens at once.

A file that does not exist is an empty schedule. Texts are stored in GBK: at most 200
bytes of reminder text, 100 of path and 100 of arguments. Each list holds at most 255
entries. Every change writes the whole file anew; a command that fails prints why on
standard error, exits with a non-zero status and leaves the file as it was.

Entries of a damaged file that Vistrel could not have written (a rest longer than 60
minutes, a time outside the day, an unknown kind, ...) are left out as Vistrel leaves
them out, and every command says on standard error how many. The first change to such
a file keeps it as it was beside it, as FILE.bad. A file that is no Vistrel schedule
is neither shown nor changed.
)";

// A refused command: its message, and whether the command line itself was wrong.
struct Refusal {
    std::string message;
    bool usage = false;
};

class Command {
public:
    Command(const std::vector<std::string>& arguments, TDateTime now, std::ostream& out, std::ostream& err)
        : args_(arguments), now_(now), out_(out), err_(err) {}

    int run() {
        dispatch();
        if (!refusal_) {
            return kExitOk;
        }
        err_ << "vistrel-schedule: " << refusal_->message << "\n";
        if (refusal_->usage) {
            err_ << "Try 'vistrel-schedule --help'.\n";
            return kExitUsage;
        }
        return kExitFailure;
    }

private:
    struct Verb {
        std::size_t operands;  // after the verb; add-program may have one more (ARGUMENTS)
        void (Command::*handler)();
    };

    void dispatch() {
        static const std::map<std::string_view, Verb> kVerbs = {
            {"show", {1, &Command::show}},
            {"add-rest", {3, &Command::add_rest}},
            {"generate", {5, &Command::generate}},
            {"add-reminder", {3, &Command::add_reminder}},
            {"add-program", {4, &Command::add_program}},
            {"remove", {3, &Command::remove}},
            {"clear", {2, &Command::clear}},
        };
        if (args_.empty()) {
            refuse_usage("no command given");
            return;
        }
        if (args_[0] == "--help" || args_[0] == "-h") {
            out_ << kHelp;
            return;
        }
        const auto verb = kVerbs.find(args_[0]);
        if (verb == kVerbs.end()) {
            refuse_usage("unknown command '" + args_[0] + "'");
            return;
        }
        const std::size_t operands = args_.size() - 1;
        const bool optional_arguments = args_[0] == "add-program" && operands == verb->second.operands + 1;
        if (operands != verb->second.operands && !optional_arguments) {
            refuse_usage("wrong number of arguments for '" + args_[0] + "'");
            return;
        }
        (this->*verb->second.handler)();
    }

    void refuse(std::string message) {
        if (!refusal_) {
            refusal_ = Refusal{std::move(message), false};
        }
    }
    void refuse_usage(std::string message) { refusal_ = Refusal{std::move(message), true}; }
    bool refused() const { return refusal_.has_value(); }

    fs::path file() const {
        const std::string& text = args_[1];
        return fs::path(std::u8string(text.begin(), text.end()));
    }

    // --- reading the arguments

    std::optional<unsigned> number(const std::string& text, std::string_view what, unsigned low, unsigned high) {
        if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
            refuse(std::string(what) + " is not a number: '" + text + "'");
            return std::nullopt;
        }
        const auto value = static_cast<unsigned>(std::stoul(text));
        if (value < low || value > high) {
            refuse(std::string(what) + " out of range (" + std::to_string(low) + "-" + std::to_string(high) +
                   "): " + text);
            return std::nullopt;
        }
        return value;
    }

    // A time as the editing pages take it: HH:MM:SS, and when dated is allowed YYYY-MM-DD HH:MM:SS.
    std::optional<CivilTime> civil_time(const std::string& text, bool dated_allowed) {
        const auto civil = split_entry_time(text);
        const std::string_view expected = dated_allowed ? "HH:MM:SS or YYYY-MM-DD HH:MM:SS" : "HH:MM:SS";
        const bool date_only = civil && civil->has_date && text.find(':') == std::string::npos;
        if (!civil || date_only || (civil->has_date && !dated_allowed)) {
            refuse("invalid time '" + text + "': expected " + std::string(expected));
            return std::nullopt;
        }
        struct Field {
            int value;
            int high;
            const char* name;
        };
        for (const Field& field :
             {Field{civil->hour, 23, "hour"}, Field{civil->minute, 59, "minute"}, Field{civil->second, 59, "second"}}) {
            if (field.value > field.high) {
                refuse(std::string(field.name) + " out of range (0-" + std::to_string(field.high) +
                       "): " + std::to_string(field.value));
                return std::nullopt;
            }
        }
        if (civil->has_date && !is_valid_date(civil->year, civil->month, civil->day)) {
            refuse("invalid date in '" + text + "'");
            return std::nullopt;
        }
        // Entries must be shown as they are, or they could not be found again to be removed.
        if (civil->has_date &&
            (day_number(civil->year, civil->month, civil->day) < 1 || !is_showable_time(civil_to_time(*civil)))) {
            refuse("date out of range (1899-12-31 to 2119-01-10): '" + text + "'");
            return std::nullopt;
        }
        return civil;
    }

    std::optional<std::string> gbk_text(const std::string& text, std::string_view what) {
        auto gbk = utf8_to_gbk(text);
        if (!gbk) {
            refuse(std::string(what) + " holds characters that cannot be stored (the file keeps texts in GBK)");
        }
        return gbk;
    }

    // The list a remove or clear works on, or null (refused) for another name.
    TimerList* list_named(Schedule& schedule) {
        const std::string& name = args_[2];
        if (name == "rest") {
            return &schedule.rest_list;
        }
        if (name == "task") {
            return &schedule.task_list;
        }
        refuse_usage("the list is 'rest' or 'task', not '" + name + "'");
        return nullptr;
    }

    // --- the file

    // The save after a successful change writes the whole file with its standard header, and a command that fails
    // leaves the file as it was. A file that does not exist yet is an empty schedule.
    bool load(ScheduleFile& schedule_file, Schedule& schedule) {
        std::error_code error;
        if (!fs::exists(file(), error)) {
            return true;
        }
        if (auto refusal = read_schedule(schedule_file, schedule, args_[1], err_)) {
            refuse(*refusal + "; it is left as it was");
            return false;
        }
        return true;
    }

    void save(ScheduleFile& schedule_file, const Schedule& schedule) {
        const SaveReport report = schedule_file.save(schedule);
        if (report.result != SaveResult::saved) {
            refuse("cannot write '" + path_utf8(report.failure.path) + "': " + report.failure.reason +
                   "; the file is left as it was");
        }
    }

    // Loads, applies change (which may refuse) and saves.
    void edit(const std::function<void(Schedule&)>& change) {
        ScheduleFile schedule_file(file());
        Schedule schedule;
        if (!load(schedule_file, schedule)) {
            return;
        }
        change(schedule);
        if (!refused()) {
            save(schedule_file, schedule);
        }
    }

    // --- the commands

    void show() {
        ScheduleFile schedule_file(file());
        Schedule schedule;
        if (auto refusal = read_schedule(schedule_file, schedule, args_[1], err_)) {
            refuse(*refusal);
            return;
        }
        for (const TimerEntry& entry : schedule.rest_list) {
            out_ << "rest\t" << entry_time_text(entry.time) << "\t" << unsigned{entry.break_minutes()} << "\n";
        }
        for (const TimerEntry& entry : schedule.task_list) {
            if (entry.is_program()) {
                out_ << "program\t" << entry_time_text(entry.time) << "\t" << unsigned{entry.run_mode()} << "\t"
                     << escaped(entry.shell_path()) << "\t" << escaped(entry.command_line()) << "\n";
            } else {
                out_ << "reminder\t" << entry_time_text(entry.time) << "\t" << escaped(entry.remind_info()) << "\n";
            }
        }
    }

    void add_rest() {
        const auto time = civil_time(args_[2], false);
        const auto minutes = number(args_[3], "rest minutes", 1, 60);
        if (refused()) {
            return;
        }
        edit([&](Schedule& schedule) {
            refuse_edit(vistrel::add_rest(schedule.rest_list, civil_to_time(*time), *minutes), "rest");
        });
    }

    void generate() {
        const auto begin = civil_time(args_[2], false);
        const auto end = civil_time(args_[3], false);
        const auto span = number(args_[4], "span minutes", 10, 180);
        const auto minutes = number(args_[5], "rest minutes", 1, 60);
        if (refused()) {
            return;
        }
        const StandardRests rests{civil_to_time(*begin), civil_to_time(*end), *span, *minutes};
        edit([&](Schedule& schedule) { refuse_edit(generate_rest_timetable(schedule.rest_list, rests), "rest"); });
    }

    void add_reminder() {
        const auto time = civil_time(args_[2], true);
        const auto text = gbk_text(args_[3], "the reminder text");
        if (refused()) {
            return;
        }
        TaskRequest task = task_at(*time);
        task.payload.remind_info = *text;
        add(task);
    }

    void add_program() {
        const auto time = civil_time(args_[2], true);
        const auto run_mode = number(args_[3], "run mode", 0, 3);
        const auto path = gbk_text(args_[4], "the program path");
        const auto arguments = gbk_text(args_.size() > 5 ? args_[5] : std::string(), "the arguments");
        if (refused()) {
            return;
        }
        TaskRequest task = task_at(*time);
        task.program = true;
        task.payload.run_mode = static_cast<std::uint8_t>(*run_mode);
        task.payload.shell_path = *path;
        task.payload.command_line = *arguments;
        add(task);
    }

    static TaskRequest task_at(const CivilTime& civil) {
        TaskRequest task;
        task.time_of_day = civil_to_time(civil);
        if (civil.has_date) {
            task.date = task.time_of_day;
        }
        return task;
    }

    void add(const TaskRequest& task) {
        ProgramFileTest programs;
        edit([&](Schedule& schedule) {
            refuse_edit(vistrel::add_task(schedule.task_list, task, now_, programs), "task");
        });
    }

    void remove() {
        const auto t = parse_entry_time(args_[3]);
        if (!t) {
            refuse("invalid time '" + args_[3] + "': expected HH:MM:SS, YYYY-MM-DD HH:MM:SS or YYYY-MM-DD");
            return;
        }
        edit([&](Schedule& schedule) {
            TimerList* list = list_named(schedule);
            if (list != nullptr && !remove_entry(*list, *t)) {
                refuse("no " + args_[2] + " entry at " + args_[3]);
            }
        });
    }

    void clear() {
        edit([&](Schedule& schedule) {
            if (TimerList* list = list_named(schedule)) {
                clear_list(*list);
            }
        });
    }

    // The pages' message, but a full list in the tool's own words.
    void refuse_edit(EditOutcome refused, std::string_view list) {
        if (refused == EditRefusal::list_full) {
            refuse("the " + std::string(list) + " list is full (" + std::to_string(kMaxEntries) +
                   " entries): remove one first");
        } else if (refused) {
            refuse(std::string(edit_message(*refused)));
        }
    }

    // --- helpers

    static std::string escaped(const std::string& gbk) { return escape_text(gbk_to_utf8(gbk)); }

    const std::vector<std::string>& args_;
    TDateTime now_;
    std::ostream& out_;
    std::ostream& err_;
    std::optional<Refusal> refusal_;
};

}  // namespace

std::optional<std::string> read_schedule(ScheduleFile& file,
                                         Schedule& schedule,
                                         std::string_view name,
                                         std::ostream& err) {
    const LoadReport report = file.load(schedule, {file.path(), LoadMode::read_only});
    const std::string quoted_name = "'" + std::string(name) + "'";
    switch (report.result) {
        case LoadResult::cannot_open:
            return "cannot read " + quoted_name + ": " + report.failure.reason;
        case LoadResult::unreadable:
            return "cannot read " + quoted_name + ": it is not a Vistrel schedule file";
        case LoadResult::loaded:
            break;
    }
    if (report.left_out > 0) {
        err << "vistrel-schedule: left out " << report.left_out << (report.left_out == 1 ? " entry" : " entries")
            << " of " << quoted_name << " that could not be read (damaged)\n";
    }
    return std::nullopt;
}

std::string escape_text(std::string_view utf8) {
    std::string text;
    for (const char c : utf8) {
        switch (c) {
            case '\\':
                text += "\\\\";
                break;
            case '\t':
                text += "\\t";
                break;
            case '\r':
                text += "\\r";
                break;
            case '\n':
                text += "\\n";
                break;
            default:
                text += c;
        }
    }
    return text;
}

int run_schedule_tool(const std::vector<std::string>& arguments, TDateTime now, std::ostream& out, std::ostream& err) {
    if (!arguments.empty() && arguments[0] == "simulate") {
        return run_simulate(arguments, out, err);
    }
    Command command(arguments, now, out, err);
    return command.run();
}

TDateTime local_now() {
    const std::time_t seconds = std::time(nullptr);
    const std::tm* local = std::localtime(&seconds);
    if (local == nullptr) {
        return 0.0;
    }
    const std::int64_t day = day_number(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
    return encode_time(static_cast<std::uint32_t>(day), static_cast<std::uint32_t>(local->tm_hour),
                       static_cast<std::uint32_t>(local->tm_min), static_cast<std::uint32_t>(local->tm_sec), 0);
}

}  // namespace vistrel::tool
