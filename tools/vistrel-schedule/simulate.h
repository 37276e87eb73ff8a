#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vistrel::tool {

/// vistrel-schedule simulate: runs the engine on a virtual clock over a span of time and prints what it does.
/// arguments start with "simulate"; returns the tool's exit status.
int run_simulate(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace vistrel::tool
