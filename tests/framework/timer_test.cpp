#include "framework/timer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application.h"
#include "test_support.h"

namespace vistrel {
namespace {

using testing_support::pump_until;

// Collects what reaches the application's error display while it lives.
class ReportedErrors {
public:
    ReportedErrors() {
        Application().OnException = [this](const std::exception_ptr& error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                messages.emplace_back(e.what());
            }
            if (while_shown) {
                while_shown();
            }
        };
    }
    ReportedErrors(const ReportedErrors&) = delete;
    ReportedErrors& operator=(const ReportedErrors&) = delete;
    ~ReportedErrors() { Application().OnException = nullptr; }

    std::vector<std::string> messages;
    std::function<void()> while_shown;
};

TEST(Timer, FiresEveryIntervalFromTheMessageLoopUntilDisabled) {
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    int ticks = 0;
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 3) {
            timer.SetEnabled(false);
        }
    };
    EXPECT_TRUE(pump_until([&] { return ticks >= 3; }));
    EXPECT_FALSE(pump_until([&] { return ticks > 3; }, 150));
}

TEST(Timer, IntervalZeroNeverFires) {
    TTimer timer(nullptr);
    bool fired = false;
    timer.OnTimer = [&](TObject*) { fired = true; };
    timer.SetInterval(0);
    EXPECT_FALSE(pump_until([&] { return fired; }, 150));
}

TEST(Timer, IsTheEnginesTimerPort) {
    TTimer component(nullptr);
    Timer& port = component;
    port.SetEnabled(false);
    port.SetTag(1234);
    EXPECT_EQ(component.Tag(), 1234);
    EXPECT_EQ(static_cast<TComponent&>(component).Tag, 1234);  // one tag, the component's
    int ticks = 0;
    port.SetOnTimer([&] { ++ticks; });
    EXPECT_TRUE(component.OnTimer);  // the engine's handler is the OnTimer event
    port.SetInterval(10);
    port.SetEnabled(true);
    EXPECT_TRUE(pump_until([&] { return ticks >= 2; }));
    port.SetOnTimer({});
    EXPECT_FALSE(component.OnTimer);
}

// The engine's handlers arm one-shot: they stop the timer first and set it again at the end. A failure in
// between is reported and the schedule carries on.
TEST(Timer, AFailedTickIsReportedAndTheTimerRunsOn) {
    struct Case {
        const char* name;
        std::uint32_t rearm;     // interval the handler sets before failing; 0: it leaves the timer stopped
        std::uint32_t expected;  // interval after the failed tick
    };
    const Case cases[] = {
        {"stopped by the handler: runs on with its interval", 0, 20},
        {"set again by the handler: keeps the new setting", 30, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportedErrors errors;
        TTimer timer(nullptr);
        timer.SetEnabled(false);
        int ticks = 0;
        timer.SetOnTimer([&] {
            timer.SetEnabled(false);
            if (++ticks == 1) {
                if (c.rearm != 0) {
                    timer.SetInterval(c.rearm);
                    timer.SetEnabled(true);
                }
                throw std::runtime_error("tick failed");
            }
        });
        timer.SetInterval(20);
        timer.SetEnabled(true);
        ASSERT_TRUE(pump_until([&] { return ticks >= 2; }));
        EXPECT_EQ(errors.messages, std::vector<std::string>{"tick failed"});
        EXPECT_EQ(timer.Interval(), c.expected);
    }
}

TEST(Timer, ASettingMadeWhileTheErrorIsShownStands) {
    ReportedErrors errors;
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        throw std::runtime_error("tick failed");
    };
    // The user stops the timer while the message box is open.
    errors.while_shown = [&] { timer.SetEnabled(false); };
    ASSERT_TRUE(pump_until([&] { return !errors.messages.empty(); }));
    EXPECT_FALSE(pump_until([&] { return ticks > 1; }, 150));
    EXPECT_FALSE(timer.Enabled());
}

TEST(Timer, NoTickWhileAFailedTickIsReported) {
    ReportedErrors errors;
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(5);
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        throw std::runtime_error("tick failed");
    };
    // The error display runs a message loop of its own, as a message box does.
    errors.while_shown = [&] {
        const int before = ticks;
        testing_support::pump_messages(60);
        EXPECT_EQ(ticks, before);
        timer.SetEnabled(ticks < 2);
    };
    ASSERT_TRUE(pump_until([&] { return errors.messages.size() >= 2; }));
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace vistrel
