#pragma once

#include "engine/program_starter.h"

namespace vistrel {

/// Starts programs with CreateProcessW.
class Win32ProgramStarter final : public ProgramStarter {
public:
    bool file_exists(std::string_view path) override;
    bool start(std::string_view command_line, int show_command) override;
};

}  // namespace vistrel
