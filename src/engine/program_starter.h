#pragma once

#include <string_view>

namespace vistrel {

/// Show commands that a started program receives.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowMinimized = 6;
inline constexpr int kShowHidden = 0;

/// Starts the programs of program tasks; paths and command lines are UTF-8.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    /// True only for an existing file (not a folder).
    virtual bool file_exists(std::string_view path) = 0;
    /// Starts command_line (a quoted program path, then its arguments) with show_command, without waiting;
    /// false when the program could not be started.
    virtual bool start(std::string_view command_line, int show_command) = 0;
};

}  // namespace vistrel
