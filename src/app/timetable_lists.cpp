#include "app/timetable_lists.h"

#include "win32/wide_text.h"

namespace vistrel::app {

TDateTime row_time(const TListItem& row) {
    return parse_entry_time(to_utf8(row.Caption())).value_or(0.0);
}

}  // namespace vistrel::app
