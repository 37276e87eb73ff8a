#pragma once

#include <functional>
#include <vector>

#include "app/timetable_lists.h"
#include "engine/message_service.h"
#include "engine/scheduler.h"
#include "engine/timetable_edits.h"
#include "framework/component.h"

namespace vistrel::app {

/// The one road of every change to a timetable: the edit, then its list shown anew, the schedule armed again from
/// it while it runs, and the data file saved. An edit that is refused is shown to the user and changes nothing.
/// So no page can change a timetable and leave its list, the running schedule or the data file behind.
class TimetableChanges {
public:
    /// save_schedule writes both timetables to the data file and shows a failure itself.
    TimetableChanges(Scheduler& scheduler, MessageService& messages, std::function<void()> save_schedule);

    /// The list view that shows a timetable: each timetable's page registers its list before the first change.
    void add_list(TimetableList list);
    /// The registered list that `view` is (a context menu names the control it was opened over); null for any
    /// other component.
    const TimetableList* list_of(const TComponent* view) const;

    /// Makes `change` on a timetable; unless it is refused, the list shows the timetable as it now is, the
    /// schedule is armed again while it runs and both timetables are saved. True when the change was made.
    bool edit(TimerList& timetable, const std::function<EditOutcome(TimerList&)>& change);
    /// Shows a timetable anew and, while the schedule runs, arms it again from the timetable; nothing is saved.
    void refresh(TimerList& timetable);

private:
    TimetableList& list_showing(const TimerList& timetable);
    void show_refusal(EditRefusal refusal);

    Scheduler& scheduler_;
    MessageService& messages_;
    std::function<void()> save_schedule_;
    std::vector<TimetableList> lists_;
};

}  // namespace vistrel::app
