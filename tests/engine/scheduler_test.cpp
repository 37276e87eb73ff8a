#include "engine/scheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>

#include "engine/memory_store.h"
#include "engine/schedule_image.h"
#include "engine/settings.h"
#include "engine_rig.h"
#include "support/schedule_bytes.h"

namespace vistrel {
namespace {

using testing_fakes::clock_time;
using testing_fakes::date_time;
using testing_fakes::EngineRig;

const TDateTime kDay = date_time(2024, 5, 18);

// The events that carried something out (not the armings), as the user sees them.
std::vector<std::string> carried_out(const std::vector<std::string>& events) {
    std::vector<std::string> kept;
    std::copy_if(events.begin(), events.end(), std::back_inserter(kept),
                 [](const std::string& line) { return line.find(" arm ") == std::string::npos; });
    return kept;
}

// The machine sleeps from now until the time of day t, days later: the timers fire late, then the resume notice
// comes (unless it is lost).
void sleep_until(EngineRig& rig, TDateTime t, int days = 0, bool resume_notice = true) {
    rig.clock.sleep_until(static_cast<double>(day_part(rig.clock.now()) + days) + t);
    rig.clock.run_for(0);
    if (resume_notice) {
        rig.scheduler.resumed();
    }
}

TEST(Scheduler, TakesEachEntryAlongItsRoad) {
    struct Case {
        const char* name;
        std::function<void(EngineRig&)> setup;
        TDateTime start;
        TDateTime until;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"a rest is reached in two steps, warned a minute early",
         [](EngineRig& rig) {
             rig.settings.CompulsoryPremind = true;
             rig.rest(clock_time(10, 0), 1);
         },
         clock_time(9, 30),
         clock_time(10, 5),
         {"09:30:00.000 arm 1740000 1", "09:59:00.000 pre-reminder", "09:59:00.000 arm 60000 0",
          "10:00:00.000 rest-begin 1", "10:01:00.000 rest-end"}},
        {"without the warning the early tick only re-arms",
         [](EngineRig& rig) { rig.rest(clock_time(10, 0), 1); },
         clock_time(9, 30),
         clock_time(10, 5),
         {"09:30:00.000 arm 1740000 1", "09:59:00.000 arm 60000 0", "10:00:00.000 rest-begin 1",
          "10:01:00.000 rest-end"}},
        {"a rest less than a minute away is armed for its own time",
         [](EngineRig& rig) {
             rig.settings.CompulsoryPremind = true;
             rig.rest(clock_time(10, 0), 1);
         },
         clock_time(9, 59, 30),
         clock_time(10, 5),
         {"09:59:30.000 arm 30000 0", "10:00:00.000 rest-begin 1", "10:01:00.000 rest-end"}},
        {"an interval is never below 100 ms",
         [](EngineRig& rig) { rig.reminder(clock_time(10, 0), "tea"); },
         clock_time(9, 59, 59, 980),
         clock_time(10, 5),
         {"09:59:59.980 arm 100 0", "10:00:00.080 reminder tea"}},
        {"a task goes before a rest at the same time, the rest follows 100 ms later",
         [](EngineRig& rig) {
             rig.rest(clock_time(8, 0), 1);
             rig.reminder(clock_time(8, 0), "tea");
         },
         clock_time(7, 59, 30),
         clock_time(8, 5),
         {"07:59:30.000 arm 30000 0", "08:00:00.000 reminder tea", "08:00:00.000 arm 100 0",
          "08:00:00.100 rest-begin 1", "08:01:00.100 rest-end"}},
        {"tasks due at the same moment: the one later in the task list goes first",
         [](EngineRig& rig) {
             rig.reminder(clock_time(8, 0), "daily");
             rig.reminder(kDay + clock_time(8, 0), "dated");
             rig.reminder(kDay + clock_time(7, 0), "earlier");
         },
         clock_time(6, 59, 30),
         clock_time(8, 5),
         {"06:59:30.000 arm 30000 0", "07:00:00.000 reminder earlier", "07:00:00.000 arm 3600000 0",
          "08:00:00.000 reminder dated", "08:00:00.000 arm 100 0", "08:00:00.100 reminder daily"}},
        {"a rest right after a task gets no warning",
         [](EngineRig& rig) {
             rig.settings.CompulsoryPremind = true;
             rig.rest(clock_time(8, 0), 1);
             rig.reminder(clock_time(7, 59, 30), "tea");
         },
         clock_time(7, 0),
         clock_time(8, 5),
         {"07:00:00.000 arm 3570000 0", "07:59:30.000 reminder tea", "07:59:30.000 arm 30000 0",
          "08:00:00.000 rest-begin 1", "08:01:00.000 rest-end"}},
        {"a dated task days ahead is re-armed a day at a time",
         [](EngineRig& rig) { rig.reminder(kDay + 2 + clock_time(10, 0), "later"); },
         clock_time(9, 0),
         1 + clock_time(0, 0, 1),
         {"09:00:00.000 arm 86400000 0", "d+1 00:00:00.000 arm 86400000 0"}},
        {"rests are refused while the computer has not been up long enough, tasks are not",
         [](EngineRig& rig) {
             rig.settings.StartDummyTime = 25;
             rig.rest(clock_time(10, 0), 1);
             rig.rest(clock_time(10, 20), 1);
             rig.reminder(clock_time(10, 0), "tea");
         },
         clock_time(9, 59),
         clock_time(10, 30),
         {"09:59:00.000 arm 60000 0", "10:00:00.000 reminder tea", "10:00:00.000 arm 100 0",
          "10:00:00.100 rest-skipped", "10:00:00.100 arm 1139900 1", "10:19:00.000 arm 60000 0",
          "10:20:00.000 rest-begin 1", "10:21:00.000 rest-end"}},
        {"a rest that is not compulsory acts once and the next entry follows",
         [](EngineRig& rig) {
             rig.settings.CompulsoryRest = false;
             rig.rest(clock_time(10, 0), 5);
             rig.reminder(clock_time(10, 1), "tea");
         },
         clock_time(9, 59, 30),
         clock_time(10, 5),
         {"09:59:30.000 arm 30000 0", "10:00:00.000 rest 5 mode 2", "10:00:00.000 arm 60000 0",
          "10:01:00.000 reminder tea"}},
        {"after the day's last entry the timer stays off until midnight",
         [](EngineRig& rig) {
             rig.reminder(clock_time(0, 30), "night");
             rig.reminder(clock_time(23, 0), "late");
         },
         clock_time(22, 59),
         1 + clock_time(0, 31),
         {"22:59:00.000 arm 60000 0", "23:00:00.000 reminder late", "d+1 00:00:00.000 arm 1800000 0",
          "d+1 00:30:00.000 reminder night", "d+1 00:30:00.000 arm 81000000 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(kDay + c.start, 20u * 60000u);
        c.setup(rig);
        rig.start();
        rig.clock.run_until(kDay + c.until);
        EXPECT_EQ(rig.take_events(), c.events);
        // Whatever ran, the midnight timer stays due exactly at the coming midnight.
        const std::int64_t to_midnight = 86400000 - rig.clock.wall_ms() % 86400000;
        EXPECT_TRUE(rig.Timer_day.running());
        EXPECT_EQ(rig.Timer_day.due() - rig.clock.elapsed(), to_midnight);
        EXPECT_EQ(rig.Timer_day.Tag(), day_part(rig.clock.now()) + 1);
    }
}

// The executable's path is of no matter here.
class AnyPath final : public ExecutablePath {
public:
    std::string executable_path() const override { return "C:\\Vistrel.exe"; }
};

class NoHotKeys final : public HotKeyItems {
public:
    void set_key_value(int, std::uint16_t) override {}
    void activate(int) override {}
};

TEST(Scheduler, ABootGraceStoredFarOutOfRangeRefusesRestsForAnHourAtMost) {
    MemoryStore store;
    store.open_key(kSettingsKey)->write_integer(kStartDummyTimeValue, 100000);  // 69 days
    EngineRig rig(kDay + clock_time(9, 59), 58u * 60000u);
    NoHotKeys hot_keys;
    SettingsStore(store, AnyPath()).load(rig.settings, hot_keys);
    rig.rest(clock_time(10, 0), 1);
    rig.rest(clock_time(10, 2), 1);
    rig.start();
    rig.run_to(clock_time(10, 5));
    EXPECT_EQ(rig.take_events(), (std::vector<std::string>{"09:59:00.000 arm 60000 0", "10:00:00.000 rest-skipped",
                                                           "10:00:00.000 arm 60000 1", "10:01:00.000 arm 60000 0",
                                                           "10:02:00.000 rest-begin 1", "10:03:00.000 rest-end"}));
}

TEST(Scheduler, SkipsWhatFellDueWhilePaused) {
    EngineRig rig(kDay + clock_time(8, 59));
    rig.reminder(clock_time(9, 30), "skipped");
    rig.rest(clock_time(10, 0), 1);
    rig.reminder(clock_time(11, 30), "kept");
    rig.start();
    rig.run_to(clock_time(9, 0));
    rig.scheduler.change_run_or_pause();
    EXPECT_FALSE(rig.scheduler.running());
    EXPECT_FALSE(rig.Timer1.Enabled());
    rig.run_to(clock_time(11, 0));
    rig.take_events();
    rig.scheduler.change_run_or_pause();
    rig.run_to(clock_time(12, 0));
    EXPECT_EQ(rig.take_events(),
              (std::vector<std::string>{"11:00:00.000 arm 1800000 0", "11:30:00.000 reminder kept"}));
}

TEST(Scheduler, PauseAndResumeInTheSameSecondReArmsTheSameEntry) {
    EngineRig rig(kDay + clock_time(9, 0));
    rig.rest(clock_time(10, 0), 1);
    rig.start();
    rig.clock.run_for(200);
    rig.scheduler.change_run_or_pause();
    rig.clock.run_for(300);
    rig.scheduler.change_run_or_pause();
    EXPECT_EQ(rig.take_events(),
              (std::vector<std::string>{"09:00:00.000 arm 3540000 1", "09:00:00.500 arm 3539500 1"}));
}

TEST(Scheduler, ArmsATaskWithTagZero) {
    // A tag left at 1 by a rest would let a pre-reminder follow the task.
    EngineRig rig(kDay + clock_time(9, 0));
    rig.settings.CompulsoryPremind = true;
    rig.rest(clock_time(10, 0), 1);
    rig.start();
    ASSERT_EQ(rig.Timer1.Tag(), 1);
    rig.reminder(clock_time(9, 30), "tea");
    rig.scheduler.rebuild_due_chain();
    EXPECT_EQ(rig.Timer1.Tag(), 0);
    EXPECT_EQ(rig.scheduler.next_due()->time, clock_time(9, 30));
}

TEST(Scheduler, MidnightTimerRebuildsOnlyOnceTheDayHasTurned) {
    EngineRig rig(kDay + clock_time(23, 59, 59, 990));
    rig.reminder(clock_time(12, 0), "noon");
    rig.start();
    EXPECT_EQ(rig.Timer_day.Tag(), day_part(kDay) + 1);
    EXPECT_EQ(rig.Timer_day.Interval(), 10u);
    rig.take_events();

    rig.clock.run_for(3);
    rig.scheduler.Timer_dayTimer();
    EXPECT_TRUE(rig.take_events().empty());
    EXPECT_EQ(rig.Timer_day.Interval(), 7u);

    rig.clock.run_for(7);
    EXPECT_EQ(rig.take_events(), (std::vector<std::string>{"d+1 00:00:00.000 arm 43200000 0"}));
    EXPECT_EQ(rig.Timer_day.Tag(), day_part(kDay) + 2);
    EXPECT_EQ(rig.Timer_day.Interval(), 86400000u);
}

TEST(Scheduler, MidnightTickThatComesLateStillStartsTheNewDayAtMidnight) {
    struct Case {
        const char* name;
        std::function<void(EngineRig&)> setup;
        std::int64_t late_ms;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"a dated entry at midnight runs first, then the every-day one, none twice",
         [](EngineRig& rig) {
             rig.reminder(clock_time(0, 0), "midnight");
             rig.reminder(kDay + 1, "new day");
         },
         50,
         {"23:59:59.000 arm 1000 0", "d+1 00:00:00.000 reminder new day", "d+1 00:00:00.000 arm 100 0",
          "d+1 00:00:00.100 reminder midnight", "d+1 00:00:00.100 arm 7199900 0"}},
        {"a dated entry just after midnight does not hide the every-day one at midnight",
         [](EngineRig& rig) {
             rig.reminder(clock_time(0, 0), "midnight");
             rig.reminder(kDay + 1 + clock_time(0, 0, 5), "dated");
         },
         10000,
         {"23:59:59.000 arm 6000 0", "d+1 00:00:05.000 reminder dated", "d+1 00:00:05.000 arm 100 0",
          "d+1 00:00:05.100 reminder midnight", "d+1 00:00:05.100 arm 7194900 0"}},
        {"with nothing before the late tick, it starts the new day itself",
         [](EngineRig& rig) { rig.reminder(clock_time(0, 0), "midnight"); },
         10000,
         {"d+1 00:00:10.000 arm 100 0", "d+1 00:00:10.100 reminder midnight", "d+1 00:00:10.100 arm 7189900 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(kDay + clock_time(23, 59, 59));
        c.setup(rig);
        rig.reminder(clock_time(2, 0), "two");
        rig.start();
        rig.Timer_day.SetEnabled(false);
        rig.clock.run_for(1000 + c.late_ms);
        rig.scheduler.Timer_dayTimer();
        rig.clock.run_for(1000);
        EXPECT_EQ(rig.take_events(), c.events);
    }
}

TEST(Scheduler, ClockChangeReArmsBothTimersButOnlyTheDayTimerWhilePaused) {
    EngineRig rig(kDay + clock_time(9, 0));
    rig.reminder(clock_time(10, 0), "tea");
    rig.start();
    rig.take_events();

    rig.clock.set_now(kDay + clock_time(9, 50));
    rig.scheduler.time_changed();
    EXPECT_EQ(rig.take_events(), (std::vector<std::string>{"09:50:00.000 arm 600000 0"}));
    EXPECT_EQ(rig.Timer_day.Interval(), 14u * 3600000u + 600000u);

    rig.scheduler.change_run_or_pause();
    rig.clock.set_now(kDay + clock_time(20, 0));
    rig.scheduler.time_changed();
    EXPECT_TRUE(rig.take_events().empty());
    EXPECT_FALSE(rig.Timer1.Enabled());
    EXPECT_EQ(rig.Timer_day.Interval(), 4u * 3600000u);
}

TEST(Scheduler, ClockSetBackRepeatsWhatFallsDueAgain) {
    EngineRig rig(kDay + clock_time(9, 59));
    rig.reminder(clock_time(10, 0), "tea");
    rig.start();
    rig.run_to(clock_time(10, 30));
    rig.clock.set_now(kDay + clock_time(9, 59, 30));
    rig.scheduler.time_changed();
    rig.run_to(clock_time(10, 30));
    EXPECT_EQ(rig.take_events(), (std::vector<std::string>{"09:59:00.000 arm 60000 0", "10:00:00.000 reminder tea",
                                                           "09:59:30.000 arm 30000 0", "10:00:00.000 reminder tea"}));
}

TEST(Scheduler, RebuildDuringACompulsoryRestNeitherCutsNorStretchesIt) {
    struct Case {
        const char* name;
        std::function<void(EngineRig&)> setup;
        TDateTime start;
        std::int64_t disturb_after_ms;
        std::function<void(EngineRig&)> disturb;
        std::int64_t run_ms;
        std::vector<std::string> events;
        int monitor_offs = 120;  // one every second of each two-minute rest
    };
    const auto daytime = [](EngineRig& rig) {
        rig.rest(clock_time(10, 0), 2);
        rig.reminder(clock_time(10, 1), "during");
        rig.reminder(clock_time(10, 5), "after");
    };
    const auto set_clock = [](TDateTime t) {
        return [t](EngineRig& rig) {
            rig.clock.set_now(kDay + t);
            rig.scheduler.time_changed();
        };
    };
    const Case cases[] = {
        {"the timetable edited, the resting entry deleted",
         daytime,
         clock_time(9, 59, 30),
         30000,
         [](EngineRig& rig) {
             rig.reminder(clock_time(10, 0, 45), "new");
             remove_entry(rig.schedule.rest_list, clock_time(10, 0));
             rig.scheduler.rebuild_due_chain();
         },
         600000,
         {"10:02:00.000 rest-end", "10:02:00.000 arm 100 0", "10:02:00.100 reminder new", "10:02:00.100 arm 100 0",
          "10:02:00.200 reminder during", "10:02:00.200 arm 179800 0", "10:05:00.000 reminder after"}},
        {"the clock set back an hour: what falls due again is repeated, the rest included",
         daytime,
         clock_time(9, 59, 30),
         30000,
         set_clock(clock_time(9, 0, 30)),
         7200000,
         {"09:02:00.000 rest-end", "09:02:00.000 arm 3420000 1", "09:59:00.000 arm 60000 0",
          "10:00:00.000 rest-begin 2", "10:02:00.000 rest-end", "10:02:00.000 arm 100 0",
          "10:02:00.100 reminder during", "10:02:00.100 arm 179900 0", "10:05:00.000 reminder after"},
         240},
        {"the clock set forward an hour: what it jumped over is not run",
         daytime,
         clock_time(9, 59, 30),
         30000,
         set_clock(clock_time(11, 0, 30)),
         600000,
         {"11:02:00.000 rest-end"}},
        {"the clock set back by a second (time sync): nothing repeats",
         daytime,
         clock_time(9, 59, 30),
         30000,
         set_clock(clock_time(10, 0, 29)),
         600000,
         {"10:01:59.000 rest-end", "10:01:59.000 arm 100 0", "10:01:59.100 reminder during",
          "10:01:59.100 arm 180900 0", "10:05:00.000 reminder after"}},
        {"midnight passed",
         [](EngineRig& rig) {
             rig.rest(clock_time(23, 59), 2);
             rig.reminder(kDay + clock_time(23, 59, 30), "during");
             rig.reminder(clock_time(0, 0, 30), "after midnight");
         },
         clock_time(23, 58, 30),
         0,
         [](EngineRig&) {},
         600000,
         {"d+1 00:01:00.000 rest-end", "d+1 00:01:00.000 arm 100 0", "d+1 00:01:00.100 reminder during",
          "d+1 00:01:00.100 arm 100 0", "d+1 00:01:00.200 reminder after midnight", "d+1 00:01:00.200 arm 86219800 1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(kDay + c.start);
        rig.settings.RestMode = 1;
        c.setup(rig);
        rig.start();
        rig.clock.run_for(30000 + c.disturb_after_ms);
        ASSERT_TRUE(rig.scheduler.rest_in_progress());
        rig.take_events();
        c.disturb(rig);
        rig.clock.run_for(c.run_ms);
        EXPECT_EQ(rig.take_events(), c.events);
        const auto calls = rig.take_calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "monitor.off"), c.monitor_offs);
        EXPECT_EQ(rig.desktop.cursor_count(), 0);
        EXPECT_TRUE(rig.desktop.shell_restored());
        EXPECT_TRUE(rig.tray.visible());
    }
}

TEST(Scheduler, SleepingOverAWeekendKeepsTheNextDay) {
    for (const bool resume_notice : {true, false}) {
        SCOPED_TRACE(resume_notice ? "with the resume notice" : "told only by the late timers");
        EngineRig rig(kDay + clock_time(17, 30));
        for (unsigned hour = 7; hour <= 20; ++hour) {
            rig.reminder(clock_time(hour, 0), std::to_string(hour));
        }
        rig.start();
        rig.run_to(clock_time(18, 0));
        sleep_until(rig, clock_time(8, 0), 3, resume_notice);
        rig.run_to(clock_time(21, 0));
        // The one due at the very moment of the wake runs once the timer's shortest interval has passed.
        std::vector<std::string> expected = {"18:00:00.000 reminder 18", "d+3 08:00:00.100 reminder 8"};
        for (unsigned hour = 9; hour <= 20; ++hour) {
            char line[40];
            std::snprintf(line, sizeof line, "d+3 %02u:00:00.000 reminder %u", hour, hour);
            expected.push_back(line);
        }
        EXPECT_EQ(carried_out(rig.take_events()), expected);
    }
}

TEST(Scheduler, WhatFellDueAsleepIsSkipped) {
    struct Case {
        const char* name;
        TDateTime asleep;
        TDateTime awake;
        bool suspend_notice;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"a long sleep: the late timer tells of it before the resume notice",
         clock_time(9, 30),
         clock_time(10, 30),
         false,
         {"10:30:00.000 arm 1800000 0", "11:00:00.000 reminder after"}},
        {"a short sleep told by the suspend notice",
         clock_time(9, 59, 50),
         clock_time(10, 0, 10),
         true,
         {"10:00:10.000 arm 3590000 0", "11:00:00.000 reminder after"}},
        {"a short sleep without a suspend notice is a timer a little late",
         clock_time(9, 59, 50),
         clock_time(10, 0, 10),
         false,
         {"10:00:10.000 reminder asleep", "10:00:10.000 arm 3590000 0", "10:00:10.000 arm 3590000 0",
          "11:00:00.000 reminder after"}},
        {"no timer due meanwhile: the resume notice re-arms",
         clock_time(9, 0),
         clock_time(9, 50),
         false,
         {"09:50:00.000 arm 600000 0", "10:00:00.000 reminder asleep", "10:00:00.000 arm 3600000 0",
          "11:00:00.000 reminder after"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(kDay + clock_time(8, 0));
        rig.reminder(clock_time(10, 0), "asleep");
        rig.reminder(clock_time(11, 0), "after");
        rig.start();
        rig.run_to(c.asleep);
        rig.take_events();
        if (c.suspend_notice) {
            rig.scheduler.suspended();
        }
        sleep_until(rig, c.awake);
        rig.run_to(clock_time(12, 0));
        EXPECT_EQ(rig.take_events(), c.events);
    }
}

TEST(Scheduler, ARestUnderWayWhenTheMachineSleepsCountsTheSleepAsRestTaken) {
    struct Case {
        const char* name;
        TDateTime wake;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"asleep past the rest's end: it ends at the wake, what fell due meanwhile is skipped",
         clock_time(10, 30),
         {"10:30:00.000 rest-end", "10:30:00.000 arm 600000 0", "10:40:00.000 reminder after"}},
        {"asleep for part of it: the rest goes on for what is left of its length",
         clock_time(10, 6),
         {"10:10:00.000 rest-end", "10:10:00.000 arm 100 0", "10:10:00.100 reminder during",
          "10:10:00.100 arm 1799900 0", "10:40:00.000 reminder after"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(kDay + clock_time(9, 59, 30));
        rig.settings.RestMode = 1;
        rig.rest(clock_time(10, 0), 10);
        rig.reminder(clock_time(10, 5), "asleep");
        rig.reminder(clock_time(10, 8), "during");
        rig.reminder(clock_time(10, 40), "after");
        rig.start();
        rig.run_to(clock_time(10, 2));
        rig.take_events();
        sleep_until(rig, c.wake);
        rig.run_to(clock_time(11, 0));
        EXPECT_EQ(rig.take_events(), c.events);
        EXPECT_EQ(rig.desktop.cursor_count(), 0);
        EXPECT_TRUE(rig.desktop.shell_restored());
        EXPECT_TRUE(rig.tray.visible());
    }
}

TEST(Scheduler, ClockSetForwardDuringARestDoesNotReplayWhatItJumpedOver) {
    EngineRig rig(kDay + clock_time(9, 59, 30));
    rig.programs.files.insert("C:\\backup.exe");
    rig.rest(clock_time(10, 0), 5);
    for (unsigned hour : {11u, 12u, 13u}) {
        rig.rest(clock_time(hour, 0), 1);
    }
    rig.reminder(clock_time(11, 30), "skipped");
    rig.program(clock_time(12, 30), 0, "C:\\backup.exe", "");
    rig.reminder(clock_time(13, 10), "after");
    rig.start();
    rig.run_to(clock_time(10, 2));
    rig.clock.set_now(kDay + clock_time(13, 2));
    rig.scheduler.time_changed();
    rig.run_to(clock_time(14, 0));
    EXPECT_EQ(carried_out(rig.take_events()),
              (std::vector<std::string>{"10:00:00.000 rest-begin 5", "13:05:00.000 rest-end",
                                        "13:10:00.000 reminder after"}));
}

TEST(Scheduler, MidnightDuringARestRunsTheOldDaysEntriesThenTheNewDays) {
    EngineRig rig(kDay + clock_time(23, 0));
    rig.rest(clock_time(23, 58), 5);
    rig.reminder(clock_time(23, 59), "late");
    rig.reminder(clock_time(0, 1), "early");
    rig.start();
    rig.clock.run_until(kDay + 3 + clock_time(0, 10));
    const std::vector<std::string> events = carried_out(rig.take_events());
    std::vector<std::string> expected;
    for (int day = 0; day < 3; ++day) {
        const std::string today = day == 0 ? "" : "d+" + std::to_string(day) + " ";
        const std::string tomorrow = "d+" + std::to_string(day + 1) + " ";
        expected.insert(expected.end(),
                        {today + "23:58:00.000 rest-begin 5", tomorrow + "00:03:00.000 rest-end",
                         tomorrow + "00:03:00.100 reminder late", tomorrow + "00:03:00.200 reminder early"});
    }
    EXPECT_EQ(events, expected);
}

TEST(Scheduler, AnEditWhileTheOldDayIsCaughtUpAfterMidnightKeepsItsEntries) {
    EngineRig rig(kDay + clock_time(23, 57));
    rig.rest(clock_time(23, 58), 5);
    rig.reminder(clock_time(23, 59), "a");
    rig.reminder(clock_time(23, 59, 30), "b");
    rig.reminder(clock_time(0, 1), "c");
    rig.start();
    rig.clock.run_until(kDay + 1 + clock_time(0, 3, 0, 150));
    rig.reminder(clock_time(12, 0), "added");
    rig.scheduler.rebuild_due_chain();
    rig.clock.run_until(kDay + 1 + clock_time(0, 10));
    EXPECT_EQ(carried_out(rig.take_events()),
              (std::vector<std::string>{"23:58:00.000 rest-begin 5", "d+1 00:03:00.000 rest-end",
                                        "d+1 00:03:00.100 reminder a", "d+1 00:03:00.250 reminder b",
                                        "d+1 00:03:00.350 reminder c"}));
}

TEST(Scheduler, ClockStepOfLessThanAMinuteNeitherRepeatsNorSkips) {
    struct Case {
        const char* name;
        TDateTime at;
        TDateTime set_to;
        int starts;
    };
    const Case cases[] = {
        {"time sync sets it back a second", clock_time(10, 0, 0, 500), clock_time(9, 59, 59, 500), 1},
        {"the user sets it back two minutes", clock_time(10, 0, 0, 500), clock_time(9, 58, 0, 500), 2},
        {"time sync steps forward over the task", clock_time(9, 59, 59, 500), clock_time(10, 0, 0, 500), 1},
        {"the user sets it forward over the task", clock_time(9, 59, 0, 500), clock_time(10, 1, 0, 500), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(kDay + clock_time(9, 59));
        rig.programs.files.insert("C:\\backup.exe");
        rig.program(clock_time(10, 0), 0, "C:\\backup.exe", "");
        rig.start();
        rig.run_to(c.at);
        rig.clock.set_now(kDay + c.set_to);
        rig.scheduler.time_changed();
        rig.run_to(clock_time(10, 5));
        const auto calls = rig.take_calls();
        EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                                [](const std::string& call) { return call.starts_with("start("); }),
                  c.starts);
    }
}

TEST(Scheduler, EntriesOfAFileOutOfOrderAllRunAtTheirTimes) {
    using namespace testing_support;
    EngineRig rig(kDay + clock_time(10, 0));
    read_schedule_image(concat({standard_header(0, 3), reminder_record(le_double(1e6), 3, "far"),
                                reminder_record(le_double(clock_time(11, 0)), 2, "eleven"),
                                reminder_record(le_double(clock_time(12, 0)), 2, "noon")}),
                        rig.schedule);
    rig.start();
    rig.run_to(clock_time(13, 0));
    EXPECT_EQ(carried_out(rig.take_events()),
              (std::vector<std::string>{"11:00:00.000 reminder eleven", "12:00:00.000 reminder noon"}));
}

TEST(Scheduler, PausingDuringACompulsoryRestEndsItAtOnce) {
    EngineRig rig(kDay + clock_time(9, 59, 30));
    rig.settings.RestMode = 1;
    rig.rest(clock_time(10, 0), 5);
    rig.reminder(clock_time(10, 2), "while paused");
    rig.reminder(clock_time(10, 40), "after");
    rig.start();
    rig.run_to(clock_time(10, 0, 30));
    rig.take_calls();
    rig.take_events();

    rig.scheduler.change_run_or_pause();
    EXPECT_FALSE(rig.scheduler.rest_in_progress());
    EXPECT_FALSE(rig.Timer1.Enabled());
    EXPECT_EQ(rig.take_calls(),
              (testing_fakes::CallLog{"cursor.show", "tray.show", "show.Shell_TrayWnd", "show.ProgMan", "monitor.on"}));
    rig.run_to(clock_time(10, 30));
    EXPECT_EQ(rig.take_events(), (std::vector<std::string>{"10:00:30.000 rest-end"}));
    EXPECT_TRUE(rig.take_calls().empty());

    rig.scheduler.change_run_or_pause();
    rig.run_to(clock_time(10, 45));
    EXPECT_EQ(rig.take_events(),
              (std::vector<std::string>{"10:30:00.000 arm 600000 0", "10:40:00.000 reminder after"}));
}

TEST(Scheduler, RestoreDesktopPutsBackWhatARestHidOnce) {
    struct Case {
        const char* name;
        TDateTime when;
    };
    const Case cases[] = {
        {"during a compulsory rest", clock_time(10, 0, 30)},
        {"after the warning, before the rest", clock_time(9, 59, 30)},
        {"with nothing hidden", clock_time(9, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(kDay + clock_time(9, 0));
        rig.settings.CompulsoryPremind = true;
        rig.rest(clock_time(10, 0), 5);
        rig.start();
        rig.run_to(c.when);
        for (int call = 0; call < 2; ++call) {
            rig.scheduler.restore_desktop();
            EXPECT_FALSE(rig.scheduler.rest_in_progress());
            EXPECT_EQ(rig.desktop.cursor_count(), 0);
            EXPECT_TRUE(rig.desktop.shell_restored());
            EXPECT_FALSE(rig.desktop.hidden(kTaskBarClass));
            EXPECT_TRUE(rig.tray.visible());
        }
    }
}

}  // namespace
}  // namespace vistrel
