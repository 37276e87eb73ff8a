#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

/// GBK (code page 936) bytes to UTF-8; a byte sequence that is no GBK character becomes U+FFFD.
std::string gbk_to_utf8(std::string_view gbk);

/// UTF-8 to GBK bytes; nullopt when the text is not valid UTF-8 or holds a character GBK cannot store.
std::optional<std::string> utf8_to_gbk(std::string_view utf8);

/// The longest start of a GBK text that fits in max_bytes without splitting a double-byte character.
std::string_view cut_gbk(std::string_view gbk, std::size_t max_bytes);

/// The text without the blanks and control characters at its ends: bytes up to 0x20, which no GBK or UTF-8
/// character uses inside it, so the rule holds for texts in either.
std::string_view trim_blanks(std::string_view text);

}  // namespace vistrel
