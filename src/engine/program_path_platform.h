#pragma once

#include <string_view>

namespace vistrel::detail {

/// Whether the host takes path for absolute in a form of its own, beyond the drive and share forms that every host
/// checks alike.
bool is_host_absolute_path(std::string_view path);

}  // namespace vistrel::detail
