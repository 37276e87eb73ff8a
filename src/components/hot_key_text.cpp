#include "components/hot_key_text.h"

#include <array>

namespace vistrel {
namespace {

constexpr std::uint8_t kVkShift = 0x10;
constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkMenu = 0x12;
constexpr std::uint8_t kVkLWin = 0x5B;
constexpr std::uint8_t kVkRWin = 0x5C;
constexpr std::uint8_t kVkF1 = 112;
constexpr std::uint8_t kVkF12 = 123;
constexpr std::size_t kMaxTokens = 5;

constexpr std::array<KeyName, 18> kKeyNames{{
    {L"Alt", kVkMenu},
    {L"Ctrl", kVkControl},
    {L"Delete", 0x2E},
    {L"Down", 0x28},
    {L"End", 0x23},
    {L"Esc", 0x1B},
    {L"Home", 0x24},
    {L"Ins", 0x2D},
    {L"Insert", 0x2D},
    {L"Left", 0x25},
    {L"PageDown", 0x22},
    {L"PageUp", 0x21},
    {L"Right", 0x27},
    {L"Shift", kVkShift},
    {L"Space", 0x20},
    {L"Up", 0x26},
    {L"Win", kVkLWin},
    {L"Win", kVkRWin},
}};

wchar_t ascii_upper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

std::size_t common_prefix_ignoring_case(std::wstring_view a, std::wstring_view b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && ascii_upper(a[n]) == ascii_upper(b[n])) {
        ++n;
    }
    return n;
}

// The row that an abbreviation names: the prefix match must keep growing from the first row that matches at all,
// so "Ins" stays with "Ins" while "Inse" reaches "Insert".
const KeyName* best_row(std::wstring_view token) {
    const KeyName* best = nullptr;
    std::size_t best_count = 0;
    for (const KeyName& row : kKeyNames) {
        const std::size_t count = common_prefix_ignoring_case(token, row.name);
        if (best_count == 0) {
            if (count > 0) {
                best = &row;
                best_count = count;
            }
        } else if (count > best_count) {
            best = &row;
            best_count = count;
        } else {
            break;
        }
    }
    return best_count >= 2 ? best : nullptr;
}

unsigned modifier_of(std::uint8_t code) {
    switch (code) {
        case kVkShift:
            return kModShift;
        case kVkControl:
            return kModControl;
        case kVkMenu:
            return kModAlt;
        case kVkLWin:
        case kVkRWin:
            return kModWin;
        default:
            return 0;
    }
}

bool is_digit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// A token that names no row: F1..F12 or a single key character.
unsigned plain_key_code(std::wstring_view token) {
    if (token.size() >= 2 && ascii_upper(token[0]) == L'F' && is_digit(token[1])) {
        if (token[1] == L'1' && token.size() >= 3 && token[2] >= L'0' && token[2] <= L'2') {
            return kVkF1 + 9u + static_cast<unsigned>(token[2] - L'0');
        }
        if (token[1] != L'0') {
            return kVkF1 + static_cast<unsigned>(token[1] - L'1');
        }
    }
    const wchar_t first = ascii_upper(token[0]);
    // Only a character of one byte can be a key code; anything wider names no key.
    return first <= 0xFF ? static_cast<unsigned>(first) : 0u;
}

// Code of one token: above 255 for a modifier (its bit in the high byte), else a virtual-key code.
unsigned token_code(std::wstring_view token) {
    if (token.empty()) {
        return 0;
    }
    if (const KeyName* row = best_row(token)) {
        return row->code + modifier_of(row->code);
    }
    return plain_key_code(token);
}

bool is_separator(wchar_t c) {
    return c == L' ' || c == L'+';
}

}  // namespace

std::span<const KeyName> key_name_table() {
    return kKeyNames;
}

std::wstring HotKeyToText(KeyValue value) {
    std::wstring text;
    if (value & kModWin) {
        text += L"Win+";
    }
    if (value & kModShift) {
        text += L"Shift+";
    }
    if (value & kModControl) {
        text += L"Ctrl+";
    }
    if (value & kModAlt) {
        text += L"Alt+";
    }
    const auto key = static_cast<std::uint8_t>(value & 0xFF);
    if (key == 0) {
        return text;
    }
    if (key >= kVkF1 && key <= kVkF12) {
        return text + L"F" + std::to_wstring(key - kVkF1 + 1);
    }
    for (const KeyName& row : kKeyNames) {
        if (row.code == key) {
            return text + std::wstring(row.name);
        }
    }
    return text + static_cast<wchar_t>(key);
}

KeyValue TextToHotKey(std::wstring_view text) {
    unsigned value = 0;
    std::size_t start = 0;
    for (std::size_t taken = 0; taken < kMaxTokens && start <= text.size(); ++taken) {
        std::size_t end = start;
        while (end < text.size() && !is_separator(text[end])) {
            ++end;
        }
        const unsigned code = token_code(text.substr(start, end - start));
        value = code > 0xFF ? value | (code & 0xFF00) : (value & 0xFF00) | code;
        start = end + 1;
    }
    return static_cast<KeyValue>(value);
}

}  // namespace vistrel
