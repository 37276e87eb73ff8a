#include "console.h"

namespace vistrel::tool {

std::vector<std::string> utf8_arguments(int argc, char** argv) {
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

void use_utf8_console() {
    // Terminals take UTF-8 as it comes.
}

}  // namespace vistrel::tool
