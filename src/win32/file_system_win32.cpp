#include "engine/file_system.h"

#include <windows.h>

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include "win32/system_message.h"
#include "win32/wide_text.h"

namespace vistrel {

// By the file's wide name: the narrow one would lose characters outside the ANSI code page.
File open_file(const NativePath& path, FileAccess access) {
    static constexpr const wchar_t* kModes[] = {L"rb", L"r+b", L"wb"};
    return File(_wfopen(path.c_str(), kModes[static_cast<int>(access)]));
}

bool path_exists(const NativePath& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool is_file(const NativePath& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool remove_file(const NativePath& path) {
    return DeleteFileW(path.c_str()) != FALSE;
}

bool rename_file(const NativePath& from, const NativePath& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::string path_utf8(const NativePath& path) {
    return to_utf8(path);
}

// The C streams fail through the system's calls (CreateFileW, WriteFile), which leave their error code behind; only
// a failure of the library's own (no such code) falls back on errno.
std::string last_failure_reason() {
    const DWORD code = GetLastError();
    return code == ERROR_SUCCESS ? std::string(strerror(errno)) : system_message(code);
}

}  // namespace vistrel
