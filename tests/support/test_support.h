#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "components/zq_pixels.h"

namespace vistrel::testing_support {

/// Runs `action` from the message loop, after everything already waiting (a dialog opened meanwhile is
/// running its modal loop by then).
void later(std::function<void()> action);

/// Pumps messages until `done` holds or the time runs out; returns `done()`.
bool pump_until(const std::function<bool()>& done, int timeout_ms = 3000);

/// The pixels of a window as the screen shows them.
pixels::PixelImage capture_window(HWND window);

/// Saves a window's picture as <name>.bmp in the folder named by VISTREL_SCREENSHOTS, when it is set.
void save_screenshot(HWND window, const std::string& name);

/// Posts a left click at a point of a window's client area.
void post_click(HWND window, POINT point);
/// Posts a key press and release to a window.
void post_key(HWND window, WORD key);

}  // namespace vistrel::testing_support
