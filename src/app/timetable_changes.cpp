#include "app/timetable_changes.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "app/form_style.h"

namespace vistrel::app {

TimetableChanges::TimetableChanges(Scheduler& scheduler, MessageService& messages, std::function<void()> save_schedule)
    : scheduler_(scheduler), messages_(messages), save_schedule_(std::move(save_schedule)) {}

void TimetableChanges::add_list(TimetableList list) {
    lists_.push_back(std::move(list));
}

const TimetableList* TimetableChanges::list_of(const TComponent* view) const {
    const auto found =
        std::find_if(lists_.begin(), lists_.end(), [view](const TimetableList& list) { return &list.view == view; });
    return found != lists_.end() ? &*found : nullptr;
}

TimetableList& TimetableChanges::list_showing(const TimerList& timetable) {
    const auto found = std::find_if(lists_.begin(), lists_.end(),
                                    [&timetable](const TimetableList& list) { return &list.timetable == &timetable; });
    if (found == lists_.end()) {
        throw std::logic_error("A timetable changed that no list shows");
    }
    return *found;
}

bool TimetableChanges::edit(TimerList& timetable, const std::function<EditOutcome(TimerList&)>& change) {
    if (const EditOutcome refused = change(timetable)) {
        show_refusal(*refused);
        return false;
    }
    // Armed before the save: a failed save shows a message whose loop runs the timers, and they must already work
    // from the timetable as it now is.
    refresh(timetable);
    save_schedule_();
    return true;
}

void TimetableChanges::refresh(TimerList& timetable) {
    list_showing(timetable).show_rows();
    if (scheduler_.running()) {
        scheduler_.rebuild_due_chain();
    }
}

void TimetableChanges::show_refusal(EditRefusal refusal) {
    messages_.MessageDlg(edit_message(refusal), kNoticeCaption, MessageService::kWarning);
}

}  // namespace vistrel::app
