#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vistrel::detail {

/// GBK bytes to UTF-8 by the platform's converter; nullopt when any byte sequence is no GBK character.
std::optional<std::string> gbk_to_utf8_strict(std::string_view gbk);

}  // namespace vistrel::detail
