#include "engine/program_path_platform.h"

namespace vistrel::detail {

// Windows has no absolute form beyond the drive and share forms.
bool is_host_absolute_path(std::string_view) {
    return false;
}

}  // namespace vistrel::detail
