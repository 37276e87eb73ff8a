// vistrel-probe: reads the state of a running Vistrel from outside, for the end-to-end tests.
//   count CLASS                  number of top-level windows of that class
//   wait CLASS MILLISECONDS      waits until a window of that class exists (exit 1 on time-out)
//   state CLASS                  "visible=V iconic=I" of the first window of that class (exit 1 when none)
//   minimize CLASS               minimises that window the way the system menu would
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct ClassCount {
    const wchar_t* class_name;
    int count;
};

BOOL CALLBACK count_window(HWND window, LPARAM param) {
    auto* counter = reinterpret_cast<ClassCount*>(param);
    wchar_t name[256];
    if (GetClassNameW(window, name, 256) > 0 && wcscmp(name, counter->class_name) == 0) {
        ++counter->count;
    }
    return TRUE;
}

int count_windows(const wchar_t* class_name) {
    ClassCount counter{class_name, 0};
    EnumWindows(count_window, reinterpret_cast<LPARAM>(&counter));
    return counter.count;
}

int wait_window(const wchar_t* class_name, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (FindWindowW(class_name, nullptr) == nullptr) {
        if (GetTickCount() - start > timeout_ms) {
            std::fprintf(stderr, "no window of class %ls after %lu ms\n", class_name, timeout_ms);
            return 1;
        }
        Sleep(50);
    }
    return 0;
}

int print_state(const wchar_t* class_name) {
    HWND window = FindWindowW(class_name, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "no window of class %ls\n", class_name);
        return 1;
    }
    std::printf("visible=%d iconic=%d\n", IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0);
    return 0;
}

int minimize(const wchar_t* class_name) {
    HWND window = FindWindowW(class_name, nullptr);
    if (window == nullptr) {
        return 1;
    }
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: vistrel-probe count|wait|state|minimize CLASS [MILLISECONDS]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return usage();
    }
    const std::wstring command = argv[1];
    const wchar_t* class_name = argv[2];
    if (command == L"count") {
        std::printf("%d\n", count_windows(class_name));
        return 0;
    }
    if (command == L"wait" && argc == 4) {
        return wait_window(class_name, static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
    }
    if (command == L"state") {
        return print_state(class_name);
    }
    if (command == L"minimize") {
        return minimize(class_name);
    }
    return usage();
}
