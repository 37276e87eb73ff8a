#pragma once

#include <optional>
#include <string_view>

namespace vistrel {

/// ExitWindowsEx flags of a power-off run.
inline constexpr unsigned kPowerOffShutdown = 9;  // EWX_SHUTDOWN | EWX_POWEROFF, never forced
inline constexpr unsigned kPowerOffRestart = 2;   // EWX_REBOOT

/// Switches the computer off or restarts it.
class PowerControl {
public:
    virtual ~PowerControl() = default;
    virtual void power_off(unsigned flags) = 0;
};

/// The power-off flags that a first command-line argument asks for (already upper-cased), if any.
std::optional<unsigned> power_off_flags(std::wstring_view upper_argument);

}  // namespace vistrel
