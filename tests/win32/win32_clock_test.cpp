#include "win32/win32_clock.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>

namespace vistrel {
namespace {

// Milliseconds since 1899-12-30 of a local time.
std::int64_t local_ms(const SYSTEMTIME& t) {
    return day_number(t.wYear, t.wMonth, t.wDay) * 86400000 + ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond) * 1000LL +
           t.wMilliseconds;
}

TEST(Win32Clock, ReadsLocalTimeToTheMillisecondAndTheTickCount) {
    const Win32Clock clock;
    SYSTEMTIME before{};
    SYSTEMTIME after{};
    GetLocalTime(&before);
    const DWORD ticks_before = GetTickCount();
    const TDateTime now = clock.now();
    const std::uint32_t ticks = clock.tick_count();
    const DWORD ticks_after = GetTickCount();
    GetLocalTime(&after);
    // Between the readings around it, to the millisecond, and a whole millisecond exactly.
    const std::int64_t ms = std::llround(now * 86400000.0);
    EXPECT_GE(ms, local_ms(before));
    EXPECT_LE(ms, local_ms(after));
    EXPECT_EQ(now, encode_time(static_cast<std::uint32_t>(ms / 86400000), 0, 0, 0,
                               static_cast<std::uint32_t>(ms % 86400000)));
    EXPECT_LE(ticks - ticks_before, ticks_after - ticks_before);
}

}  // namespace
}  // namespace vistrel
