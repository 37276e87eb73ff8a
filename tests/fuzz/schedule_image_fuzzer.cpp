// Feeds arbitrary bytes to the schedule image parser and to everything the program then does with the
// entries: show them, find them again by their text, convert their texts, save and read them again. Checks what
// the parser promises: only sound entries are kept, in order, each promised entry is kept or counted as left out,
// and what was kept survives a save and a load unchanged.

#include "engine/date_time.h"
#include "engine/schedule_image.h"
#include "engine/text_codec.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

using namespace vistrel;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool same_entries(const TimerList& a, const TimerList& b) {
    TimerEntry* x = a.first();
    TimerEntry* y = b.first();
    for (; x != nullptr && y != nullptr; x = x->next, y = y->next) {
        const std::size_t payload = a.kind() == ListKind::rest ? 1 : kTaskPayloadSize;
        if (std::memcmp(&x->time, &y->time, sizeof x->time) != 0 || x->flags != y->flags ||
            std::memcmp(x->payload.data(), y->payload.data(), payload) != 0) {
            return false;
        }
    }
    return x == nullptr && y == nullptr;
}

void use_entry(const TimerEntry& entry) {
    // An entry at a whole second, as the program stores them, is found again by the text it is shown with.
    const std::string text = entry_time_text(entry.time);
    TDateTime whole = entry.time;
    set_time_part(whole, 0, TimePart::milliseconds);
    if (whole == entry.time && is_showable_time(entry.time)) {
        require(parse_entry_time(text) == std::optional<TDateTime>(entry.time));
    }
    const std::int64_t until = ms_until(entry.time, 38490.5);
    require(until >= -86400000 && until <= 86400000);
    for (const std::string& field : {entry.remind_info(), entry.shell_path(), entry.command_line()}) {
        require(cut_gbk(field, kShellPathSize).size() <= kShellPathSize);
        gbk_to_utf8(field);
    }
    require(entry.shell_path().size() <= kShellPathSize);
    if (entry.is_program()) {
        require(entry.command_line().size() <= kCommandLineLimit);
    } else if (entry.is_task()) {
        require(entry.remind_info().size() <= kRemindInfoLimit);
    }
}

// Each list in order, one entry per time, every entry one the pages could have written.
void require_sound_lists(const Schedule& schedule) {
    for (const TimerList* list : {&schedule.rest_list, &schedule.task_list}) {
        for (const TimerEntry& entry : *list) {
            require(is_sound_entry(entry, list->kind()));
            require(entry.next == nullptr || entry.time < entry.next->time);
            if (list->kind() == ListKind::rest) {
                require(entry.break_minutes() >= 1 && entry.break_minutes() <= kLongestRest);
                require(entry.time >= 0.0 && entry.time < 1.0);
            } else {
                require(entry.is_dated() == (entry.time >= 1.0));
            }
            use_entry(entry);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);
    Schedule schedule;
    const ImageContents contents = read_schedule_image(image, schedule);
    const std::size_t kept = schedule.rest_list.size() + schedule.task_list.size();

    require(contents.schedule == is_schedule_image(image));
    if (!contents.schedule) {
        // Nothing is taken from what is no schedule.
        require(kept == 0 && contents.rest_records == 0 && contents.task_records == 0 && contents.left_out == 0);
        return 0;
    }
    // Never more entries than the counts promise and the bytes hold; each promised one kept or left out.
    require(schedule.rest_list.size() <= contents.rest_records);
    require(schedule.task_list.size() <= contents.task_records);
    require(contents.rest_records <= image[kRestCountOffset]);
    require(contents.task_records <= image[kTaskCountOffset]);
    require(kRecordsOffset + contents.rest_records * kRestRecordSize + contents.task_records * kTaskRecordSize <= size);
    require(contents.task_records == 0 || contents.rest_records == image[kRestCountOffset]);
    require(kept + contents.left_out == std::size_t{image[kRestCountOffset]} + image[kTaskCountOffset]);
    require_sound_lists(schedule);

    // Saving what was kept and reading it again gives the same entries, the same bytes and nothing left out.
    const std::vector<std::uint8_t> saved = write_schedule_image(schedule);
    require(is_schedule_image(saved));
    Schedule reread;
    const ImageContents again = read_schedule_image(saved, reread);
    require(again.schedule && again.left_out == 0);
    require(same_entries(schedule.rest_list, reread.rest_list));
    require(same_entries(schedule.task_list, reread.task_list));
    require(write_schedule_image(reread) == saved);
    return 0;
}
