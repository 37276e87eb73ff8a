// The bitmap's streaming, in a unit of its own: iostreams bring the C++ library's locale machinery with them,
// some 600 KB of code, which a program that never streams a bitmap then does not link.
#include "components/Zqbitmap.h"

#include <istream>
#include <iterator>
#include <optional>
#include <ostream>

namespace vistrel {

void TZQBitmap::SaveToStream(std::ostream& out) {
    const std::vector<std::uint8_t> file = pixels::encode_bmp(View());
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

bool TZQBitmap::LoadFromStream(std::istream& in) {
    const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The system reads headers, colours and pixels where the file says they are: only a file that holds them
    // all is handed over.
    const std::optional<pixels::BmpLayout> layout = pixels::bmp_layout(file.data(), file.size());
    if (!layout) {
        return false;
    }
    // Any bit depth: the system converts while drawing into the 24-bit section.
    LoadBlank(layout->width, layout->height);
    if (!section_) {
        return false;
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + layout->info_offset);
    StretchDIBits(dc_.get(), 0, 0, width_, height_, 0, 0, width_, height_, file.data() + layout->pixels_offset, info,
                  DIB_RGB_COLORS, SRCCOPY);
    PixelFormat = layout->bit_count;
    changed_pixels();
    return true;
}

}  // namespace vistrel
