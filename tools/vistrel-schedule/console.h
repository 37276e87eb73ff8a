#pragma once

#include <string>
#include <vector>

namespace vistrel::tool {

/// The command-line arguments after the program name, as UTF-8 texts.
std::vector<std::string> utf8_arguments(int argc, char** argv);

/// Lets a console show the UTF-8 text the tool writes, for as long as the tool runs.
void use_utf8_console();

}  // namespace vistrel::tool
