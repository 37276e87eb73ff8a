#include "engine/file_replace.h"

#include "win32/unique_handle.h"

#include <windows.h>

namespace vistrel {
namespace {

// Another program that holds the file a moment (a virus scan, an indexer) is waited for briefly.
constexpr int kAttempts = 5;
constexpr DWORD kPauseMs = 40;

bool held_by_another_program(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool replace_file(const NativePath& from, const NativePath& to) {
    // Best effort: the move below goes on even where the data cannot be flushed.
    HANDLE raw = CreateFileW(from.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw != INVALID_HANDLE_VALUE) {
        const UniqueHandle file(raw);
        FlushFileBuffers(file.get());
    }
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (attempt == kAttempts || !held_by_another_program(GetLastError())) {
            return false;
        }
        Sleep(kPauseMs);
    }
}

}  // namespace vistrel
