#pragma once

#include <windows.h>

namespace vistrel::app {

/// The main window's class; a second copy finds the running one by it.
inline constexpr wchar_t kMainWindowClass[] = L"ZQ_VISTREL";
/// Posted by a second copy to wake the running one.
inline constexpr UINT kWakeMessage = WM_USER + 1;

/// Creates the main window and runs the message loop until it closes; returns the exit code.
int run_main_window(HINSTANCE instance);

}  // namespace vistrel::app
