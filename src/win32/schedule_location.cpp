#include "win32/schedule_location.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <memory>
#include <system_error>

namespace vistrel {
namespace {

std::optional<std::filesystem::path> app_data_folder() {
    PWSTR raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &raw);
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> folder(raw, &CoTaskMemFree);
    if (FAILED(result) || folder == nullptr) {
        return std::nullopt;
    }
    return std::filesystem::path(folder.get());
}

std::filesystem::path system_folder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? std::filesystem::path(buffer) : std::filesystem::path();
}

}  // namespace

ScheduleLocation schedule_location_in(const std::filesystem::path& app_data, const std::filesystem::path& system_dir) {
    const std::filesystem::path folder = app_data / L"Tarnwick" / L"Vistrel";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return {folder / L"Vistrel.dat", system_dir / L"Vistrel.dat"};
}

std::optional<ScheduleLocation> schedule_location() {
    const auto app_data = app_data_folder();
    if (!app_data) {
        return std::nullopt;
    }
    return schedule_location_in(*app_data, system_folder());
}

}  // namespace vistrel
