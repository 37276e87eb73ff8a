#pragma once

#include <string>

namespace vistrel {

/// The system's text for an error code (GetLastError), in the user's language, without the line end (UTF-8).
std::string system_message(unsigned long error);

}  // namespace vistrel
