#include "engine/timetable.h"

#include "engine/text_codec.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace vistrel {
namespace {

// Text of a payload field: up to its first zero byte or the end of the field.
std::string field_text(const TimerEntry& entry, std::size_t offset, std::size_t size) {
    const auto* begin = entry.payload.data() + offset;
    const auto* end = std::find(begin, begin + size, std::uint8_t{0});
    return {begin, end};
}

// Stores a text in a field; a zero byte follows it when it is shorter than the field.
void store_text(TimerEntry& entry, std::size_t offset, std::size_t size, std::string_view text) {
    std::memcpy(entry.payload.data() + offset, text.data(), text.size());
    if (text.size() < size) {
        entry.payload[offset + text.size()] = 0;
    }
}

// Payload fields of a program task.
constexpr std::size_t kShellPathField = 1;
constexpr std::size_t kCommandLineField = kShellPathField + kShellPathSize;
constexpr std::size_t kCommandLineFieldSize = kTaskPayloadSize - kCommandLineField;

// Whether a field's text ends (with a zero byte) within limit bytes.
bool ends_within(const TimerEntry& entry, std::size_t offset, std::size_t limit) {
    const auto* begin = entry.payload.data() + offset;
    const auto* end = begin + limit + 1;
    return std::find(begin, end, std::uint8_t{0}) != end;
}

// Every-day entries carry a time of day alone; a value that is no number fails too.
bool is_time_of_day(TDateTime t) {
    return t >= 0.0 && t < 1.0;
}

// A date from the day after the epoch (day 0 is never in the future) to the last one the date picker offers.
bool is_date_and_time(TDateTime t) {
    static const auto kDayAfterLast = static_cast<double>(day_number(9999, 12, 31) + 1);
    return t >= 1.0 && t < kDayAfterLast;
}

// The entry at exactly t, or a new entry linked where t belongs; null when t is new and the list is full.
// Bytes an overwritten entry held beyond what the caller writes stay as they were.
TimerEntry* entry_for_time(TimerList& list, TDateTime t) {
    TimerEntry* prev = &list.sentinel();
    TimerEntry* cur = prev->next;
    while (cur != nullptr) {
        if (cur->time >= t) {
            if (cur->time == t) {
                prev = cur;
            }
            break;
        }
        prev = cur;
        cur = cur->next;
    }
    if (prev != cur) {
        if (list.size() >= kMaxEntries) {
            return nullptr;
        }
        prev = list.link_after(*prev);
    }
    prev->time = t;
    return prev;
}

}  // namespace

std::string TimerEntry::remind_info() const {
    return field_text(*this, 0, kTaskPayloadSize);
}

std::string TimerEntry::shell_path() const {
    return field_text(*this, kShellPathField, kShellPathSize);
}

std::string TimerEntry::command_line() const {
    return field_text(*this, kCommandLineField, kCommandLineFieldSize);
}

TimerList::~TimerList() {
    clear_list(*this);
}

std::size_t TimerList::size() const {
    std::size_t count = 0;
    for (const TimerEntry* e = sentinel_.next; e != nullptr; e = e->next) {
        ++count;
    }
    return count;
}

TimerEntry* TimerList::link_after(TimerEntry& prev) {
    auto* entry = new TimerEntry;
    entry->prev = &prev;
    entry->next = prev.next;
    if (prev.next != nullptr) {
        prev.next->prev = entry;
    }
    prev.next = entry;
    return entry;
}

void TimerList::unlink(TimerEntry& entry) {
    entry.prev->next = entry.next;
    if (entry.next != nullptr) {
        entry.next->prev = entry.prev;
    }
    delete &entry;
}

TimerEntry* insert_rest(TimerList& list, TDateTime t, unsigned minutes) {
    TimerEntry* entry = entry_for_time(list, t);
    if (entry != nullptr) {
        entry->flags = 0;
        entry->payload[0] = static_cast<std::uint8_t>(minutes & 0xFF);
    }
    return entry;
}

bool generate_rests(TimerList& list, TDateTime begin, TDateTime end, unsigned span_minutes, unsigned minutes) {
    if (span_minutes == 0) {
        return false;
    }
    // Each start is cut to a whole second before it is compared with the end, so that an end falling on a
    // step is left out however the sum of the steps rounds.
    const auto whole_second = [](TDateTime t) { return set_time_part(t, 0, TimePart::milliseconds); };
    std::vector<TDateTime> times;
    for (TDateTime t = whole_second(begin); t < end; t = whole_second(add_minutes(t, span_minutes))) {
        times.push_back(t);
        if (times.size() > kMaxEntries) {
            return false;
        }
    }
    clear_list(list);
    TimerEntry* last = &list.sentinel();
    for (const TDateTime t : times) {
        last = list.link_after(*last);
        last->time = t;
        last->payload[0] = static_cast<std::uint8_t>(minutes & 0xFF);
    }
    return true;
}

TimerEntry* insert_task(TimerList& list, TDateTime t, std::uint8_t flags, const TaskPayload& payload) {
    TimerEntry* entry = entry_for_time(list, t);
    if (entry == nullptr) {
        return nullptr;
    }
    entry->flags = flags;
    if ((flags & ENTRY_PROGRAM) != 0) {
        entry->payload[0] = payload.run_mode;
        store_text(*entry, kShellPathField, kShellPathSize, cut_gbk(payload.shell_path, kShellPathSize));
        store_text(*entry, kCommandLineField, kCommandLineFieldSize, cut_gbk(payload.command_line, kCommandLineLimit));
    } else {
        store_text(*entry, 0, kTaskPayloadSize, cut_gbk(payload.remind_info, kRemindInfoLimit));
    }
    return entry;
}

TimerEntry* find_entry(const TimerList& list, TDateTime t) {
    for (TimerEntry& entry : list) {
        if (entry.time == t) {
            return &entry;
        }
    }
    return nullptr;
}

bool remove_entry(TimerList& list, TDateTime t) {
    TimerEntry* entry = find_entry(list, t);
    if (entry == nullptr) {
        return false;
    }
    list.unlink(*entry);
    return true;
}

std::size_t put_in_order(TimerList& list) {
    std::vector<TimerEntry*> entries;
    for (TimerEntry& entry : list) {
        entries.push_back(&entry);
    }
    // Times that are no number go last, where they stand in no one's way: they are never due.
    const auto earlier = [](const TimerEntry* a, const TimerEntry* b) {
        return std::isnan(b->time) ? !std::isnan(a->time) : a->time < b->time;
    };
    if (std::is_sorted(entries.begin(), entries.end(), earlier) &&
        std::adjacent_find(entries.begin(), entries.end(), [](const TimerEntry* a, const TimerEntry* b) {
            return a->time == b->time;
        }) == entries.end()) {
        return 0;
    }
    std::stable_sort(entries.begin(), entries.end(), earlier);
    std::size_t freed = 0;
    TimerEntry* last = &list.sentinel();
    for (TimerEntry* entry : entries) {
        if (last != &list.sentinel() && entry->time == last->time) {
            delete entry;  // a later duplicate of a time: the first one stays
            ++freed;
            continue;
        }
        last->next = entry;
        entry->prev = last;
        last = entry;
    }
    last->next = nullptr;
    return freed;
}

bool is_sound_entry(const TimerEntry& entry, ListKind kind) {
    if (kind == ListKind::rest) {
        return entry.flags == 0 && entry.break_minutes() >= 1 && entry.break_minutes() <= kLongestRest &&
               is_time_of_day(entry.time);
    }
    constexpr unsigned kKnownFlags = ENTRY_TASK | ENTRY_PROGRAM | ENTRY_DATED;
    if (!entry.is_task() || (entry.flags & ~kKnownFlags) != 0 ||
        !(entry.is_dated() ? is_date_and_time(entry.time) : is_time_of_day(entry.time))) {
        return false;
    }
    if (entry.is_program()) {
        return entry.run_mode() <= kLastRunMode && ends_within(entry, kCommandLineField, kCommandLineLimit);
    }
    return ends_within(entry, 0, kRemindInfoLimit);
}

void clear_list(TimerList& list) {
    while (!list.empty()) {
        list.unlink(*list.first());
    }
}

}  // namespace vistrel
