#include "components/tray_rules.h"

#include <cstdlib>

namespace vistrel {
namespace {

constexpr std::size_t kHintLimit = 64;
constexpr int kBottomSnap = 300;

}  // namespace

std::size_t double_byte_length(std::wstring_view text) {
    std::size_t bytes = 0;
    for (const wchar_t c : text) {
        bytes += c < 0x80 ? 1 : 2;
    }
    return bytes;
}

bool tray_hint_fits(std::wstring_view hint) {
    return double_byte_length(hint) < kHintLimit;
}

int tray_menu_top(int cursor_y, int work_area_bottom) {
    return std::abs(cursor_y - work_area_bottom) < kBottomSnap ? work_area_bottom : cursor_y;
}

int next_animation_index(int index, int count) {
    return index + 1 >= count ? 0 : index + 1;
}

}  // namespace vistrel
