#pragma once

#include <optional>
#include "engine/file_system.h"

namespace vistrel {

/// Where the schedule file lives.
struct ScheduleLocation {
    NativePath user_file;    // per user: <application data>\Tarnwick\Vistrel\Vistrel.dat
    NativePath shared_file;  // <system directory>\Vistrel.dat: read, never written
};

/// The schedule file's places below the given folders; creates the per-user folders when they are missing
/// (a failure shows later, when the file cannot be saved).
ScheduleLocation schedule_location_in(const NativePath& app_data, const NativePath& system_dir);

/// The schedule file's places for the current user; nullopt when the system names no application-data folder.
std::optional<ScheduleLocation> schedule_location();

}  // namespace vistrel
