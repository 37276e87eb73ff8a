#pragma once

#include "engine/date_time.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vistrel {

/// Bits of `TimerEntry::flags`.
inline constexpr std::uint8_t ENTRY_DATED = 1;    // fires once, on the date of its time
inline constexpr std::uint8_t ENTRY_TASK = 2;     // belongs to the task timetable
inline constexpr std::uint8_t ENTRY_PROGRAM = 4;  // starts a program (clear: shows a reminder)

/// Record sizes of the two timetables (also their record sizes in the schedule file).
inline constexpr std::size_t kRestRecordSize = 32;
inline constexpr std::size_t kTaskRecordSize = 232;
/// Offset of the payload in a record, and the payload sizes.
inline constexpr std::size_t kPayloadOffset = 25;
inline constexpr std::size_t kRestPayloadSize = kRestRecordSize - kPayloadOffset;  // 7
inline constexpr std::size_t kTaskPayloadSize = kTaskRecordSize - kPayloadOffset;  // 207

/// Byte limits of the task texts (GBK bytes, without the terminating zero).
inline constexpr std::size_t kRemindInfoLimit = 200;
inline constexpr std::size_t kShellPathSize = 100;
inline constexpr std::size_t kCommandLineLimit = 100;

/// The most entries one list may hold: the schedule file counts them in one byte.
inline constexpr std::size_t kMaxEntries = 255;

/// The longest rest in minutes: the most the rest page offers, and the most a compulsory rest lasts.
inline constexpr std::uint8_t kLongestRest = 60;
/// The last window mode of a program task (hidden).
inline constexpr std::uint8_t kLastRunMode = 3;

/// One entry of a timetable. Its payload bytes are the record image from offset 25 on.
struct TimerEntry {
    TimerEntry* next = nullptr;   // following entry of its own list; null at the end
    TimerEntry* prev = nullptr;   // preceding entry of its own list (the sentinel for the first)
    TimerEntry* chain = nullptr;  // following entry of the scheduler's due chain; owned by the scheduler
    TDateTime time = 0.0;
    std::uint8_t flags = 0;
    std::array<std::uint8_t, kTaskPayloadSize> payload{};  // rest entries use the first byte only

    bool is_dated() const { return (flags & ENTRY_DATED) != 0; }
    bool is_task() const { return (flags & ENTRY_TASK) != 0; }
    bool is_program() const { return (flags & ENTRY_PROGRAM) != 0; }

    /// Rest length in minutes (rest entries).
    std::uint8_t break_minutes() const { return payload[0]; }
    /// Reminder text in GBK bytes (reminder tasks).
    std::string remind_info() const;
    /// Window mode of the started program: 0 default, 1 maximised, 2 minimised, 3 hidden (program tasks).
    std::uint8_t run_mode() const { return payload[0]; }
    /// Program path in GBK bytes, up to 100 bytes with no terminator when full (program tasks).
    std::string shell_path() const;
    /// Program arguments in GBK bytes (program tasks).
    std::string command_line() const;
};

enum class ListKind { rest, task };

/// A timetable: a sentinel-headed, doubly linked list of entries in ascending order of time, one per time.
/// The list owns its entries; only the list operations below add or free them.
class TimerList {
public:
    explicit TimerList(ListKind kind) : kind_(kind) {}
    TimerList(const TimerList&) = delete;
    TimerList& operator=(const TimerList&) = delete;
    ~TimerList();

    ListKind kind() const { return kind_; }
    std::size_t record_size() const { return kind_ == ListKind::rest ? kRestRecordSize : kTaskRecordSize; }

    /// The sentinel heads the list; it is never shown, saved or scheduled.
    TimerEntry& sentinel() { return sentinel_; }
    const TimerEntry& sentinel() const { return sentinel_; }
    /// The first real entry, or null.
    TimerEntry* first() const { return sentinel_.next; }
    bool empty() const { return sentinel_.next == nullptr; }
    /// Number of entries after the sentinel.
    std::size_t size() const;

    class Iterator {
    public:
        using value_type = TimerEntry;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        explicit Iterator(TimerEntry* entry) : entry_(entry) {}
        TimerEntry& operator*() const { return *entry_; }
        TimerEntry* operator->() const { return entry_; }
        Iterator& operator++() {
            entry_ = entry_->next;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            entry_ = entry_->next;
            return before;
        }
        friend bool operator==(const Iterator&, const Iterator&) = default;

    private:
        TimerEntry* entry_ = nullptr;
    };
    Iterator begin() const { return Iterator(sentinel_.next); }
    Iterator end() const { return Iterator(); }

    /// Links a new, zeroed entry between prev and prev->next and returns it (building block of the operations).
    TimerEntry* link_after(TimerEntry& prev);
    /// Unlinks and frees one entry of this list.
    void unlink(TimerEntry& entry);

private:
    ListKind kind_;
    TimerEntry sentinel_;
};

/// The two timetables of the program.
struct Schedule {
    TimerList rest_list{ListKind::rest};
    TimerList task_list{ListKind::task};
};

/// What a task entry carries besides its time and flags. Texts are GBK bytes.
struct TaskPayload {
    std::string remind_info;    // reminder tasks
    std::uint8_t run_mode = 0;  // program tasks: 0 default window, 1 maximised, 2 minimised, 3 hidden
    std::string shell_path;     // program tasks
    std::string command_line;   // program tasks
};

/// Inserts a rest at time t, or overwrites the rest length of the entry at exactly t.
/// Returns the entry, or null when t is a new time and the list already holds the most entries.
[[nodiscard]] TimerEntry* insert_rest(TimerList& list, TDateTime t, unsigned minutes);

/// Replaces the rest timetable by rests every span_minutes from begin while before end, each of minutes.
/// Refuses (false, list unchanged) a span of 0 or a timetable of more than the most entries.
/// The caller checks that minutes is below span_minutes.
[[nodiscard]] bool generate_rests(TimerList& list,
                                  TDateTime begin,
                                  TDateTime end,
                                  unsigned span_minutes,
                                  unsigned minutes);

/// Inserts a task at time t, or overwrites the task at exactly t (kind included). Texts longer than their
/// limits are cut without splitting a character. Returns null when the list is full and t is new.
[[nodiscard]] TimerEntry* insert_task(TimerList& list, TDateTime t, std::uint8_t flags, const TaskPayload& payload);

/// The first entry whose time equals t exactly, or null.
TimerEntry* find_entry(const TimerList& list, TDateTime t);

/// Unlinks and frees the first entry whose time equals t exactly; false when there is none.
bool remove_entry(TimerList& list, TDateTime t);

/// Puts a list read from elsewhere in ascending order of time, keeping the first of entries with the same time;
/// times that are no number go last. A list in order is left as it is. Returns how many later entries at a time
/// already taken were freed.
std::size_t put_in_order(TimerList& list);

/// Whether an entry of a list of that kind is one the program's own pages could have written: a rest of 1 to 60
/// minutes at a time of day; a task flagged as a reminder or a program, every day at a time of day or, flagged
/// as dated, once on a date the task page offers (up to 9999-12-31); a known window mode; texts that end within
/// their limits. A damaged file holds others.
bool is_sound_entry(const TimerEntry& entry, ListKind kind);

/// Frees every entry after the sentinel.
void clear_list(TimerList& list);

}  // namespace vistrel
