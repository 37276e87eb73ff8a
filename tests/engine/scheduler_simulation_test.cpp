// A year of virtual days on a randomly edited timetable, with pauses, clock changes and option changes, checked after
// every step against what the schedule promises: every entry due while running is carried out exactly once, in time
// order, never early and never later than the catch-up pace allows; nothing while paused; one rest at a time, each
// over by its length plus one tick with everything it hid restored; Timer1 never armed below 100 ms; the entry
// Timer1 is armed for is always one of the timetables'. Run under the sanitizers, the last also catches any use of
// a freed entry.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "engine/scheduler.h"
#include "engine_rig.h"

namespace vistrel {
namespace {

using testing_fakes::clock_text;
using testing_fakes::clock_time;
using testing_fakes::date_time;
using testing_fakes::EngineRig;

constexpr std::int64_t kDayMs = 86400000;
constexpr std::int64_t kCatchUpPace = 100;

// What the schedule owes, kept apart from how the scheduler keeps it: occurrences of entries on today's date (or
// their own date) at or after a cursor that moves with every entry carried out and every rebuild.
class Oracle final : public SchedulerEvents {
public:
    /// Bound to its rig once the rig exists; the rig reports to it from then on.
    void attach(EngineRig& rig) { rig_ = &rig; }

    // The driver's own moves.
    void resumed() { move_cursor(now()); }
    void rebuilt(TDateTime from) {
        if (!rig_->scheduler.rest_in_progress()) {
            move_cursor(from);
        }
    }
    void clock_changed() {
        handled_.clear();  // what was done may fall due again
        if (!rig_->scheduler.rest_in_progress()) {
            move_cursor(now());
        }
    }

    void armed(std::uint32_t interval, std::int32_t tag) override {
        note("arm " + std::to_string(interval) + " " + std::to_string(tag));
        expect(interval >= 100, "Timer1 armed below 100 ms");
    }
    void pre_reminder() override {
        note("pre-reminder");
        expect(rig_->settings.CompulsoryRest && rig_->settings.CompulsoryPremind, "pre-reminder without its options");
        expect(!in_rest_, "pre-reminder during a rest");
    }
    void rest_begin(const TimerEntry& entry) override {
        note("rest-begin " + entry_text(entry));
        expect(!in_rest_, "a rest began while another ran");
        handled(entry);
        in_rest_ = true;
        strict_ = true;  // afterwards the schedule goes on with what follows the rest's time
        rest_started_ = rig_->clock.elapsed();
        rest_length_ = entry.break_minutes() * 60000;
    }
    void rest_end() override {
        note("rest-end");
        expect(in_rest_, "a rest ended that had not begun");
        expect(rig_->clock.elapsed() <= rest_started_ + rest_length_ + 1000, "a rest outlasted its length and a tick");
        expect(!rig_->scheduler.running() || rig_->clock.elapsed() >= rest_started_ + rest_length_,
               "a rest was cut short while running");
        in_rest_ = false;
        last_activity_ = rig_->clock.wall_ms();
        expect(rig_->desktop.cursor_count() == 0 && rig_->desktop.shell_restored() && rig_->tray.visible(),
               "a rest ended without restoring what it hid");
    }
    void rest(const TimerEntry& entry, std::int32_t) override { handled(entry); }
    void rest_skipped(const TimerEntry& entry) override { handled(entry); }
    void reminder(const TimerEntry& entry) override { handled(entry); }
    void program(const TimerEntry& entry, int, std::string_view) override { handled(entry); }
    void program_missing(const TimerEntry& entry, std::string_view) override { handled(entry); }

    // Checks after every step.
    void check_state() {
        const Scheduler& scheduler = rig_->scheduler;
        expect(!rig_->Timer1.Enabled() || rig_->Timer1.Interval() >= 100, "Timer1 runs below 100 ms");
        expect(in_rest_ == scheduler.rest_in_progress(), "rest state differs from its events");
        if (in_rest_) {
            expect(rig_->desktop.cursor_count() == -1 && rig_->desktop.hidden(kTaskBarClass) &&
                       rig_->desktop.hidden(kDesktopClass) && !rig_->tray.visible(),
                   "a rest runs without hiding the desktop");
            return;
        }
        expect(rig_->desktop.cursor_count() == 0 && rig_->desktop.shell_restored(), "desktop left hidden");
        if (const TimerEntry* next = scheduler.next_due()) {
            expect(listed(next), "Timer1 is armed for an entry that is in no timetable");
        }
        if (!scheduler.running()) {
            return;
        }
        // The earliest occurrence owed must not wait longer than the catch-up pace allows.
        if (auto first = earliest_owed()) {
            const std::int64_t due = time_to_ms(*first);
            if (due <= rig_->clock.wall_ms()) {
                expect(rig_->clock.wall_ms() <= std::max(due, last_activity_) + kCatchUpPace,
                       "an entry due is overdue beyond the catch-up pace");
            }
        }
    }

    void pause_changed() { last_activity_ = rig_->clock.wall_ms(); }
    /// Keeps the last few happenings, to explain a failure.
    void note(const std::string& what) {
        history_.push_back(clock_text(rig_->clock, 0) + " " + what);
        if (history_.size() > 40) {
            history_.pop_front();
        }
    }
    int failures() const { return failures_; }
    std::size_t carried_out() const { return carried_out_; }

private:
    using Occurrence = std::tuple<TDateTime, TDateTime, bool>;  // due today, entry time, task

    TDateTime now() const { return rig_->clock.now(); }

    void move_cursor(TDateTime to) {
        cursor_ = to;
        strict_ = false;
        last_activity_ = rig_->clock.wall_ms();
    }

    bool owed(const Occurrence& occurrence) const {
        const TDateTime due = std::get<0>(occurrence);
        return (strict_ ? due > cursor_ : due >= cursor_) && handled_.count(occurrence) == 0;
    }

    std::optional<TDateTime> earliest_owed() const {
        std::optional<TDateTime> earliest;
        for (const TimerList* list : {&rig_->schedule.rest_list, &rig_->schedule.task_list}) {
            for (const TimerEntry& entry : *list) {
                const Occurrence occurrence{absolute_time(entry.time, now()), entry.time, entry.is_task()};
                if (owed(occurrence) && (!earliest || std::get<0>(occurrence) < *earliest)) {
                    earliest = std::get<0>(occurrence);
                }
            }
        }
        return earliest;
    }

    bool listed(const TimerEntry* wanted) const {
        for (const TimerList* list : {&rig_->schedule.rest_list, &rig_->schedule.task_list}) {
            for (const TimerEntry& entry : *list) {
                if (&entry == wanted) {
                    return true;
                }
            }
        }
        return false;
    }

    static std::string entry_text(const TimerEntry& entry) {
        return (entry.is_task() ? "task " : "rest ") + entry_time_text(entry.time);
    }

    void handled(const TimerEntry& entry) {
        note("carried out " + entry_text(entry));
        ++carried_out_;
        const Occurrence occurrence{absolute_time(entry.time, now()), entry.time, entry.is_task()};
        const TDateTime due = std::get<0>(occurrence);
        expect(rig_->scheduler.running(), "carried out while paused");
        expect(!in_rest_, "carried out during a compulsory rest");
        expect(time_to_ms(due) <= rig_->clock.wall_ms(), "carried out before its time");
        expect(owed(occurrence), "carried out though not owed (twice, skipped or before the cursor)");
        const auto earliest = earliest_owed();
        expect(earliest && *earliest >= due, "carried out while an earlier entry was still owed");
        handled_.insert(occurrence);
        cursor_ = due;
        strict_ = false;
        last_activity_ = rig_->clock.wall_ms();
    }

    void expect(bool holds, const char* what) {
        if (!holds && ++failures_ <= 5) {
            std::ostringstream history;
            for (const std::string& line : history_) {
                history << "\n  " << line;
            }
            ADD_FAILURE() << what << " at " << clock_text(rig_->clock, 0) << " (elapsed " << rig_->clock.elapsed()
                          << " ms), after:" << history.str();
        }
    }

    EngineRig* rig_ = nullptr;
    TDateTime cursor_ = 0.0;
    bool strict_ = false;
    std::set<Occurrence> handled_;
    bool in_rest_ = false;
    std::int64_t rest_started_ = 0;
    std::int64_t rest_length_ = 0;
    std::int64_t last_activity_ = 0;
    std::size_t carried_out_ = 0;
    int failures_ = 0;
    std::deque<std::string> history_;
};

// Drives one rig through the year with random disturbances.
class Driver {
public:
    Driver(unsigned seed, EngineRig& rig, Oracle& oracle) : random_(seed), rig_(rig), oracle_(oracle) {
        rig_.programs.files.insert("C:\\exists.exe");
    }

    void fill_timetables() {
        const int rests = pick(10, 60);
        for (int i = 0; i < rests; ++i) {
            add_rest();
        }
        const int tasks = pick(5, 40);
        for (int i = 0; i < tasks; ++i) {
            add_task();
        }
    }

    void run(std::int64_t days) {
        const std::int64_t end = rig_.clock.elapsed() + days * kDayMs;
        schedule_disturbance();
        while (rig_.clock.elapsed() < end && oracle_.failures() == 0) {
            const std::int64_t to_midnight = kDayMs - rig_.clock.wall_ms() % kDayMs;
            std::int64_t step = std::min(to_midnight, next_disturbance_ - rig_.clock.elapsed());
            const std::int64_t to_timer = rig_.clock.next_due_in();
            if (to_timer >= 0) {
                step = std::min(step, to_timer);
            }
            rig_.clock.run_for(step);
            if (rig_.clock.wall_ms() % kDayMs == 0 && rig_.scheduler.running()) {
                oracle_.note("midnight");
                oracle_.rebuilt(rig_.clock.now());
            }
            rig_.calls.clear();  // only the fakes' state is checked here
            if (rig_.clock.elapsed() == next_disturbance_) {
                // Now and then the disturbance waits for the next timer, to come in the same moment as it fires.
                if (!on_timer_ && chance(0.3)) {
                    on_timer_ = true;
                    next_disturbance_ = rig_.clock.elapsed() + std::max<std::int64_t>(rig_.clock.next_due_in(), 1);
                } else {
                    on_timer_ = false;
                    disturb();
                    schedule_disturbance();
                }
            }
            oracle_.check_state();
        }
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    TDateTime random_time_of_day() {
        if (chance(0.05)) {
            return 0.0;  // midnight, where the two timers meet
        }
        return clock_time(static_cast<unsigned>(pick(0, 23)), static_cast<unsigned>(pick(0, 59)),
                          static_cast<unsigned>(pick(0, 59)));
    }

    void add_rest() {
        (void)insert_rest(rig_.schedule.rest_list, random_time_of_day(), static_cast<unsigned>(pick(1, 4)));
    }

    void add_task() {
        TDateTime t = random_time_of_day();
        std::uint8_t flags = ENTRY_TASK;
        if (chance(0.4)) {
            t += static_cast<double>(day_part(rig_.clock.now()) + pick(-1, 3));
            flags |= ENTRY_DATED;
        }
        TaskPayload payload;
        if (chance(0.3)) {
            flags |= ENTRY_PROGRAM;
            payload.run_mode = static_cast<std::uint8_t>(pick(0, 4));
            payload.shell_path = chance(0.5) ? "C:\\exists.exe" : "C:\\missing.exe";
        } else {
            payload.remind_info = "note";
        }
        (void)insert_task(rig_.schedule.task_list, t, flags, payload);
    }

    void remove_one(TimerList& list) {
        const int count = static_cast<int>(list.size());
        if (count == 0) {
            return;
        }
        auto entry = list.begin();
        std::advance(entry, pick(0, count - 1));
        remove_entry(list, entry->time);
    }

    void schedule_disturbance() {
        // Between a minute and twelve hours apart, between the moments the timers fire.
        next_disturbance_ = rig_.clock.elapsed() + pick(60, 43200) * 1000 + pick(0, 9) * 100 + 50;
    }

    void edit() {
        const int kind = pick(0, 99);
        if (kind < 30) {
            add_rest();
        } else if (kind < 60) {
            add_task();
        } else if (kind < 75) {
            remove_one(rig_.schedule.rest_list);
        } else if (kind < 90) {
            remove_one(rig_.schedule.task_list);
        } else if (kind < 92) {
            clear_list(chance(0.5) ? rig_.schedule.rest_list : rig_.schedule.task_list);
        } else {
            (void)generate_rests(rig_.schedule.rest_list, clock_time(static_cast<unsigned>(pick(0, 12)), 0, 1),
                                 clock_time(static_cast<unsigned>(pick(12, 23)), 59, 59),
                                 static_cast<unsigned>(pick(20, 120)), static_cast<unsigned>(pick(1, 5)));
        }
        // As the timetable pages do: a rebuild after every change while the schedule runs.
        if (rig_.scheduler.running()) {
            oracle_.note("rebuild");
            const TDateTime from = rig_.clock.now();
            rig_.scheduler.rebuild_due_chain();
            oracle_.rebuilt(from);
        }
    }

    void disturb() {
        const int kind = pick(0, 99);
        const bool resume = !rig_.scheduler.running() && chance(0.5);  // a pause seldom lasts long
        if (kind < 55 && !resume) {
            edit();
        } else if (kind < 70 || resume) {
            rig_.scheduler.change_run_or_pause();
            oracle_.note(rig_.scheduler.running() ? "resume" : "pause");
            oracle_.pause_changed();
            if (rig_.scheduler.running()) {
                oracle_.resumed();
            }
        } else if (kind < 80) {
            const std::int64_t shift = chance(0.2) ? pick(-2, 2) * kDayMs : pick(-3 * 3600, 3 * 3600) * 1000LL;
            rig_.clock.set_now(ms_to_time(rig_.clock.wall_ms() + shift));
            oracle_.note("clock set to " + entry_time_text(rig_.clock.now()));
            rig_.scheduler.time_changed();
            oracle_.clock_changed();
        } else {
            switch (pick(0, 3)) {
                case 0:
                    rig_.settings.CompulsoryRest = !rig_.settings.CompulsoryRest;
                    break;
                case 1:
                    rig_.settings.CompulsoryPremind = !rig_.settings.CompulsoryPremind;
                    break;
                case 2:
                    rig_.settings.RestMode = pick(0, 2);
                    break;
                default:
                    rig_.settings.StartDummyTime = pick(0, 30);
                    rig_.scheduler.reset_boot_grace();
                    break;
            }
        }
    }

    std::mt19937 random_;
    EngineRig& rig_;
    Oracle& oracle_;
    std::int64_t next_disturbance_ = 0;
    bool on_timer_ = false;
};

TEST(SchedulerSimulation, YearOfRandomEditsPausesClockChangesAndOptionsKeepsEveryPromise) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 setup(seed);
        const TDateTime start = date_time(2024, 1, 1) + clock_time(static_cast<unsigned>(setup() % 24), 0, 0);
        // Started between a minute and two hours after the computer, so the boot grace period matters.
        Oracle oracle;
        EngineRig rig(start, static_cast<std::uint32_t>(60000 * (1 + setup() % 120)), &oracle);
        oracle.attach(rig);
        rig.settings.StartDummyTime = static_cast<std::int32_t>(setup() % 20);
        rig.settings.CompulsoryPremind = true;
        Driver driver(seed, rig, oracle);
        driver.fill_timetables();
        rig.start();
        oracle.resumed();
        driver.run(365);
        EXPECT_EQ(oracle.failures(), 0);
        EXPECT_GT(oracle.carried_out(), 1000u);
    }
}

}  // namespace
}  // namespace vistrel
