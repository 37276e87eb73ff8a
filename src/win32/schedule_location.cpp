#include "win32/schedule_location.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <memory>

namespace vistrel {
namespace {

std::optional<NativePath> app_data_folder() {
    PWSTR raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &raw);
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> folder(raw, &CoTaskMemFree);
    if (FAILED(result) || folder == nullptr) {
        return std::nullopt;
    }
    return NativePath(folder.get());
}

NativePath system_folder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? NativePath(buffer) : NativePath();
}

}  // namespace

ScheduleLocation schedule_location_in(const NativePath& app_data, const NativePath& system_dir) {
    const NativePath folder = app_data + L"\\Tarnwick\\Vistrel";
    // With every missing folder on the way; a failure shows when the file cannot be created.
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return {folder + L"\\Vistrel.dat", system_dir + L"\\Vistrel.dat"};
}

std::optional<ScheduleLocation> schedule_location() {
    const auto app_data = app_data_folder();
    if (!app_data) {
        return std::nullopt;
    }
    return schedule_location_in(*app_data, system_folder());
}

}  // namespace vistrel
