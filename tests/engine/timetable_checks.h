#pragma once

#include "engine/timetable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vistrel::testing_support {

/// Entry times in list order.
inline std::vector<TDateTime> times_of(const TimerList& list) {
    std::vector<TDateTime> times;
    for (const TimerEntry& entry : list) {
        times.push_back(entry.time);
    }
    return times;
}

/// Entry texts in list order, as the pages show them.
inline std::vector<std::string> texts_of(const TimerList& list) {
    std::vector<std::string> texts;
    for (const TimerEntry& entry : list) {
        texts.push_back(entry_time_text(entry.time));
    }
    return texts;
}

/// Every entry points back to the one before it, starting at the sentinel.
inline void expect_well_linked(const TimerList& list) {
    const TimerEntry* prev = &list.sentinel();
    for (const TimerEntry* entry = list.first(); entry != nullptr; entry = entry->next) {
        EXPECT_EQ(entry->prev, prev);
        prev = entry;
    }
}

}  // namespace vistrel::testing_support
