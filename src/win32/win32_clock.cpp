#include "win32/win32_clock.h"

#include <windows.h>

namespace vistrel {

TDateTime Win32Clock::now() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return encode_time(static_cast<std::uint32_t>(day_number(local.wYear, local.wMonth, local.wDay)), local.wHour,
                       local.wMinute, local.wSecond, local.wMilliseconds);
}

std::uint32_t Win32Clock::tick_count() const {
    return GetTickCount();
}

}  // namespace vistrel
