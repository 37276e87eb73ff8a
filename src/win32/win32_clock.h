#pragma once

#include "engine/clock.h"

namespace vistrel {

/// The system's local time and tick count.
class Win32Clock final : public Clock {
public:
    TDateTime now() const override;
    std::uint32_t tick_count() const override;
};

}  // namespace vistrel
