#include "engine/program_path_platform.h"

namespace vistrel::detail {

bool is_host_absolute_path(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

}  // namespace vistrel::detail
