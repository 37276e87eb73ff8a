#pragma once

#include <windows.h>

namespace vistrel {

/// The header of an uncompressed device-independent bitmap whose top row comes first.
inline BITMAPINFO top_down_dib_header(int width, int height, WORD bits_per_pixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits_per_pixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace vistrel
