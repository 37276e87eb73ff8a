#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "components/zq_pixels.h"
#include "framework/canvas.h"
#include "win32/unique_handle.h"

namespace vistrel::testing_support {

/// Runs `action` from the message loop, after everything already waiting (a dialog opened meanwhile is
/// running its modal loop by then).
void later(std::function<void()> action);

/// Pumps messages until `done` holds or the time runs out; returns `done()`.
bool pump_until(const std::function<bool()>& done, int timeout_ms = 3000);

/// Handles messages for about `milliseconds`.
void pump_messages(int milliseconds);

/// Moves the pointer to the screen's corner and lets the move be handled, so that no pointer event of an earlier
/// test reaches a window shown next.
void park_pointer();

/// A 24-bit image in memory with a canvas on it: drawn into by the code under test and read back.
class Surface {
public:
    Surface(int width, int height, COLORREF fill = RGB(255, 0, 255));
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    HDC dc() const { return dc_.get(); }
    TCanvas& canvas() { return canvas_; }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF pixel(int x, int y) const;
    pixels::PixelView view() const;
    /// Copies the part of the screen whose top-left corner is (left, top).
    void grab_screen(int left, int top);

private:
    int width_;
    int height_;
    void* bits_ = nullptr;
    UniqueHdc dc_;
    UniqueHbitmap bitmap_;
    std::optional<SelectGuard> selected_;
    TCanvas canvas_;
};

/// A square icon of one colour, fully opaque.
HICON solid_icon(COLORREF colour, int size = 16);

/// "RGB(r, g, b)", for failure messages.
std::string color_text(COLORREF color);

/// The pixels of a window as the screen shows them.
pixels::PixelImage capture_window(HWND window);

/// Saves a window's picture as <name>.bmp in the folder named by VISTREL_SCREENSHOTS, when it is set.
void save_screenshot(HWND window, const std::string& name);
/// Saves an image in the same way.
void save_screenshot(const pixels::PixelView& image, const std::string& name);

/// Posts a left click at a point of a window's client area.
void post_click(HWND window, POINT point);
/// Posts a key press and release to a window.
void post_key(HWND window, WORD key);

/// Runs the action on the thread's first visible system dialog (class #32770), from the message loop of whoever
/// shows it modally, once it is open.
void when_dialog_opens(std::function<void(HWND dialog)> action);

/// Runs the action on the popup menu's window (class #32768) once a popup menu is open, from the menu's own loop.
void when_menu_opens(std::function<void(HWND menu_window)> action);

}  // namespace vistrel::testing_support
