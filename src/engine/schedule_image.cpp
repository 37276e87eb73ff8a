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
    std::size_t zeros;  // zero bytes written after the text when the field is repaired
};

constexpr HeaderField kHeaderFields[] = {
    {kSignatureOffset, kSignatureSize, "ZQ", 1},
    {kNameOffset, kNameSize, "Vistrel", 1},
    {kVersionOffset, kVersionSize, "1.0", 3},
};

bool is_text_end(std::uint8_t byte) {
    return byte == 0 || byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// The text of a header field up to its first zero or white-space byte; a field the image does not hold
// whole never matches.
bool field_matches(std::span<const std::uint8_t> image, const HeaderField& field) {
    if (image.size() < field.offset + field.size) {
        return false;
    }
    const auto bytes = image.subspan(field.offset, field.size);
    const auto end = std::find_if(bytes.begin(), bytes.end(), is_text_end);
    const auto length = static_cast<std::size_t>(end - bytes.begin());
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), length) == field.text;
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

// Appends up to count whole records of one list, read from pos on; returns how many there were.
std::size_t read_records(std::span<const std::uint8_t> image, std::size_t& pos, std::size_t count, TimerList& list) {
    TimerEntry* last = &list.sentinel();
    while (last->next != nullptr) {
        last = last->next;
    }
    const std::size_t size = list.record_size();
    std::size_t read = 0;
    for (; read < count && image.size() - pos >= size; ++read, pos += size) {
        const std::uint8_t* record = image.data() + pos;
        last = list.link_after(*last);
        last->time = read_double(record + kTimeOffset);
        last->flags = record[kFlagsOffset];
        std::memcpy(last->payload.data(), record + kPayloadOffset, stored_payload_size(list));
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

std::vector<ImagePatch> header_repairs(std::span<const std::uint8_t> image) {
    std::vector<ImagePatch> patches;
    for (const HeaderField& field : kHeaderFields) {
        if (!field_matches(image, field)) {
            patches.push_back({field.offset, field_bytes(field)});
        }
    }
    return patches;
}

ImageContents read_schedule_image(std::span<const std::uint8_t> image, Schedule& schedule) {
    ImageContents contents;
    if (image.size() < kRecordsOffset) {
        return contents;
    }
    std::size_t pos = kRecordsOffset;
    const std::size_t rest_count = image[kRestCountOffset];
    contents.rest_records = read_records(image, pos, rest_count, schedule.rest_list);
    // Once the bytes run out in one list, no record of a later list is read either.
    if (contents.rest_records == rest_count) {
        contents.task_records = read_records(image, pos, image[kTaskCountOffset], schedule.task_list);
    }
    // A foreign or damaged file may hold its records out of order; the scheduler relies on the order.
    put_in_order(schedule.rest_list);
    put_in_order(schedule.task_list);
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
