#include "win32/win32_power.h"

#include <windows.h>

#include "win32/unique_handle.h"

namespace vistrel {
namespace {

bool is_nt_family() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Enables SeShutdownPrivilege; false when the process token cannot be opened.
bool enable_shutdown_privilege() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) {
        return false;
    }
    UniqueHandle token(raw);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // As with ExitWindowsEx below, a failure here is left for ExitWindowsEx to report by doing nothing.
    if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
        AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    return true;
}

}  // namespace

void Win32Power::power_off(unsigned flags) {
    if (is_nt_family() && !enable_shutdown_privilege()) {
        return;
    }
    ExitWindowsEx(flags, 0);
}

}  // namespace vistrel
