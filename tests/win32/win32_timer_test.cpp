#include "win32/win32_timer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vistrel {
namespace {

// Runs the thread's message loop until done() or the time is up; returns done().
template <typename Done>
bool pump_until(Done done, DWORD milliseconds = 5000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

TEST(Win32Timer, FiresEveryIntervalFromTheMessageLoopUntilDisabled) {
    Win32Timer timer;
    int ticks = 0;
    timer.SetOnTimer([&] {
        if (++ticks == 3) {
            timer.SetEnabled(false);
        }
    });
    timer.SetInterval(20);
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    ASSERT_TRUE(pump_until([&] { return ticks == 3; }));
    EXPECT_FALSE(pump_until([&] { return ticks > 3; }, 200));
    timer.SetTag(1234);
    EXPECT_EQ(timer.Tag(), 1234);
}

TEST(Win32Timer, IntervalZeroNeverFires) {
    Win32Timer timer;
    bool fired = false;
    timer.SetOnTimer([&] { fired = true; });
    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_FALSE(pump_until([&] { return fired; }, 200));
}

TEST(Win32Timer, ExceptionFromTheHandlerGoesToTheErrorCallback) {
    int errors = 0;
    Win32Timer timer([&] { ++errors; });
    timer.SetOnTimer([&] {
        timer.SetEnabled(false);
        throw std::runtime_error("handler failed");
    });
    timer.SetInterval(10);
    timer.SetEnabled(true);
    EXPECT_TRUE(pump_until([&] { return errors == 1; }));
}

}  // namespace
}  // namespace vistrel
