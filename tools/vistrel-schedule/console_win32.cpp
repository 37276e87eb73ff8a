#include "console.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <memory>

#include "win32/wide_text.h"

namespace vistrel::tool {
namespace {

UINT previous_output_code_page = 0;

void restore_output_code_page() {
    SetConsoleOutputCP(previous_output_code_page);
}

}  // namespace

std::vector<std::string> utf8_arguments(int, char**) {
    // argv holds the arguments in the ANSI code page, which cannot carry every character: read the wide ones.
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) {
        arguments.push_back(to_utf8(wide.get()[i]));
    }
    return arguments;
}

void use_utf8_console() {
    previous_output_code_page = GetConsoleOutputCP();
    if (previous_output_code_page != 0 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(restore_output_code_page);
    }
}

}  // namespace vistrel::tool
