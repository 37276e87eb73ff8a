#pragma once

#include "engine/file_system.h"

namespace vistrel {

/// Flushes the finished file at from to the disk and moves it over to in one step, whether or not to
/// exists. Both paths are in the same folder. A target held open by another program is waited for a
/// moment. False when the move failed (to is then unchanged).
bool replace_file(const NativePath& from, const NativePath& to);

}  // namespace vistrel
