#include "win32/win32_program_starter.h"

#include <windows.h>

#include <string>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace vistrel {

bool Win32ProgramStarter::file_exists(std::string_view path) {
    const DWORD attributes = GetFileAttributesW(to_wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32ProgramStarter::start(std::string_view command_line, int show_command) {
    std::wstring command = to_wide(command_line);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show_command);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    UniqueHandle thread(process.hThread);
    UniqueHandle started(process.hProcess);
    return true;
}

}  // namespace vistrel
