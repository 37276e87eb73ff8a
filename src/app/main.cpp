#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>

#include "app/Unit1.h"
#include "engine/power.h"
#include "win32/unique_handle.h"
#include "win32/win32_power.h"

namespace {

// One copy of the program runs in a user's session: the one that holds this mutex.
constexpr wchar_t kInstanceMutexName[] = L"Local\\Vistrel";
// How long a second copy waits for the running copy's window: that copy may have just started.
constexpr DWORD kWindowWaitMs = 5000;
constexpr DWORD kPollMs = 50;

// The first command-line argument, upper-cased with the system's locale rules; none when there is no argument.
std::optional<std::wstring> first_argument_upper() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr) {
        return std::nullopt;
    }
    std::optional<std::wstring> first;
    if (count > 1) {
        first = args[1];
        CharUpperW(first->data());
    }
    LocalFree(args);
    return first;
}

// Posts the wake-up to the running copy's window; false when there is no such window (yet).
bool wake_running_copy() {
    HWND running = FindWindowW(vistrel::app::kMainWindowClass, nullptr);
    if (running == nullptr) {
        return false;
    }
    PostMessageW(running, vistrel::app::kWakeMessage, 0, 0);
    return true;
}

bool takes(HANDLE mutex, DWORD wait_ms) {
    const DWORD result = WaitForSingleObject(mutex, wait_ms);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;  // abandoned: the copy that held it has ended
}

// Whether this copy is the one to run. Two copies started together would both miss each other's window, which
// exists only once a copy is well into its start-up: the mutex decides, and the copy without it waits a while for
// the other's window to wake it. A copy that ends meanwhile leaves the mutex to this one.
bool is_the_running_copy(HANDLE mutex) {
    if (mutex == nullptr) {
        // The name is taken by an object of another kind: the window alone tells.
        return !wake_running_copy();
    }
    if (takes(mutex, 0)) {
        return true;
    }
    const ULONGLONG deadline = GetTickCount64() + kWindowWaitMs;
    while (!wake_running_copy()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        if (takes(mutex, kPollMs)) {
            return true;
        }
    }
    return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    if (auto argument = first_argument_upper()) {
        if (auto flags = vistrel::power_off_flags(*argument)) {
            vistrel::Win32Power().power_off(*flags);
            return 0;
        }
    }
    // Held for the life of the process; the system lets it go when the process ends.
    const vistrel::UniqueHandle instance_mutex(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (!is_the_running_copy(instance_mutex.get())) {
        return 0;
    }
    return vistrel::app::run_main_window();
}
