#pragma once

#include <string>
#include <string_view>

namespace vistrel {

/// UTF-8 to UTF-16 for the wide API; invalid bytes become U+FFFD.
std::wstring to_wide(std::string_view utf8);
/// UTF-16 from the wide API to UTF-8.
std::string to_utf8(std::wstring_view wide);

}  // namespace vistrel
