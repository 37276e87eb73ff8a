#pragma once

#include <cstdint>

#include "engine/date_time.h"

namespace vistrel {

/// Where the engine reads the time.
class Clock {
public:
    virtual ~Clock() = default;

    /// Local wall-clock date and time.
    virtual TDateTime now() const = 0;
    /// Milliseconds since the computer started, wrapping after about 49.7 days.
    virtual std::uint32_t tick_count() const = 0;
};

}  // namespace vistrel
