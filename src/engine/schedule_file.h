#pragma once

#include "engine/file_system.h"
#include "engine/timetable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace vistrel {

enum class LoadMode {
    repair,     // a save cut short is finished into the file from the image it left beside it
    read_only,  // never write
};

enum class LoadResult {
    loaded,       // the lists hold the sound entries of the file
    unreadable,   // the file is no schedule of this program (is_schedule_image): the lists are left empty
    cannot_open,  // the file could not be read
};
enum class SaveResult { saved, cannot_open, write_failed };

/// A file that could not be read or written, and the system's reason (UTF-8).
struct FileFailure {
    NativePath path;
    bool writing = false;
    std::string reason;
};

/// What a load did.
struct LoadReport {
    LoadResult result = LoadResult::cannot_open;
    std::size_t left_out = 0;  // entries of the file not taken: damaged, missing or at a time taken already
    FileFailure failure;       // when the file could not be read

    /// Whether the file held something that was not taken: it was unreadable or had entries left out.
    bool damaged() const { return result == LoadResult::unreadable || left_out > 0; }
};

/// What a save did.
struct SaveReport {
    SaveResult result = SaveResult::saved;
    FileFailure failure;  // when it was not saved
};

/// Replaces both timetables by the schedule in the file at path (or in the new image a save cut short left
/// beside it). The file is only read (a save cut short is finished in repair mode); the lists are empty unless
/// it is loaded.
[[nodiscard]] LoadReport load_schedule(const NativePath& path, Schedule& schedule, LoadMode mode = LoadMode::repair);

/// Writes both timetables to the file at path. The new file is written beside the old one and then
/// replaces it in one step, so a failed save leaves the previous file whole. When another program holds
/// the file open so that it cannot be replaced, the new image is kept beside it ("<file>.new") while it is
/// written over the file in place and verified; a load finishes such a write cut short.
[[nodiscard]] SaveReport save_schedule(const NativePath& path, const Schedule& schedule);

/// The message for a file that could not be read or written: which, and why (UTF-8).
std::string file_failure_message(const FileFailure& failure);

/// The message that tells the user what was not taken of a damaged file (UTF-8); empty when it was not damaged.
std::string damaged_file_message(const LoadReport& report, const NativePath& path);

/// The file to read at start and how: the per-user file, or the old shared file read without writing
/// while the per-user one does not exist yet. nullopt when neither exists (a new timetable is generated).
struct ScheduleSource {
    NativePath path;
    LoadMode mode = LoadMode::repair;
};
std::optional<ScheduleSource> startup_schedule_source(const NativePath& user_file, const NativePath& shared_file);

/// A schedule file that is read once and then saved after every change. When it is found damaged, the first save
/// over it keeps it first as "<file>.bad" (replacing an older one), so that nothing of it is lost.
class ScheduleFile {
public:
    ScheduleFile() = default;
    explicit ScheduleFile(NativePath path) : path_(std::move(path)) {}

    const NativePath& path() const { return path_; }
    /// Where its damaged original is kept.
    NativePath kept_path() const;

    /// Loads the schedule from source: this file, or another one it takes the place of (never written).
    [[nodiscard]] LoadReport load(Schedule& schedule, const ScheduleSource& source);
    /// Saves the schedule to this file, after keeping a damaged original; a failure to keep it is a failed save.
    [[nodiscard]] SaveReport save(const Schedule& schedule);

private:
    NativePath path_;
    bool keep_before_save_ = false;
};

}  // namespace vistrel
