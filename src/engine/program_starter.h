#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

/// Show commands that a started program receives.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowMinimized = 6;
inline constexpr int kShowHidden = 0;

/// Why a program file was not found or its program not started, in the system's own words (UTF-8); nothing when
/// all went well.
using ProgramFailure = std::optional<std::string>;

/// Starts the programs of program tasks; paths and command lines are UTF-8.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    /// Nothing when a file (not a folder) is at path, else why not.
    virtual ProgramFailure missing_file(std::string_view path) = 0;
    /// Starts command_line (a quoted program path, then its arguments) with show_command, without waiting; nothing
    /// when the program started, else why not.
    virtual ProgramFailure start(std::string_view command_line, int show_command) = 0;
};

}  // namespace vistrel
