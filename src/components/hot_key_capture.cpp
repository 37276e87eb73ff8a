#include "components/hot_key_capture.h"

#include "engine/hot_key_rule.h"

namespace vistrel {
namespace {

bool is_modifier_key(unsigned virtual_key) {
    switch (virtual_key) {
        case 0x10:  // Shift
        case 0x11:  // Ctrl
        case 0x12:  // Alt
        case 0x5B:  // left Windows key
        case 0x5C:  // right Windows key
            return true;
        default:
            return false;
    }
}

}  // namespace

KeyValue captured_key(HeldModifiers held, unsigned virtual_key) {
    unsigned modifiers = 0;
    modifiers += held.shift ? 4u : 0u;
    modifiers += held.ctrl ? 2u : 0u;
    modifiers += held.alt ? 1u : 0u;
    modifiers += held.win ? 8u : 0u;
    const unsigned key = is_modifier_key(virtual_key) ? 0u : (virtual_key & 0xFFu);
    return static_cast<KeyValue>(modifiers * 256u + key);
}

bool capture_refused(KeyValue captured) {
    // Modifiers alone are a capture still in progress, not a refused key.
    return (captured & 0xFF) != 0 && !is_allowed_hot_key(captured);
}

bool key_up_restores(KeyValue pending, KeyValue saved) {
    return pending != saved && (pending & 0xFF) == 0;
}

KeyValue key_value_of_hot_key_message(std::uintptr_t lparam) {
    const auto modifiers = static_cast<unsigned>(lparam & 0xFFFFu);
    const auto key = static_cast<unsigned>((lparam >> 16) & 0xFFu);
    return static_cast<KeyValue>(modifiers * 256u + key);
}

std::wstring hot_key_atom_name(int index) {
    std::wstring name = L"zq_hot_key_x";
    name.back() = static_cast<wchar_t>(L'0' + index);
    return name;
}

std::uint16_t hot_key_identifier(std::uint16_t atom) {
    return static_cast<std::uint16_t>(atom + 0x4000u);
}

std::uint16_t hot_key_atom(std::uint16_t identifier) {
    return static_cast<std::uint16_t>(identifier - 0x4000u);
}

}  // namespace vistrel
