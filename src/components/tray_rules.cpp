#include "components/tray_rules.h"

#include <cstdlib>

#include "components/gbk_text.h"

namespace vistrel {
namespace {

constexpr std::size_t kHintLimit = 64;
constexpr int kBottomSnap = 300;

}  // namespace

bool tray_hint_fits(std::wstring_view hint) {
    return gbk_length(hint) < kHintLimit;
}

int tray_menu_top(int cursor_y, int work_area_bottom) {
    return std::abs(cursor_y - work_area_bottom) < kBottomSnap ? work_area_bottom : cursor_y;
}

int next_animation_index(int index, int count) {
    return index + 1 >= count ? 0 : index + 1;
}

}  // namespace vistrel
