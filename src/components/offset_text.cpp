#include "components/offset_text.h"

#include <array>
#include <cstdint>
#include <limits>

namespace vistrel {
namespace {

std::wstring_view trim_blanks_and_controls(std::wstring_view text) {
    while (!text.empty() && text.front() <= L' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() <= L' ') {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::wstring offset_text(const RegionOffset& offset) {
    return L"(" + std::to_wstring(offset.left) + L"," + std::to_wstring(offset.top) + L"," +
           std::to_wstring(offset.right) + L"," + std::to_wstring(offset.bottom) + L")";
}

std::optional<RegionOffset> parse_offset_text(std::wstring_view text) {
    text = trim_blanks_and_controls(text);
    if (text.empty() || text.front() != L'(') {
        return std::nullopt;
    }
    std::array<int, 4> values{};
    std::size_t index = 0;
    std::int64_t magnitude = 0;
    bool negative = false;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (const wchar_t c : text.substr(1)) {
        if (c == L' ') {
            continue;
        }
        if (c >= L'0' && c <= L'9') {
            magnitude = magnitude * 10 + (c - L'0');
            if (magnitude > kLimit) {
                return std::nullopt;
            }
        } else if (c == L'-' && magnitude == 0) {
            negative = true;
        } else if (c == L',' || c == L')') {
            const std::int64_t value = negative ? -magnitude : magnitude;
            if (value > std::numeric_limits<int>::max()) {
                return std::nullopt;
            }
            values[index++] = static_cast<int>(value);
            if ((c == L')') != (index == values.size())) {
                return std::nullopt;
            }
            if (c == L')') {
                return RegionOffset{values[0], values[1], values[2], values[3]};
            }
            magnitude = 0;
            negative = false;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace vistrel
