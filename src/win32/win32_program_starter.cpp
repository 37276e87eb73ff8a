#include "win32/win32_program_starter.h"

#include <windows.h>

#include <string>

#include "win32/system_message.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace vistrel {

ProgramFailure Win32ProgramStarter::missing_file(std::string_view path) {
    const DWORD attributes = GetFileAttributesW(to_wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return system_message(GetLastError());
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return system_message(ERROR_FILE_NOT_FOUND);  // a folder, and no file of that name
    }
    return std::nullopt;
}

ProgramFailure Win32ProgramStarter::start(std::string_view command_line, int show_command) {
    std::wstring command = to_wide(command_line);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show_command);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return system_message(GetLastError());
    }
    UniqueHandle thread(process.hThread);
    UniqueHandle started(process.hProcess);
    return std::nullopt;
}

}  // namespace vistrel
