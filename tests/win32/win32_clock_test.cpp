#include "win32/win32_clock.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>

namespace vistrel {
namespace {

TEST(Win32Clock, ReadsLocalTimeAndTickCount) {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    const DWORD ticks = GetTickCount();
    const Win32Clock clock;
    const TDateTime now = clock.now();
    const TDateTime expected = static_cast<double>(day_number(local.wYear, local.wMonth, local.wDay)) +
                               (local.wHour * 3600.0 + local.wMinute * 60.0 + local.wSecond) / 86400.0;
    EXPECT_LT(std::fabs(now - expected), 5.0 / 86400.0);
    EXPECT_LT(clock.tick_count() - ticks, 5000u);
}

}  // namespace
}  // namespace vistrel
