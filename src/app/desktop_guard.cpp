#include "app/desktop_guard.h"

#include <windows.h>

#include "engine/settings.h"

namespace vistrel::app {
namespace {

LPTOP_LEVEL_EXCEPTION_FILTER previous_filter = nullptr;

// Runs in a dying process: only plain system calls, nothing that allocates or takes locks of ours.
LONG WINAPI show_desktop_on_crash(EXCEPTION_POINTERS* exception) {
    for (const wchar_t* class_name : {L"Shell_TrayWnd", L"ProgMan"}) {
        if (HWND window = FindWindowW(class_name, nullptr)) {
            ShowWindow(window, SW_SHOW);
        }
    }
    return previous_filter != nullptr ? previous_filter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void DesktopGuard::recover_from_last_run() {
    auto key = store_.open_key(kSettingsKey);
    if (!key || !key->value_exists(kRestHidesDesktopValue)) {
        return;
    }
    desktop_.show_shell_window(kTaskBarClass, true);
    desktop_.show_shell_window(kDesktopClass, true);
    key->delete_value(kRestHidesDesktopValue);
}

void DesktopGuard::install_crash_filter() {
    previous_filter = SetUnhandledExceptionFilter(&show_desktop_on_crash);
}

void DesktopGuard::rest_begin(const TimerEntry&) {
    mark(true);
}

void DesktopGuard::rest_end() {
    mark(false);
}

void DesktopGuard::mark(bool hidden) {
    auto key = store_.open_key(kSettingsKey);
    if (!key) {
        return;
    }
    if (hidden) {
        key->write_integer(kRestHidesDesktopValue, 1);
    } else {
        key->delete_value(kRestHidesDesktopValue);
    }
}

}  // namespace vistrel::app
