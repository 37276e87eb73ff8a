#pragma once

#include "engine/file_system.h"
#include "engine/timetable.h"

#include <optional>
#include <string>

namespace vistrel {

enum class LoadMode {
    repair,     // create a missing file and repair its header in place, as at every start
    read_only,  // never write (a missing file is an error)
};

enum class LoadResult { loaded, cannot_open };
enum class SaveResult { saved, cannot_open, write_failed };

/// Replaces both timetables by the schedule in the file at path (or in the new image a save cut short left
/// beside it).
[[nodiscard]] LoadResult load_schedule(const NativePath& path, Schedule& schedule, LoadMode mode = LoadMode::repair);

/// Writes both timetables to the file at path. The new file is written beside the old one and then
/// replaces it in one step, so a failed save leaves the previous file whole. When another program holds
/// the file open so that it cannot be replaced, the new image is kept beside it ("<file>.new") while it is
/// written over the file in place and verified; a load finishes such a write cut short.
[[nodiscard]] SaveResult save_schedule(const NativePath& path, const Schedule& schedule);

/// The message shown for a failed load or save of the file at path (UTF-8).
std::string load_error_message(const NativePath& path);
std::string save_error_message(SaveResult result, const NativePath& path);

/// The file to read at start and how: the per-user file, or the old shared file read without writing
/// while the per-user one does not exist yet. nullopt when neither exists (a new timetable is generated).
struct ScheduleSource {
    NativePath path;
    LoadMode mode = LoadMode::repair;
};
std::optional<ScheduleSource> startup_schedule_source(const NativePath& user_file, const NativePath& shared_file);

}  // namespace vistrel
