#pragma once

#include "engine/settings.h"

namespace vistrel {

/// The path of the running executable as GetModuleFileNameW reports it.
class Win32ExecutablePath final : public ExecutablePath {
public:
    std::string executable_path() const override;
};

}  // namespace vistrel
