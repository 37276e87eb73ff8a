#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

/// Text in a code page to UTF-16. Strict: nothing when the text holds a byte sequence the code page does not
/// have; else such bytes become U+FFFD.
std::optional<std::wstring> code_page_to_wide(unsigned code_page, std::string_view text, bool strict);
/// UTF-16 to a code page. Strict: nothing when a character has no exact equivalent there (for UTF-8: an unpaired
/// surrogate); else it becomes the code page's default character.
std::optional<std::string> wide_to_code_page(unsigned code_page, std::wstring_view wide, bool strict);

/// UTF-8 to UTF-16 for the wide API; invalid bytes become U+FFFD.
std::wstring to_wide(std::string_view utf8);
/// UTF-16 from the wide API to UTF-8.
std::string to_utf8(std::wstring_view wide);

}  // namespace vistrel
