#pragma once

#include "engine/timetable.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vistrel {

/// Layout of the schedule file: three header fields, two count bytes, then the records of both lists.
inline constexpr std::size_t kSignatureOffset = 0;
inline constexpr std::size_t kSignatureSize = 10;
inline constexpr std::size_t kNameOffset = 10;
inline constexpr std::size_t kNameSize = 15;
inline constexpr std::size_t kVersionOffset = 25;
inline constexpr std::size_t kVersionSize = 10;
inline constexpr std::size_t kRestCountOffset = 35;
inline constexpr std::size_t kTaskCountOffset = 36;
inline constexpr std::size_t kRecordsOffset = 37;
/// No byte beyond this is ever read: both counts at their most, whole.
inline constexpr std::size_t kMaxImageSize = kRecordsOffset + kMaxEntries * (kRestRecordSize + kTaskRecordSize);

/// Bytes to write at an offset of the file.
struct ImagePatch {
    std::size_t offset = 0;
    std::vector<std::uint8_t> bytes;

    friend bool operator==(const ImagePatch&, const ImagePatch&) = default;
};

/// The writes that give an image the standard header, field by field; empty when it has it already.
std::vector<ImagePatch> header_repairs(std::span<const std::uint8_t> image);

/// How many records of each list were read.
struct ImageContents {
    std::size_t rest_records = 0;
    std::size_t task_records = 0;
};

/// Appends the records of an image to the two lists: as many whole records as the counts promise and the
/// bytes hold; the header is not looked at. Each list is then put in order of time (put_in_order).
ImageContents read_schedule_image(std::span<const std::uint8_t> image, Schedule& schedule);

/// The image of both lists: the standard header, the two counts and the records. Each list holds at most
/// the most entries.
std::vector<std::uint8_t> write_schedule_image(const Schedule& schedule);

}  // namespace vistrel
