#include "components/gbk_text.h"

#include "engine/text_codec.h"

namespace vistrel {
namespace {

// One character of a wide text and the number of wchar_t it takes (two for a surrogate pair in UTF-16).
struct Character {
    char32_t code;
    std::size_t units;
};

bool is_high_surrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool is_low_surrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

Character character_at(std::wstring_view text, std::size_t pos) {
    const auto unit = static_cast<char32_t>(text[pos]);
    if (sizeof(wchar_t) == 2 && is_high_surrogate(unit) && pos + 1 < text.size()) {
        const auto low = static_cast<char32_t>(text[pos + 1]);
        if (is_low_surrogate(low)) {
            return {0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), 2};
        }
    }
    return {unit, 1};
}

// UTF-8 of a code point; a lone surrogate gives bytes that are no UTF-8, which the codec refuses.
std::string utf8_of(char32_t code) {
    std::string utf8;
    auto put = [&utf8](char32_t bits) { utf8 += static_cast<char>(bits); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | code >> 6);
        put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        put(0xE0 | code >> 12);
        put(0x80 | (code >> 6 & 0x3F));
        put(0x80 | (code & 0x3F));
    } else {
        put(0xF0 | code >> 18);
        put(0x80 | (code >> 12 & 0x3F));
        put(0x80 | (code >> 6 & 0x3F));
        put(0x80 | (code & 0x3F));
    }
    return utf8;
}

std::size_t gbk_bytes(char32_t code) {
    if (code < 0x80) {
        return 1;
    }
    const auto gbk = utf8_to_gbk(utf8_of(code));
    return gbk ? gbk->size() : 1;
}

}  // namespace

std::size_t gbk_length(std::wstring_view text) {
    std::size_t bytes = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const Character c = character_at(text, pos);
        bytes += gbk_bytes(c.code);
        pos += c.units;
    }
    return bytes;
}

std::wstring cut_to_gbk_bytes(std::wstring_view text, std::size_t max_bytes) {
    std::size_t bytes = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        const Character c = character_at(text, end);
        bytes += gbk_bytes(c.code);
        if (bytes > max_bytes) {
            break;
        }
        end += c.units;
    }
    return std::wstring(text.substr(0, end));
}

}  // namespace vistrel
