#include "engine/power.h"

namespace vistrel {

std::optional<unsigned> power_off_flags(std::wstring_view upper_argument) {
    if (upper_argument == L"SHUTDOWN") {
        return kPowerOffShutdown;
    }
    if (upper_argument == L"RESET") {
        return kPowerOffRestart;
    }
    return std::nullopt;
}

}  // namespace vistrel
