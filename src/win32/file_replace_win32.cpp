#include "engine/file_replace.h"

#include "win32/unique_handle.h"

#include <windows.h>

namespace vistrel {

bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to) {
    // Best effort: the move below goes on even where the data cannot be flushed.
    HANDLE raw = CreateFileW(from.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw != INVALID_HANDLE_VALUE) {
        const UniqueHandle file(raw);
        FlushFileBuffers(file.get());
    }
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace vistrel
