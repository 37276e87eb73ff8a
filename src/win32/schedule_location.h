#pragma once

#include <filesystem>
#include <optional>

namespace vistrel {

/// Where the schedule file lives.
struct ScheduleLocation {
    std::filesystem::path user_file;    // per user: <application data>\Tarnwick\Vistrel\Vistrel.dat
    std::filesystem::path shared_file;  // <system directory>\Vistrel.dat: read, never written
};

/// The schedule file's places below the given folders; creates the per-user folders when they are missing
/// (a failure shows later, when the file cannot be saved).
ScheduleLocation schedule_location_in(const std::filesystem::path& app_data, const std::filesystem::path& system_dir);

/// The schedule file's places for the current user; nullopt when the system names no application-data folder.
std::optional<ScheduleLocation> schedule_location();

}  // namespace vistrel
