#pragma once

#include "engine/date_time.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vistrel::tool {

/// Exit status of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command was refused; the file is unchanged
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

/// Runs one command of vistrel-schedule (arguments after the program name, UTF-8) at the local time now.
/// Results go to out, errors to err, both UTF-8.
int run_schedule_tool(const std::vector<std::string>& arguments, TDateTime now, std::ostream& out, std::ostream& err);

/// The local wall-clock time, cut to the second.
TDateTime local_now();

}  // namespace vistrel::tool
