#include "engine/text_codec.h"

#include "engine/text_codec_platform.h"

namespace vistrel {
namespace {

bool is_lead_byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

// Length of the character at pos: two bytes for a lead byte that has a byte after it.
std::size_t char_length(std::string_view gbk, std::size_t pos) {
    return is_lead_byte(gbk[pos]) && pos + 1 < gbk.size() ? 2 : 1;
}

}  // namespace

std::string gbk_to_utf8(std::string_view gbk) {
    if (auto whole = detail::gbk_to_utf8_strict(gbk)) {
        return *whole;
    }
    // Character by character; a sequence that is no character gives U+FFFD for its first byte only,
    // so an ASCII byte after a stray lead byte is kept.
    std::string utf8;
    for (std::size_t pos = 0; pos < gbk.size();) {
        const std::size_t length = char_length(gbk, pos);
        if (auto one = detail::gbk_to_utf8_strict(gbk.substr(pos, length))) {
            utf8 += *one;
            pos += length;
        } else {
            utf8 += "\xEF\xBF\xBD";
            ++pos;
        }
    }
    return utf8;
}

std::string_view cut_gbk(std::string_view gbk, std::size_t max_bytes) {
    std::size_t end = 0;
    while (end < gbk.size()) {
        const std::size_t length = char_length(gbk, end);
        if (end + length > max_bytes) {
            break;
        }
        end += length;
    }
    return gbk.substr(0, end);
}

std::string_view trim_blanks(std::string_view text) {
    const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace vistrel
