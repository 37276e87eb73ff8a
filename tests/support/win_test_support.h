#pragma once

// Helpers of the Windows tests: running the message loop for a while, drawing into memory and reading pixels
// back, and saving screenshots for people to look at.

#include <windows.h>

#include <functional>
#include <string>

#include "framework/canvas.h"
#include "win32/unique_handle.h"

namespace vistrel::test {

/// Handles messages for about `milliseconds`.
void pump_messages(int milliseconds);
/// Handles messages until `done` holds or `timeout_ms` passed; returns whether it held.
bool pump_until(const std::function<bool()>& done, int timeout_ms = 3000);

/// A 24-bit image in memory with a canvas on it.
class Surface {
public:
    Surface(int width, int height, COLORREF fill = RGB(255, 0, 255));
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    HDC dc() const { return dc_.get(); }
    TCanvas& canvas() { return canvas_; }
    COLORREF pixel(int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }
    /// Copies a part of the screen into the surface.
    void grab_screen(int left, int top);
    /// Writes the surface as a screenshot named `name` (no extension), when the test run collects them.
    void save(const std::string& name) const;

private:
    int width_;
    int height_;
    void* bits_ = nullptr;
    UniqueHdc dc_;
    UniqueHbitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    TCanvas canvas_;
};

/// Saves the screen area of a window as a screenshot.
void save_window(HWND window, const std::string& name);

/// RGB(r, g, b) as text for failure messages.
std::string color_text(COLORREF color);

}  // namespace vistrel::test
