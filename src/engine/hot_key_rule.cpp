#include "engine/hot_key_rule.h"

namespace vistrel {
namespace {

constexpr std::uint16_t kAltOrControl = 0x0300;  // MOD_ALT | MOD_CONTROL in the high byte
constexpr std::uint16_t kKeyCode = 0x00FF;

}  // namespace

bool is_allowed_hot_key(std::uint16_t key_value) {
    return (key_value & kKeyCode) != 0 && (key_value & kAltOrControl) != 0;
}

}  // namespace vistrel
