#include "test_support.h"

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "framework/application.h"
#include "framework/utility_window.h"
#include "win32/dib_header.h"
#include "win32/unique_handle.h"

namespace vistrel::testing_support {
namespace {

constexpr UINT kRun = WM_APP + 7;

// Actions waiting for the message loop, run in order: one kRun message is posted for each.
std::deque<std::function<void()>>& pending_actions() {
    static std::deque<std::function<void()>> actions;
    return actions;
}

UtilityWindow& runner() {
    static UtilityWindow window([](UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == kRun && !pending_actions().empty()) {
            const std::function<void()> action = std::move(pending_actions().front());
            pending_actions().pop_front();
            action();
            return 0;
        }
        return message == WM_QUERYENDSESSION ? 1 : 0;
    });
    return window;
}

}  // namespace

void later(std::function<void()> action) {
    pending_actions().push_back(std::move(action));
    if (PostMessageW(runner().handle(), kRun, 0, 0) == FALSE) {
        pending_actions().pop_back();
        throw std::runtime_error("Cannot post an action to the test's message loop");
    }
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done() && std::chrono::steady_clock::now() < end) {
        Application().ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

void pump_messages(int milliseconds) {
    pump_until([] { return false; }, milliseconds);
}

void park_pointer() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    pump_messages(50);
}

Surface::Surface(int width, int height, COLORREF fill) : width_(width), height_(height) {
    const BITMAPINFO info = top_down_dib_header(width, height, 24);
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    dc_.reset(CreateCompatibleDC(nullptr));
    selected_.emplace(dc_.get(), bitmap_.get());
    const UniqueHbrush brush(CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    FillRect(dc_.get(), &all, brush.get());
    canvas_.SetHandle(dc_.get());
}

Surface::~Surface() {
    canvas_.SetHandle(nullptr);
}

pixels::PixelView Surface::view() const {
    GdiFlush();
    return {static_cast<std::uint8_t*>(bits_), width_, height_, pixels::row_stride(width_)};
}

COLORREF Surface::pixel(int x, int y) const {
    const pixels::Bgr c = view().get(x, y);
    return RGB(c.r, c.g, c.b);
}

void Surface::grab_screen(int left, int top) {
    const WindowDc screen(nullptr);
    BitBlt(dc_.get(), 0, 0, width_, height_, screen.get(), left, top, SRCCOPY);
}

HICON solid_icon(COLORREF colour, int size) {
    const Surface face(size, size, colour);
    const WindowDc screen(nullptr);
    const UniqueHbitmap colour_bits(CreateCompatibleBitmap(screen.get(), size, size));
    {
        const UniqueHdc dc(CreateCompatibleDC(screen.get()));
        const SelectGuard selected(dc.get(), colour_bits.get());
        BitBlt(dc.get(), 0, 0, size, size, face.dc(), 0, 0, SRCCOPY);
    }
    const std::vector<WORD> opaque(static_cast<std::size_t>((size + 15) / 16 * size), 0);
    const UniqueHbitmap mask(CreateBitmap(size, size, 1, 1, opaque.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour_bits.get()};
    return CreateIconIndirect(&info);
}

std::string color_text(COLORREF color) {
    return "RGB(" + std::to_string(GetRValue(color)) + ", " + std::to_string(GetGValue(color)) + ", " +
           std::to_string(GetBValue(color)) + ")";
}

namespace {

// The part of the screen a window covers, as it is now.
pixels::PixelImage grab_window_area(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    pixels::PixelImage image(r.right - r.left, r.bottom - r.top);
    const BITMAPINFO info = top_down_dib_header(image.width(), image.height(), 24);
    void* bits = nullptr;
    const WindowDc screen(nullptr);
    const UniqueHdc memory(CreateCompatibleDC(screen.get()));
    const UniqueHbitmap section(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const SelectGuard selected(memory.get(), section.get());
    BitBlt(memory.get(), 0, 0, image.width(), image.height(), screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    const pixels::PixelView source{static_cast<std::uint8_t*>(bits), image.width(), image.height(),
                                   pixels::row_stride(image.width())};
    pixels::copy_rect(source, {0, 0, image.width(), image.height()}, image.view(), 0, 0);
    return image;
}

}  // namespace

pixels::PixelImage capture_window(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Wine hands what a window painted to the display server only when its thread looks for messages, and the
    // server shows it a moment later: look (without handling anything) and photograph until two pictures agree.
    pixels::PixelImage shot;
    for (int tries = 0; tries < 40; ++tries) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
        Sleep(50);
        pixels::PixelImage again = grab_window_area(window);
        if (tries > 0 && again.bytes() == shot.bytes()) {
            break;
        }
        shot = std::move(again);
    }
    return shot;
}

void save_screenshot(HWND window, const std::string& name) {
    save_screenshot(capture_window(window).view(), name);
}

void save_screenshot(const pixels::PixelView& image, const std::string& name) {
    const char* folder = std::getenv("VISTREL_SCREENSHOTS");
    if (folder == nullptr || *folder == '\0') {
        return;
    }
    std::filesystem::create_directories(folder);
    const std::vector<std::uint8_t> file = pixels::encode_bmp(image);
    std::ofstream out(std::string(folder) + "/" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

void post_click(HWND window, POINT point) {
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

void post_key(HWND window, WORD key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

namespace {

// A timer procedure has no context: the action waits here.
std::function<void(HWND dialog)> with_dialog;

HWND find_own_dialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
            wchar_t name[16]{};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

void when_dialog_opens(std::function<void(HWND dialog)> action) {
    with_dialog = std::move(action);
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (HWND dialog = find_own_dialog()) {
            KillTimer(nullptr, id);
            with_dialog(dialog);
        }
    });
}

namespace {

// A timer procedure has no context: the action waits here.
std::function<void(HWND menu_window)> with_menu;

}  // namespace

void when_menu_opens(std::function<void(HWND menu_window)> action) {
    with_menu = std::move(action);
    SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND window = FindWindowW(L"#32768", nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            KillTimer(nullptr, id);
            with_menu(window);
        }
    });
}

}  // namespace vistrel::testing_support
