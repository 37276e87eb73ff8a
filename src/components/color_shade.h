#pragma once

#include <cstdint>

namespace vistrel {

/// A colour as three 8-bit channels.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// Splits a plain colour value 0x00BBGGRR; the top byte is ignored.
Rgb rgb_of(std::uint32_t color);

/// The plain colour value 0x00BBGGRR of a colour.
std::uint32_t color_of(Rgb rgb);

/// A colour lightened (percent > 0) or darkened (percent < 0); what overflows a channel spills into the next ones
/// and finally into red, so light greys reach white.
Rgb shade_color(Rgb color, int percent);

/// Colours of a raised or sunken relief on a face of the given colour.
struct BevelColors {
    Rgb light;
    Rgb dark;
};
BevelColors bevel_colors(Rgb face);

}  // namespace vistrel
