#pragma once

#include "engine/program_starter.h"

namespace vistrel {

/// Looks for program files and starts programs with CreateProcessW; failures carry the system's text.
class Win32ProgramStarter final : public ProgramStarter {
public:
    ProgramFailure missing_file(std::string_view path) override;
    ProgramFailure start(std::string_view command_line, int show_command) override;
};

}  // namespace vistrel
