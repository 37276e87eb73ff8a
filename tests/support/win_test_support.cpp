#include "win_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/application.h"

namespace vistrel::test {

void pump_messages(int milliseconds) {
    pump_until([] { return false; }, milliseconds);
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
    while (true) {
        Application().ProcessMessages();
        if (done()) {
            return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)),
                                  QS_ALLINPUT);
    }
}

Surface::Surface(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    dc_.reset(CreateCompatibleDC(nullptr));
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    const UniqueHbrush brush(CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    FillRect(dc_.get(), &all, brush.get());
    canvas_.SetHandle(dc_.get());
}

Surface::~Surface() {
    canvas_.SetHandle(nullptr);
    SelectObject(dc_.get(), previous_);
}

COLORREF Surface::pixel(int x, int y) const {
    GdiFlush();
    const int stride = (width_ * 3 + 3) / 4 * 4;
    const auto* p = static_cast<const unsigned char*>(bits_) + y * stride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

void Surface::grab_screen(int left, int top) {
    HDC screen = GetDC(nullptr);
    BitBlt(dc_.get(), 0, 0, width_, height_, screen, left, top, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

void Surface::save(const std::string& name) const {
    const char* folder = std::getenv("VISTREL_SCREENSHOTS");
    if (folder == nullptr || *folder == '\0') {
        return;
    }
    GdiFlush();
    CreateDirectoryA(folder, nullptr);
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    const int stride = (width_ * 3 + 3) / 4 * 4;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride * height_);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof(file), 1, out);
        std::fwrite(&header, sizeof(header), 1, out);
        std::fwrite(bits_, header.biSizeImage, 1, out);
        std::fclose(out);
    }
}

void save_window(HWND window, const std::string& name) {
    RECT r{};
    GetWindowRect(window, &r);
    Surface shot(r.right - r.left, r.bottom - r.top);
    shot.grab_screen(r.left, r.top);
    shot.save(name);
}

std::string color_text(COLORREF color) {
    return "RGB(" + std::to_string(GetRValue(color)) + ", " + std::to_string(GetGValue(color)) + ", " +
           std::to_string(GetBValue(color)) + ")";
}

}  // namespace vistrel::test
