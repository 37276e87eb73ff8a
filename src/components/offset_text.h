#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

/// Pixels added to the left, top, right and bottom of a rectangle.
struct RegionOffset {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const RegionOffset&, const RegionOffset&) = default;
};

/// Shown when an offset text cannot be read.
inline constexpr std::wstring_view kOffsetFormatError = L"Rect(X1,Y1,X2,Y2) format erro!";

/// Text form of an offset, "(0,0,0,0)".
std::wstring offset_text(const RegionOffset& offset);

/// Reads "(l,t,r,b)"; blanks anywhere and anything after ")" are ignored. Empty when the text is malformed or a
/// number does not fit in 32 bits.
std::optional<RegionOffset> parse_offset_text(std::wstring_view text);

}  // namespace vistrel
