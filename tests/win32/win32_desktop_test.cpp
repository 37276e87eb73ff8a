#include "win32/win32_desktop.h"

#include <gtest/gtest.h>

#include <vector>

#include "win32/unique_handle.h"

namespace vistrel {
namespace {

// Stands in for the shell's windows and the application window; remembers the system commands it receives.
LRESULT CALLBACK stand_in_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SYSCOMMAND) {
        auto* commands =
            reinterpret_cast<std::vector<std::pair<WPARAM, LPARAM>>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (commands) {
            commands->emplace_back(wparam & 0xFFF0, lparam);
        }
        return 0;  // never passed on: the test must not switch the display off
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// Made hidden: under wine hiding or destroying a shown top-level window waits about two seconds for the X server.
UniqueHwnd make_window(const wchar_t* class_name) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = stand_in_proc;
    description.hInstance = GetModuleHandleW(nullptr);
    description.lpszClassName = class_name;
    RegisterClassExW(&description);
    return UniqueHwnd(CreateWindowExW(WS_EX_TOOLWINDOW, class_name, L"", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
}

// The cursor's display count (ShowCursor answers with the count after its change).
int cursor_count() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

TEST(Win32Desktop, HidesAndShowsTheShellWindowsByClass) {
    struct Case {
        std::string_view class_name;
        const wchar_t* registered_as;
    };
    const Case cases[] = {{kTaskBarClass, L"Shell_TrayWnd"}, {kDesktopClass, L"Progman"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.class_name));
        UniqueHwnd shell = make_window(c.registered_as);
        ASSERT_TRUE(shell);
        Win32Desktop desktop(nullptr);
        desktop.show_shell_window(c.class_name, true);
        EXPECT_TRUE(IsWindowVisible(shell.get()));
        desktop.show_shell_window(c.class_name, false);
        EXPECT_FALSE(IsWindowVisible(shell.get()));
    }
    // With no such window there is nothing to do.
    Win32Desktop(nullptr).show_shell_window(kTaskBarClass, false);
}

TEST(Win32Desktop, CursorCountGoesDownAndUpByOne) {
    const int before = cursor_count();
    Win32Desktop desktop(nullptr);
    desktop.show_cursor(false);
    EXPECT_EQ(cursor_count(), before - 1);
    desktop.show_cursor(true);
    EXPECT_EQ(cursor_count(), before);
}

TEST(Win32Desktop, MonitorCommandsGoToTheApplicationWindow) {
    UniqueHwnd application = make_window(L"VistrelTestApplication");
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    SetWindowLongPtrW(application.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&commands));
    Win32Desktop desktop(application.get());
    desktop.set_monitor_power(false);
    desktop.set_monitor_power(true);
    EXPECT_EQ(commands, (std::vector<std::pair<WPARAM, LPARAM>>{{SC_MONITORPOWER, 0}, {SC_MONITORPOWER, -1}}));
}

TEST(Win32Desktop, ScreenSaverCountsAsActiveOnlyWhenTheSystemSaysSo) {
    BOOL before = FALSE;
    SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &before, 0);
    Win32Desktop desktop(nullptr);
    for (BOOL active : {TRUE, FALSE}) {
        SCOPED_TRACE(active);
        SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, static_cast<UINT>(active), nullptr, 0);
        EXPECT_EQ(desktop.screen_saver_active(), active == TRUE);
    }
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, static_cast<UINT>(before), nullptr, 0);
}

}  // namespace
}  // namespace vistrel
