#include "engine/schedule_image.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <string_view>

namespace vistrel {
namespace {

constexpr std::size_t kTimeOffset = 16;
constexpr std::size_t kFlagsOffset = 24;

struct HeaderField {
    std::size_t offset;
    std::size_t size;
    std::string_view text;
    std::size_t zeros;  // zero bytes written after the text
};

constexpr HeaderField kHeaderFields[] = {
    {kSignatureOffset, kSignatureSize, "ZQ", 1},
    {kNameOffset, kNameSize, "Vistrel", 1},
    {kVersionOffset, kVersionSize, "1.0", 3},
};

bool is_text_end(std::uint8_t byte) {
    return byte == 0 || byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// The text of a header field, up to its first zero or white-space byte; the image holds the whole header.
std::string_view field_text(std::span<const std::uint8_t> image, const HeaderField& field) {
    const auto bytes = image.subspan(field.offset, field.size);
    const auto end = std::find_if(bytes.begin(), bytes.end(), is_text_end);
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<std::size_t>(end - bytes.begin())};
}

std::vector<std::uint8_t> field_bytes(const HeaderField& field) {
    std::vector<std::uint8_t> bytes(field.text.begin(), field.text.end());
    bytes.resize(bytes.size() + field.zeros, 0);
    return bytes;
}

double read_double(const std::uint8_t* bytes) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
        bits = (bits << 8) | bytes[i];
    }
    return std::bit_cast<double>(bits);
}

void write_double(std::uint8_t* bytes, double value) {
    auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits & 0xFF);
        bits >>= 8;
    }
}

// Payload bytes a record carries: a rest record only its rest length, the rest of it is reserved.
std::size_t stored_payload_size(const TimerList& list) {
    return list.kind() == ListKind::rest ? 1 : kTaskPayloadSize;
}

struct RecordsRead {
    std::size_t whole = 0;  // whole records read
    std::size_t kept = 0;   // of them, the sound ones appended to the list
};

// Appends the sound ones of up to count whole records of one list, read from pos on.
RecordsRead read_records(std::span<const std::uint8_t> image, std::size_t& pos, std::size_t count, TimerList& list) {
    TimerEntry* last = &list.sentinel();
    while (last->next != nullptr) {
        last = last->next;
    }
    const std::size_t size = list.record_size();
    RecordsRead read;
    TimerEntry entry;
    for (; read.whole < count && image.size() - pos >= size; ++read.whole, pos += size) {
        const std::uint8_t* record = image.data() + pos;
        entry.time = read_double(record + kTimeOffset);
        entry.flags = record[kFlagsOffset];
        std::memcpy(entry.payload.data(), record + kPayloadOffset, stored_payload_size(list));
        if (is_sound_entry(entry, list.kind())) {
            last = list.link_after(*last);
            last->time = entry.time;
            last->flags = entry.flags;
            last->payload = entry.payload;
            ++read.kept;
        }
    }
    return read;
}

void write_records(std::vector<std::uint8_t>& image, const TimerList& list) {
    for (const TimerEntry& entry : list) {
        const std::size_t start = image.size();
        image.resize(start + list.record_size(), 0);
        std::uint8_t* record = image.data() + start;
        write_double(record + kTimeOffset, entry.time);
        record[kFlagsOffset] = entry.flags;
        std::memcpy(record + kPayloadOffset, entry.payload.data(), stored_payload_size(list));
    }
}

}  // namespace

bool is_schedule_image(std::span<const std::uint8_t> image) {
    if (image.size() < kRecordsOffset) {
        return false;
    }
    for (const HeaderField& field : kHeaderFields) {
        const std::string_view text = field_text(image, field);
        if (!text.empty() && text != field.text) {
            return false;
        }
    }
    return std::any_of(image.begin(), image.end(), [](std::uint8_t byte) { return byte != 0; });
}

ImageContents read_schedule_image(std::span<const std::uint8_t> image, Schedule& schedule) {
    ImageContents contents;
    if (!is_schedule_image(image)) {
        return contents;
    }
    contents.schedule = true;
    std::size_t pos = kRecordsOffset;
    const std::size_t rest_count = image[kRestCountOffset];
    const std::size_t task_count = image[kTaskCountOffset];
    const RecordsRead rests = read_records(image, pos, rest_count, schedule.rest_list);
    RecordsRead tasks;
    // Once the bytes run out in one list, no record of a later list is read either.
    if (rests.whole == rest_count) {
        tasks = read_records(image, pos, task_count, schedule.task_list);
    }
    contents.rest_records = rests.whole;
    contents.task_records = tasks.whole;
    // A damaged file may hold its records out of order, or two at one time; the scheduler relies on the order.
    const std::size_t second_at_a_time = put_in_order(schedule.rest_list) + put_in_order(schedule.task_list);
    contents.left_out = rest_count + task_count - rests.kept - tasks.kept + second_at_a_time;
    return contents;
}

std::vector<std::uint8_t> write_schedule_image(const Schedule& schedule) {
    const std::size_t rest_count = schedule.rest_list.size();
    const std::size_t task_count = schedule.task_list.size();
    assert(rest_count <= kMaxEntries && task_count <= kMaxEntries);
    std::vector<std::uint8_t> image(kRecordsOffset, 0);
    for (const HeaderField& field : kHeaderFields) {
        const auto bytes = field_bytes(field);
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(field.offset));
    }
    image[kRestCountOffset] = static_cast<std::uint8_t>(rest_count);
    image[kTaskCountOffset] = static_cast<std::uint8_t>(task_count);
    image.reserve(kRecordsOffset + rest_count * kRestRecordSize + task_count * kTaskRecordSize);
    write_records(image, schedule.rest_list);
    write_records(image, schedule.task_list);
    return image;
}

}  // namespace vistrel
