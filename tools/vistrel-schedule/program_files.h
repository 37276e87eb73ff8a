#pragma once

#include <filesystem>
#include <string_view>

#include "engine/program_starter.h"

namespace vistrel::tool {

/// Looks for program files on disk, as the program does, but starts nothing: the tool only checks and previews.
class ProgramFileTest final : public ProgramStarter {
public:
    ProgramFailure missing_file(std::string_view path) override {
        std::error_code error;
        const std::filesystem::path file(std::u8string(path.begin(), path.end()));
        if (path.empty() || !std::filesystem::is_regular_file(file, error)) {
            return "no such file";
        }
        return std::nullopt;
    }
    ProgramFailure start(std::string_view, int) override { return std::nullopt; }
};

}  // namespace vistrel::tool
