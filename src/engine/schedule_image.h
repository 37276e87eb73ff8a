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

/// Whether an image is a schedule of this program: the header and both counts are there, each header text is the
/// program's or missing (an older version's first save left the header zero; its next start wrote it), and not
/// every byte is zero (what a disk may leave of a file cut off as it was written).
bool is_schedule_image(std::span<const std::uint8_t> image);

/// What a read of an image found.
struct ImageContents {
    bool schedule = false;         // is_schedule_image: nothing is read from an image that is not
    std::size_t rest_records = 0;  // whole records read of each list
    std::size_t task_records = 0;
    std::size_t left_out = 0;  // entries the counts promise that were not kept: unsound (is_sound_entry), at a time
                               // an earlier entry of their list has, or not in the bytes
};

/// Appends the sound records of a schedule image to the two lists: of as many whole records as the counts promise
/// and the bytes hold, those that is_sound_entry takes. Each list is then put in order of time (put_in_order).
ImageContents read_schedule_image(std::span<const std::uint8_t> image, Schedule& schedule);

/// The image of both lists: the standard header, the two counts and the records. Each list holds at most
/// the most entries.
std::vector<std::uint8_t> write_schedule_image(const Schedule& schedule);

}  // namespace vistrel
