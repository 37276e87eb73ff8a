#pragma once

#include "engine/power.h"

namespace vistrel {

/// Power-off through ExitWindowsEx, enabling the shutdown privilege first on the NT family.
class Win32Power final : public PowerControl {
public:
    void power_off(unsigned flags) override;
};

}  // namespace vistrel
