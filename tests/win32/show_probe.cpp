// Started by the program-start tests: writes the show command it was started with to the file named by its
// first argument ("<flags> <show command>"), through a temporary file so that the reader never sees half of it.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    const std::wstring temporary = std::wstring(argv[1]) + L".tmp";
    FILE* file = _wfopen(temporary.c_str(), L"w");
    if (file == nullptr) {
        return 1;
    }
    std::fprintf(file, "%d %d %d", (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? 1 : 0,
                 static_cast<int>(startup.wShowWindow), argc - 1);
    std::fclose(file);
    return MoveFileW(temporary.c_str(), argv[1]) ? 0 : 1;
}
