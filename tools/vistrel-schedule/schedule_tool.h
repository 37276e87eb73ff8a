#pragma once

#include "engine/date_time.h"
#include "engine/schedule_file.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vistrel::tool {

/// Exit status of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command was refused; the file is unchanged
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

/// Runs one command of vistrel-schedule (arguments after the program name, UTF-8) at the local time now.
/// Results go to out, errors to err, both UTF-8.
int run_schedule_tool(const std::vector<std::string>& arguments, TDateTime now, std::ostream& out, std::ostream& err);

/// Reads the schedule of file (named name on the command line) without writing anything, as every command does;
/// how many entries of a damaged file were left out is said on err. Why not, when it cannot be read or is no
/// schedule.
std::optional<std::string> read_schedule(ScheduleFile& file,
                                         Schedule& schedule,
                                         std::string_view name,
                                         std::ostream& err);

/// A text as the tool prints it: a backslash, TAB, CR and LF written as \\, \t, \r and \n.
std::string escape_text(std::string_view utf8);

/// The local wall-clock time, cut to the second.
TDateTime local_now();

}  // namespace vistrel::tool
