#include "engine/rest_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine_rig.h"

namespace vistrel {
namespace {

using testing_fakes::CallLog;
using testing_fakes::clock_time;
using testing_fakes::date_time;
using testing_fakes::EngineRig;

const TDateTime kDay = date_time(2024, 5, 18);
const std::string kRestDialog = "到了休息的时间了，请珍重身体！\r\n倒计时：";
const std::string kPreReminder = "ShowMessage(请作好准备，一分钟内将进入强制休息模式！|posted)";

std::string rest_dialog(int countdown) {
    return "MessageDlg(" + kRestDialog + std::to_string(countdown) + "|定时提醒|0|posted)";
}

CallLog slice(const CallLog& calls, std::size_t from, std::size_t length) {
    return CallLog(calls.begin() + static_cast<std::ptrdiff_t>(from),
                   calls.begin() + static_cast<std::ptrdiff_t>(std::min(from + length, calls.size())));
}

const CallLog kHide = {"tray.hide", "cursor.hide", "hide.Shell_TrayWnd", "hide.ProgMan"};
const CallLog kRestore = {"cursor.show", "tray.show", "show.Shell_TrayWnd", "show.ProgMan"};

// A rest at 10:00 of the given length, the schedule started half a minute before.
struct RestRig : EngineRig {
    RestRig(int mode, unsigned minutes, bool compulsory = true) : EngineRig(kDay + clock_time(9, 59, 30)) {
        settings.RestMode = mode;
        settings.CompulsoryRest = compulsory;
        rest(clock_time(10, 0), minutes);
    }
};

TEST(RestSession, CompulsoryDialogRestCountsDownOncePerSecondAndRestoresAtTheEnd) {
    RestRig rig(0, 2);
    rig.start();
    rig.run_to(clock_time(10, 0));
    ASSERT_TRUE(rig.scheduler.rest_in_progress());
    CallLog expected_start = kHide;
    expected_start.insert(expected_start.end(), {"tray.Minimize", "CloseDialog", rest_dialog(120)});
    EXPECT_EQ(rig.take_calls(), expected_start);
    EXPECT_EQ(time_to_ms(rig.scheduler.rest_session().end_time()), time_to_ms(kDay + clock_time(10, 2)));

    rig.run_to(clock_time(10, 1, 59, 999));
    const CallLog ticks = rig.take_calls();
    ASSERT_EQ(ticks.size(), 119u * 3);
    for (int second = 1; second < 120; ++second) {
        SCOPED_TRACE(second);
        EXPECT_EQ(slice(ticks, 3 * static_cast<std::size_t>(second - 1), 3),
                  (CallLog{"tray.Minimize", "CloseDialog", rest_dialog(120 - second)}));
    }

    rig.run_to(clock_time(10, 2));
    CallLog expected_end = kRestore;
    expected_end.push_back("CloseDialog");
    EXPECT_EQ(rig.take_calls(), expected_end);
    EXPECT_FALSE(rig.scheduler.rest_in_progress());
    EXPECT_EQ(rig.desktop.cursor_count(), 0);
    EXPECT_TRUE(rig.desktop.shell_restored());
    EXPECT_TRUE(rig.tray.visible());
}

TEST(RestSession, ModeActionAtTheStartEverySecondAndAtTheEnd) {
    struct Case {
        const char* name;
        int mode;
        bool screen_saver;
        std::string each_second;  // empty: nothing
        CallLog at_end;
    };
    const Case cases[] = {
        {"monitor off every second, on once at the end", 1, false, "monitor.off", {"monitor.on"}},
        {"screen saver started every second", 2, true, "screensaver", {}},
        {"no screen saver configured: only hiding and restoring", 2, false, "", {}},
        {"an unknown mode starts the screen saver", 7, true, "screensaver", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestRig rig(c.mode, 1);
        rig.desktop.screen_saver_configured = c.screen_saver;
        rig.start();
        rig.run_to(clock_time(10, 0, 59, 999));
        CallLog expected = kHide;
        if (!c.each_second.empty()) {
            expected.insert(expected.end(), 60, c.each_second);
        }
        EXPECT_EQ(rig.take_calls(), expected);
        rig.run_to(clock_time(10, 1));
        expected = kRestore;
        expected.insert(expected.end(), c.at_end.begin(), c.at_end.end());
        EXPECT_EQ(rig.take_calls(), expected);
    }
}

TEST(RestSession, RestThatIsNotCompulsoryActsOnceWithItsOwnCountdown) {
    struct Case {
        const char* name;
        int mode;
        CallLog calls;
    };
    const Case cases[] = {
        {"dialog", 0, {"tray.Minimize", "CloseDialog", rest_dialog(300)}},
        {"monitor off", 1, {"monitor.off"}},
        {"screen saver", 2, {"screensaver"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestRig rig(c.mode, 5, false);
        rig.rest(clock_time(10, 30), 5);
        rig.desktop.screen_saver_configured = true;
        rig.start();
        rig.run_to(clock_time(10, 0));
        EXPECT_EQ(rig.take_calls(), c.calls);
        // The next rest counts down from its own length again, not from what the last one left.
        rig.run_to(clock_time(10, 30));
        EXPECT_EQ(rig.take_calls(), c.calls);
        EXPECT_FALSE(rig.scheduler.rest_in_progress());
    }
}

TEST(RestSession, ACompulsoryRestNeverLastsLongerThanAnHourWhateverItsEntryOrTheClockSays) {
    struct Case {
        const char* name;
        unsigned minutes;
        TDateTime clock_set_to;  // at 10:30, when not 0
        TDateTime over_at;       // by the clock
    };
    const Case cases[] = {
        {"an entry of an hour", 60, 0.0, clock_time(11, 0)},
        {"an entry of 61 minutes", 61, 0.0, clock_time(11, 0)},
        {"an entry of 200 minutes", 200, 0.0, clock_time(11, 0)},
        {"an entry of 255 minutes", 255, 0.0, clock_time(11, 0)},
        {"the clock set back two hours during it", 200, clock_time(8, 30), clock_time(9, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestRig rig(0, c.minutes);
        rig.start();
        rig.run_to(clock_time(10, 0));
        ASSERT_TRUE(rig.scheduler.rest_in_progress());
        EXPECT_EQ(rig.take_calls().back(), rest_dialog(3600));
        EXPECT_EQ(time_to_ms(rig.scheduler.rest_session().end_time()), time_to_ms(kDay + clock_time(11, 0)));
        if (c.clock_set_to != 0.0) {
            rig.run_to(clock_time(10, 30));
            rig.clock.set_now(kDay + c.clock_set_to);
            rig.scheduler.time_changed();
        }
        rig.run_to(c.over_at - 1.0 / 86400000);
        EXPECT_TRUE(rig.scheduler.rest_in_progress());
        rig.run_to(c.over_at);
        EXPECT_FALSE(rig.scheduler.rest_in_progress());
        EXPECT_EQ(rig.desktop.cursor_count(), 0);
        EXPECT_TRUE(rig.desktop.shell_restored());
    }
}

TEST(RestSession, ARestThatIsNotCompulsoryCountsDownAnHourAtMost) {
    RestRig rig(0, 200, false);
    rig.start();
    rig.run_to(clock_time(10, 0));
    EXPECT_EQ(rig.take_calls(), (CallLog{"tray.Minimize", "CloseDialog", rest_dialog(3600)}));
}

TEST(RestSession, PreReminderHidesTheTrayIconUntilTheRestIsOver) {
    RestRig rig(2, 1);
    rig.settings.CompulsoryPremind = true;
    rig.clock.set_now(kDay + clock_time(9, 30));
    rig.start();
    rig.run_to(clock_time(9, 59));
    EXPECT_EQ(rig.take_calls(), (CallLog{"tray.Minimize", "tray.hide", "CloseDialog", kPreReminder}));
    EXPECT_FALSE(rig.tray.visible());
    rig.run_to(clock_time(10, 0, 59));
    EXPECT_FALSE(rig.tray.visible());
    rig.take_calls();
    rig.run_to(clock_time(10, 1));
    CallLog expected{"CloseDialog"};
    expected.insert(expected.end(), kRestore.begin(), kRestore.end());
    EXPECT_EQ(rig.take_calls(), expected);
    EXPECT_TRUE(rig.tray.visible());
}

TEST(RestSession, WarningClosesAndTrayIconComesBackWhenTheWarnedRestDoesNotBegin) {
    struct Case {
        const char* name;
        int mode;
        std::function<void(EngineRig&)> during_last_minute;
        std::string last_dialog_call;  // what the user sees: nothing, or the rest's own dialog
    };
    const Case cases[] = {
        {"compulsory rests switched off", 2, [](EngineRig& rig) { rig.settings.CompulsoryRest = false; },
         "CloseDialog"},
        {"compulsory rests switched off, the rest's dialog replaces the warning", 0,
         [](EngineRig& rig) { rig.settings.CompulsoryRest = false; }, rest_dialog(60)},
        {"the rest deleted", 2,
         [](EngineRig& rig) {
             remove_entry(rig.schedule.rest_list, clock_time(10, 0));
             rig.scheduler.rebuild_due_chain();
         },
         "CloseDialog"},
        {"refused by the boot grace period", 2,
         [](EngineRig& rig) {
             rig.settings.StartDummyTime = 24 * 60 + 60;
             rig.scheduler.reset_boot_grace();
         },
         "CloseDialog"},
        {"the schedule paused", 2, [](EngineRig& rig) { rig.scheduler.change_run_or_pause(); }, "CloseDialog"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestRig rig(c.mode, 1);
        rig.settings.CompulsoryPremind = true;
        rig.clock.set_now(kDay + clock_time(9, 30));
        rig.start();
        rig.run_to(clock_time(9, 59, 30));
        ASSERT_FALSE(rig.tray.visible());
        ASSERT_EQ(rig.take_calls().back(), kPreReminder);
        c.during_last_minute(rig);
        rig.run_to(clock_time(10, 0, 30));
        EXPECT_FALSE(rig.scheduler.rest_in_progress());
        EXPECT_TRUE(rig.tray.visible());
        const CallLog calls = rig.take_calls();
        const auto last_dialog = std::find_if(calls.rbegin(), calls.rend(), [](const std::string& call) {
            return call.starts_with("CloseDialog") || call.starts_with("MessageDlg") || call.starts_with("ShowMessage");
        });
        ASSERT_NE(last_dialog, calls.rend());
        EXPECT_EQ(*last_dialog, c.last_dialog_call);
    }
}

}  // namespace
}  // namespace vistrel
