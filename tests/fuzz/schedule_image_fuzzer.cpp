// Feeds arbitrary bytes to the schedule image parser and to everything the program then does with the
// entries: show them, find them again by their text, convert their texts, save and read them again.

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
    if (whole == entry.time && entry.time >= 0 && is_showable_time(entry.time)) {
        require(parse_entry_time(text) == std::optional<TDateTime>(entry.time));
    }
    const std::int64_t until = ms_until(entry.time, 38490.5);
    require(until >= -86400000 && until <= 86400000);
    for (const std::string& field : {entry.remind_info(), entry.shell_path(), entry.command_line()}) {
        require(cut_gbk(field, kShellPathSize).size() <= kShellPathSize);
        gbk_to_utf8(field);
    }
    require(entry.shell_path().size() <= kShellPathSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);
    Schedule schedule;
    const ImageContents contents = read_schedule_image(image, schedule);

    // Never more entries than the counts promise and the bytes hold; each list in order, one entry per time.
    require(schedule.rest_list.size() <= contents.rest_records);
    require(schedule.task_list.size() <= contents.task_records);
    for (const TimerList* list : {&schedule.rest_list, &schedule.task_list}) {
        for (const TimerEntry* entry = list->first(); entry != nullptr && entry->next != nullptr; entry = entry->next) {
            require(std::isnan(entry->next->time) || entry->time < entry->next->time);
        }
    }
    if (size < kRecordsOffset) {
        require(contents.rest_records == 0 && contents.task_records == 0);
    } else {
        require(contents.rest_records <= image[kRestCountOffset]);
        require(contents.task_records <= image[kTaskCountOffset]);
        require(kRecordsOffset + contents.rest_records * kRestRecordSize + contents.task_records * kTaskRecordSize <=
                size);
        require(contents.task_records == 0 || contents.rest_records == image[kRestCountOffset]);
    }

    // A repair touches the header texts only.
    for (const ImagePatch& patch : header_repairs(image)) {
        require(patch.offset + patch.bytes.size() <= kVersionOffset + 6);
    }

    for (const TimerList* list : {&schedule.rest_list, &schedule.task_list}) {
        for (const TimerEntry& entry : *list) {
            use_entry(entry);
        }
    }

    // Saving what was read and reading it again gives the same entries and the same bytes.
    const std::vector<std::uint8_t> saved = write_schedule_image(schedule);
    Schedule reread;
    read_schedule_image(saved, reread);
    require(same_entries(schedule.rest_list, reread.rest_list));
    require(same_entries(schedule.task_list, reread.task_list));
    require(header_repairs(saved).empty());
    require(write_schedule_image(reread) == saved);
    return 0;
}
