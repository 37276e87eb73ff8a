#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>

#include "app/Unit1.h"
#include "engine/power.h"
#include "win32/win32_power.h"

namespace {

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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    if (auto argument = first_argument_upper()) {
        if (auto flags = vistrel::power_off_flags(*argument)) {
            vistrel::Win32Power().power_off(*flags);
            return 0;
        }
    }
    if (HWND running = FindWindowW(vistrel::app::kMainWindowClass, nullptr)) {
        PostMessageW(running, vistrel::app::kWakeMessage, 0, 0);
        return 0;
    }
    return vistrel::app::run_main_window();
}
