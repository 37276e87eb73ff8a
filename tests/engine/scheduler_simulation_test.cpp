// A year of virtual days on a randomly edited timetable, with pauses, sleeps, clock steps both ways, option changes,
// rests across midnight and dated entries near it. An oracle that knows nothing of due chains or cursors keeps, for
// every occurrence of every entry (its due moment and the entry), whether the wall clock has passed it while the
// schedule ran and the computer was awake; it checks that each such occurrence runs exactly once, in time order,
// never early and within the catch-up pace of when it could run (after the rest it fell into), and that nothing runs
// while paused, asleep, during a rest or twice. It also checks that one rest runs at a time, lasts its length and
// restores what it hid. Run under the sanitizers, the entry Timer1 is armed for is also checked to be listed.
//
// The rules the oracle holds the scheduler to, as users read them:
// - pausing, a sleep and a clock step of a minute or more drop what was due and had not run yet;
// - a clock step forward of a minute or more skips what it jumps over; one back by a minute or more lets what was
//   carried out fall due again; a step of less than a minute either way changes neither;
// - what falls due during a compulsory rest runs right after it;
// - without a suspend notice, what fell due in the last half minute of a sleep may run at the wake;
// - an entry added at a time already passed may run once at most.
#include <gtest/gtest.h>

#include <deque>
#include <map>
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
constexpr std::int64_t kCorrection = 60000;
constexpr std::int64_t kWakeLateness = 30000;

class Oracle final : public SchedulerEvents {
public:
    /// Bound to its rig once the rig exists; the rig reports to it from then on.
    void attach(EngineRig& rig) {
        rig_ = &rig;
        restart();
    }

    // The driver's own moves. Each first lets the oracle see the clock move up to now.
    void started() { restart(); }
    void pausing() { sweep(); }
    void paused() {
        drop_outstanding();
        activity();
    }
    void resumed() { restart(); }
    void falls_asleep(bool noticed) {
        sweep();
        asleep_ = true;
        noticed_ = noticed;
    }
    /// Called once the clock stands at the wake, before the late timers fire.
    void wakes() {
        asleep_ = false;
        drop_outstanding();
        if (!noticed_) {
            wake_window_ = {wall() - kWakeLateness, wall()};
        }
        if (in_rest_) {
            woke_in_rest_ = rig_->clock.elapsed();
        }
        restart();
    }
    void clock_setting() { sweep(); }
    void clock_set(std::int64_t step) {
        if (step > 0 && step < kCorrection) {
            sweep_range(seen_, wall(), false);  // a correction forward still passes what it steps over
        } else if (step <= -kCorrection || step >= kCorrection) {
            drop_outstanding();
            if (step < 0) {
                done_.clear();
            }
        }
        seen_ = wall();
        include_seen_ = step <= -kCorrection || step >= kCorrection;
        activity();
    }
    void editing() { sweep(); }
    void added(const TimerEntry& entry) { added_at_[{entry.time, entry.is_task()}] = wall(); }
    void edited() { activity(); }

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
        handled(entry, "rest-begin");
        in_rest_ = true;
        woke_in_rest_ = -1;
        rest_started_ = rig_->clock.elapsed();
        rest_length_ = entry.break_minutes() * 60000;
    }
    void rest_end() override {
        note("rest-end");
        expect(in_rest_, "a rest ended that had not begun");
        const std::int64_t end = std::max(rest_started_ + rest_length_, woke_in_rest_);
        expect(rig_->clock.elapsed() <= end + 1000, "a rest outlasted its length (or the wake) and a tick");
        expect(!rig_->scheduler.running() || rig_->clock.elapsed() >= rest_started_ + rest_length_,
               "a rest was cut short while running");
        in_rest_ = false;
        activity();
        expect(rig_->desktop.cursor_count() == 0 && rig_->desktop.shell_restored() && rig_->tray.visible(),
               "a rest ended without restoring what it hid");
    }
    void rest(const TimerEntry& entry, std::int32_t) override { handled(entry, "rest"); }
    void rest_skipped(const TimerEntry& entry) override { handled(entry, "rest-skipped"); }
    void reminder(const TimerEntry& entry) override { handled(entry, "reminder"); }
    void program(const TimerEntry& entry, int, std::string_view) override { handled(entry, "program"); }
    void program_missing(const TimerEntry& entry, std::string_view) override { handled(entry, "program-missing"); }

    // Checks after every step.
    void check_state() {
        sweep();
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
            expect(find(next->time, next->is_task()) == next, "Timer1 is armed for an entry that is in no timetable");
        }
        forget_removed();
        if (!owed_.empty()) {
            const std::int64_t due = std::get<0>(*owed_.begin());
            expect(wall() <= std::max(due, last_activity_) + kCatchUpPace, "an occurrence due is overdue");
        }
    }

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
    // Due moment (wall ms), entry time, task.
    using Occurrence = std::tuple<std::int64_t, TDateTime, bool>;

    std::int64_t wall() const { return rig_->clock.wall_ms(); }
    void activity() { last_activity_ = wall(); }

    void restart() {
        seen_ = wall();
        include_seen_ = true;
        activity();
    }

    void drop_outstanding() {
        owed_.clear();
        optional_.clear();
    }

    const TimerEntry* find(TDateTime time, bool task) const {
        const TimerList& list = task ? rig_->schedule.task_list : rig_->schedule.rest_list;
        for (const TimerEntry& entry : list) {
            if (entry.time == time) {
                return &entry;
            }
        }
        return nullptr;
    }

    // The due moments of an entry's occurrences within [from, to].
    static std::vector<std::int64_t> occurrences(const TimerEntry& entry, std::int64_t from, std::int64_t to) {
        std::vector<std::int64_t> dues;
        if (std::isnan(entry.time)) {
            return dues;
        }
        if (day_part(entry.time) != 0) {
            const std::int64_t due = time_to_ms(entry.time);
            if (due >= from && due <= to) {
                dues.push_back(due);
            }
            return dues;
        }
        const std::int64_t of_day = time_to_ms(entry.time);
        for (std::int64_t day = from / kDayMs - 1; day <= to / kDayMs; ++day) {
            const std::int64_t due = day * kDayMs + of_day;
            if (due >= from && due <= to) {
                dues.push_back(due);
            }
        }
        return dues;
    }

    // The clock passed (from, to] ([from, to] when from counts): what it passed while running and awake is owed.
    void sweep_range(std::int64_t from, std::int64_t to, bool include_from) {
        if (!rig_->scheduler.running() || asleep_ || to < from) {
            return;
        }
        for (const TimerList* list : {&rig_->schedule.rest_list, &rig_->schedule.task_list}) {
            for (const TimerEntry& entry : *list) {
                for (const std::int64_t due : occurrences(entry, include_from ? from : from + 1, to)) {
                    const Occurrence occurrence{due, entry.time, entry.is_task()};
                    if (done_.count(occurrence) == 0) {
                        (in_wake_window(due) ? optional_ : owed_).insert(occurrence);
                    }
                }
            }
        }
    }

    void sweep() {
        if (wall() >= seen_) {
            sweep_range(seen_, wall(), include_seen_);
            seen_ = wall();
            include_seen_ = false;
        }
    }

    bool in_wake_window(std::int64_t due) const { return due >= wake_window_.first && due < wake_window_.second; }

    void forget_removed() {
        for (auto* set : {&owed_, &optional_}) {
            for (auto it = set->begin(); it != set->end();) {
                it = find(std::get<1>(*it), std::get<2>(*it)) ? std::next(it) : set->erase(it);
            }
        }
    }

    // Which occurrence of entry the scheduler just carried out, and whether it was allowed to.
    std::optional<Occurrence> occurrence_run(const TimerEntry& entry) {
        const auto dues = occurrences(entry, wall() - 2 * kDayMs, wall());
        for (auto* set : {&owed_, &optional_}) {
            for (const std::int64_t due : dues) {
                const Occurrence occurrence{due, entry.time, entry.is_task()};
                if (set->count(occurrence) != 0) {
                    set->erase(occurrence);
                    return occurrence;
                }
            }
        }
        // An entry added at a time already passed: its last occurrence up to its adding, once.
        const auto added = added_at_.find({entry.time, entry.is_task()});
        for (auto due = dues.rbegin(); added != added_at_.end() && due != dues.rend(); ++due) {
            const Occurrence occurrence{*due, entry.time, entry.is_task()};
            if (*due <= added->second && done_.count(occurrence) == 0) {
                return occurrence;
            }
        }
        return std::nullopt;
    }

    void handled(const TimerEntry& entry, const std::string& what) {
        sweep();
        forget_removed();
        note(what + " " + (entry.is_task() ? "task " : "rest ") + entry_time_text(entry.time));
        ++carried_out_;
        expect(rig_->scheduler.running(), "carried out while paused");
        expect(!asleep_, "carried out while asleep");
        expect(!in_rest_, "carried out during a compulsory rest");
        const auto occurrence = occurrence_run(entry);
        expect(occurrence.has_value(), "carried out though not owed (twice, skipped, or before its time)");
        if (occurrence) {
            const std::int64_t due = std::get<0>(*occurrence);
            expect(owed_.empty() || std::get<0>(*owed_.begin()) >= due, "carried out while an earlier one was owed");
            done_.insert(*occurrence);
        }
        activity();
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
    std::int64_t seen_ = 0;  // the wall clock up to which occurrences were looked at
    bool include_seen_ = true;
    bool asleep_ = false;
    bool noticed_ = false;
    std::pair<std::int64_t, std::int64_t> wake_window_{0, 0};
    std::set<Occurrence> owed_;
    std::set<Occurrence> optional_;
    std::set<Occurrence> done_;
    std::map<std::pair<TDateTime, bool>, std::int64_t> added_at_;
    bool in_rest_ = false;
    std::int64_t rest_started_ = 0;
    std::int64_t rest_length_ = 0;
    std::int64_t woke_in_rest_ = -1;
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
            rig_.calls.clear();  // only the fakes' state is checked here
            if (rig_.clock.elapsed() >= next_disturbance_) {
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
        if (chance(0.2)) {  // just before or after midnight
            return chance(0.6) ? clock_time(23, static_cast<unsigned>(pick(45, 59)), static_cast<unsigned>(pick(0, 59)))
                               : clock_time(0, static_cast<unsigned>(pick(0, 5)), static_cast<unsigned>(pick(0, 59)));
        }
        return clock_time(static_cast<unsigned>(pick(0, 23)), static_cast<unsigned>(pick(0, 59)),
                          static_cast<unsigned>(pick(0, 59)));
    }

    void added(const TimerEntry* entry) {
        if (entry) {
            oracle_.added(*entry);
        }
    }

    void add_rest() {
        const TDateTime t = random_time_of_day();
        // Rests late in the evening last long enough to take a midnight and the entries before it.
        const bool late = t >= clock_time(23, 40);
        added(insert_rest(rig_.schedule.rest_list, t, static_cast<unsigned>(late ? pick(5, 20) : pick(1, 4))));
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
        added(insert_task(rig_.schedule.task_list, t, flags, payload));
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
        oracle_.editing();
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
            for (const TimerEntry& entry : rig_.schedule.rest_list) {
                oracle_.added(entry);
            }
        }
        oracle_.note("edit");
        // As the timetable pages do: a rebuild after every change while the schedule runs.
        if (rig_.scheduler.running()) {
            rig_.scheduler.rebuild_due_chain();
        }
        oracle_.edited();
    }

    void pause_or_resume() {
        oracle_.pausing();
        rig_.scheduler.change_run_or_pause();
        oracle_.note(rig_.scheduler.running() ? "resume" : "pause");
        if (rig_.scheduler.running()) {
            oracle_.resumed();
        } else {
            oracle_.paused();
        }
    }

    void set_clock() {
        const int size = pick(0, 99);
        std::int64_t step = 0;
        const std::int64_t to_timer = rig_.clock.next_due_in();
        if (size < 20 && to_timer > 0 && to_timer < 50000) {
            step = to_timer + pick(1, 9999);  // time sync, stepping over the moment a timer waits for
        } else if (size < 40) {
            step = pick(1, 59999) * (chance(0.5) ? 1 : -1);  // time sync
        } else if (size < 85) {
            step = pick(-3 * 3600, 3 * 3600) * 1000LL;
        } else {
            step = pick(-2, 2) * kDayMs + pick(-600, 600) * 1000LL;
        }
        oracle_.clock_setting();
        rig_.clock.set_now(ms_to_time(rig_.clock.wall_ms() + step));
        oracle_.note("clock set by " + std::to_string(step) + " ms to " + entry_time_text(rig_.clock.now()));
        rig_.scheduler.time_changed();
        oracle_.clock_set(step);
    }

    void sleep() {
        const bool short_sleep = chance(0.15);
        // A sleep shorter than a timer can be late is told only by the suspend notice.
        const bool noticed = short_sleep || chance(0.5);
        const std::int64_t length = short_sleep
                                        ? pick(1, 25) * 1000LL
                                        : (chance(0.8) ? pick(60, 12 * 3600) : pick(12 * 3600, 3 * 86400)) * 1000LL;
        oracle_.falls_asleep(noticed);
        if (noticed) {
            rig_.scheduler.suspended();
        }
        oracle_.note(std::string(noticed ? "suspend notice, " : "") + "sleep for " + std::to_string(length) + " ms");
        rig_.clock.sleep_until(ms_to_time(rig_.clock.wall_ms() + length));
        oracle_.wakes();
        rig_.clock.run_for(0);  // the timers that fell due fire late
        oracle_.note("resume notice");
        rig_.scheduler.resumed();
    }

    void change_option() {
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

    void disturb() {
        const int kind = pick(0, 99);
        const bool resume = !rig_.scheduler.running() && chance(0.5);  // a pause seldom lasts long
        if (resume || (kind >= 50 && kind < 62)) {
            pause_or_resume();
        } else if (kind < 50) {
            edit();
        } else if (kind < 72) {
            set_clock();
        } else if (kind < 84) {
            sleep();
        } else {
            change_option();
        }
    }

    std::mt19937 random_;
    EngineRig& rig_;
    Oracle& oracle_;
    std::int64_t next_disturbance_ = 0;
    bool on_timer_ = false;
};

TEST(SchedulerSimulation, YearOfEditsPausesSleepsClockStepsAndOptionsKeepsEveryPromise) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
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
        oracle.started();
        driver.run(365);
        EXPECT_EQ(oracle.failures(), 0);
        EXPECT_GT(oracle.carried_out(), 1000u);
    }
}

}  // namespace
}  // namespace vistrel
