#pragma once

#include <functional>

#include "engine/date_time.h"
#include "engine/timetable.h"
#include "framework/list_view.h"

namespace vistrel::app {

/// A list view that shows one timetable, a row per entry in the timetable's order.
struct TimetableList {
    TimerList& timetable;
    TListView& view;
    /// Writes the view's rows from the timetable.
    std::function<void()> show_rows;
};

/// The time a row of a timetable list stands for, read back from its caption; 0 when the text is no time.
TDateTime row_time(const TListItem& row);

}  // namespace vistrel::app
