// vistrel-probe: reads the state of a running Vistrel from outside, for the end-to-end tests.
//   count CLASS                  number of top-level windows of that class
//   windows                      every top-level window, one a line: "CLASS<TAB>PROCESS ID<TAB>VISIBLE"
//   wait CLASS MILLISECONDS      waits until a window of that class exists (exit 1 on time-out)
//   state CLASS                  "visible=V iconic=I" of the first window of that class (exit 1 when none)
//   minimize CLASS               minimises the application of that window, as the frame's minimise button does
//   owner-state CLASS            "visible=V iconic=I" of the window's owner (the application window)
//   topmost CLASS                1 when that window stays on top, else 0
//   rect CLASS                   "LEFT TOP RIGHT BOTTOM" of that window on the screen
//   send CLASS MSG WPARAM LPARAM sends a message (numbers) and prints the result
//   post CLASS MSG WPARAM LPARAM posts a message
//   titled CLASS                 the titles of the visible windows of that class, one a line (UTF-8)
//   wait-title TITLE MILLISECONDS waits until a visible window with that title exists (exit 1 on time-out)
//   click TITLE CAPTION          presses the button with that caption in the visible window with that title
//   shell SECONDS                stands in for the shell: windows of the classes Shell_TrayWnd and Progman
//   crash CLASS                  makes the process of that window fail with an unhandled exception
//   touch PATH                   creates an empty file (a program for program tasks)
//   child-rect CLASS TEXT        "LEFT TOP RIGHT BOTTOM" on the screen of the first visible control with that text
//                                in the window of that class
//   controls CLASS               the visible controls of that window, one a line: "HANDLE<TAB>CLASS<TAB>LEFT TOP RIGHT
//                                BOTTOM<TAB>TEXT" (the handle in hexadecimal, the text on one line)
//   tab-rect CLASS CAPTION       "LEFT TOP RIGHT BOTTOM" on the screen of the tab with that caption on a visible page
//                                control of that window (tabs are not windows of their own)
//   window-at X Y                "HANDLE<TAB>CLASS<TAB>TEXT" of the innermost window at that point of the screen
//   foreground                   "CLASS<TAB>TEXT" of the window that has the keyboard (exit 1 when none)
//   send-to HANDLE MSG WPARAM LPARAM  sends a message (numbers) to a window found by a handle, prints the result
//   other-program SECONDS        another program's window at (800, 100), 400 x 300, to press keys in
//   rows CLASS rest|task         the rows of that window's rest or task list, one a line: the cells, TAB between
//   place CLASS rest|task        "left top" of that list on the screen
//   row-rect CLASS rest|task ROW "LEFT TOP RIGHT BOTTOM" on the screen of a row (from 0) of that list
//   reg-get KEY NAME             the data of a value of a key of HKCU ("HKCU\Software\..."), as reg.exe shows it
//                                (exit 1 when absent)
//   reg-set KEY NAME NUMBER      stores a DWORD value, creating the key
//   serve                        answers requests from the input, one a line (UTF-8, TAB between the arguments) as
//                                the commands above; each reply ends with a line of ASCII RS (0x1E) and the status
#include <windows.h>

#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "win32/wide_text.h"

using vistrel::to_utf8;
using vistrel::to_wide;

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

HWND owner_of(const wchar_t* class_name) {
    HWND window = FindWindowW(class_name, nullptr);
    HWND owner = window != nullptr ? GetWindow(window, GW_OWNER) : nullptr;
    return owner != nullptr ? owner : window;
}

int minimize(const wchar_t* class_name) {
    HWND window = owner_of(class_name);
    if (window == nullptr) {
        return 1;
    }
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return 0;
}

HWND find_or_fail(const wchar_t* class_name) {
    HWND window = FindWindowW(class_name, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "no window of class %ls\n", class_name);
    }
    return window;
}

// Window handles are the same number in every process: the listing of controls prints them, send-to takes them back.
unsigned long long handle_number(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

void print_utf8(const std::wstring& text) {
    std::printf("%s\n", to_utf8(text).c_str());
}

std::wstring window_text(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

struct TitleSearch {
    const wchar_t* class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_visible(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TitleSearch*>(param);
    wchar_t name[256];
    if (IsWindowVisible(window) && GetClassNameW(window, name, 256) > 0 && wcscmp(name, search->class_name) == 0) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> visible_windows(const wchar_t* class_name) {
    TitleSearch search{class_name, {}};
    EnumWindows(collect_visible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int print_titles(const wchar_t* class_name) {
    for (HWND window : visible_windows(class_name)) {
        print_utf8(window_text(window));
    }
    return 0;
}

struct ButtonSearch {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK find_button(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    if (window_text(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level windows with that title.
std::vector<HWND> windows_titled(const wchar_t* title) {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM param) {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [title](HWND window) { return window_text(window) != title || !IsWindowVisible(window); });
    return windows;
}

int click(const wchar_t* title, const wchar_t* caption) {
    for (HWND window : windows_titled(title)) {
        ButtonSearch search{caption, nullptr};
        EnumChildWindows(window, find_button, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            PostMessageW(search.found, BM_CLICK, 0, 0);
            return 0;
        }
    }
    std::fprintf(stderr, "no button %ls in a window %ls\n", caption, title);
    return 1;
}

int wait_title(const wchar_t* title, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (windows_titled(title).empty()) {
        if (GetTickCount() - start > timeout_ms) {
            return 1;
        }
        // Each look asks the server about every window; at this pace a wait costs little and still times a rest's
        // dialog to a few hundredths of a second.
        Sleep(50);
    }
    return 0;
}

int stand_in_for_shell(DWORD seconds) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    for (const wchar_t* name : {L"Shell_TrayWnd", L"Progman"}) {
        wc.lpszClassName = name;
        RegisterClassW(&wc);
        HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, name, name, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      wc.hInstance, nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    SetTimer(nullptr, 0, seconds * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) {
        DispatchMessageW(&message);
    }
    return 0;
}

// A control's own text, as an edit box holds it (GetWindowText does not ask a window of another process).
std::wstring control_text(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
    return text;
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// The controls of a window that show now (a control on a page that is away does not), in the system's order.
std::vector<HWND> visible_controls(HWND window) {
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) {
            if (IsWindowVisible(child)) {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    return controls;
}

void print_rect(const RECT& rect) {
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
}

int print_child_rect(const wchar_t* class_name, const wchar_t* text) {
    HWND window = find_or_fail(class_name);
    if (window == nullptr) {
        return 1;
    }
    for (HWND control : visible_controls(window)) {
        RECT rect{};
        if (control_text(control) == text && GetWindowRect(control, &rect)) {
            print_rect(rect);
            return 0;
        }
    }
    std::fprintf(stderr, "no control %ls shown in a window of class %ls\n", text, class_name);
    return 1;
}

// A text on one line of the listing: its TABs and line breaks become spaces.
std::wstring one_line(std::wstring text) {
    std::replace_if(
        text.begin(), text.end(), [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; }, L' ');
    return text;
}

int print_controls(const wchar_t* class_name) {
    HWND window = find_or_fail(class_name);
    if (window == nullptr) {
        return 1;
    }
    for (HWND control : visible_controls(window)) {
        RECT rect{};
        GetWindowRect(control, &rect);
        std::printf("%#llx\t%s\t%ld %ld %ld %ld\t%s\n", static_cast<unsigned long long>(handle_number(control)),
                    to_utf8(class_of(control)).c_str(), rect.left, rect.top, rect.right, rect.bottom,
                    to_utf8(one_line(control_text(control))).c_str());
    }
    return 0;
}

int print_window_at(LONG x, LONG y) {
    HWND window = WindowFromPoint(POINT{x, y});
    if (window == nullptr) {
        std::fprintf(stderr, "no window at %ld, %ld\n", x, y);
        return 1;
    }
    std::printf("%#llx\t%s\t%s\n", static_cast<unsigned long long>(handle_number(window)),
                to_utf8(class_of(window)).c_str(), to_utf8(one_line(control_text(window))).c_str());
    return 0;
}

int print_foreground() {
    HWND window = GetForegroundWindow();
    if (window == nullptr) {
        std::fprintf(stderr, "no window has the keyboard\n");
        return 1;
    }
    std::printf("%s\t%s\n", to_utf8(class_of(window)).c_str(), to_utf8(one_line(control_text(window))).c_str());
    return 0;
}

int other_program(DWORD seconds) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"OtherProgram";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"another program", WS_OVERLAPPEDWINDOW, 800, 100, 400, 300,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetTimer(nullptr, 0, seconds * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) {
        DispatchMessageW(&message);
    }
    return 0;
}

int crash(const wchar_t* class_name) {
    HWND window = find_or_fail(class_name);
    DWORD process_id = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &process_id) == 0) {
        return 1;
    }
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process_id);
    if (process == nullptr) {
        return 1;
    }
    // A thread that starts at an address where nothing is: an access violation nobody handles.
    HANDLE thread =
        CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(16), nullptr, 0, nullptr);
    const int status = thread != nullptr ? 0 : 1;
    if (thread != nullptr) {
        CloseHandle(thread);
    }
    CloseHandle(process);
    return status;
}

// A buffer in another process, for the list-view messages that fill memory the caller points to.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ != nullptr) {
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    bool ok() const { return address_ != nullptr; }
    char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    void write(SIZE_T offset, const void* data, SIZE_T size) const {
        WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    void read(SIZE_T offset, void* data, SIZE_T size) const {
        ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    SIZE_T size_;
};

constexpr int kTextChars = 1024;

// Asks a list view in another process for a text (of a cell or a column header) and reads it back.
template <typename Item>
std::wstring remote_text(HWND list, UINT message, WPARAM index, Item item) {
    RemoteBuffer buffer(list, sizeof(Item) + kTextChars * sizeof(wchar_t));
    if (!buffer.ok()) {
        return {};
    }
    item.pszText = reinterpret_cast<LPWSTR>(buffer.at(sizeof(Item)));
    item.cchTextMax = kTextChars;
    buffer.write(0, &item, sizeof(Item));
    SendMessageW(list, message, index, reinterpret_cast<LPARAM>(buffer.at(0)));
    std::vector<wchar_t> text(kTextChars, L'\0');
    buffer.read(sizeof(Item), text.data(), (kTextChars - 1) * sizeof(wchar_t));
    return text.data();
}

std::wstring cell_text(HWND list, int row, int column) {
    LVITEMW item{};
    item.iSubItem = column;
    return remote_text(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), item);
}

std::wstring header_text(HWND list, int column) {
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    return remote_text(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), item);
}

// Asks a control in another process for a place it fills in (a tab's, a row's) and gives that place on the screen.
// The request is what the message reads from the rectangle before it fills it.
std::optional<RECT> remote_rect(HWND control, UINT message, WPARAM index, RECT request = {}) {
    RemoteBuffer buffer(control, sizeof(RECT));
    if (!buffer.ok()) {
        return std::nullopt;
    }
    buffer.write(0, &request, sizeof(request));
    if (SendMessageW(control, message, index, reinterpret_cast<LPARAM>(buffer.at(0))) == 0) {
        return std::nullopt;
    }
    RECT rect{};
    buffer.read(0, &rect, sizeof(rect));
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The program's page controls are the system's tab controls under a class name of their own.
bool is_tab_control(HWND window) {
    const std::wstring name = class_of(window);
    return name == L"VistrelPageControl" || name == WC_TABCONTROLW;
}

int print_tab_rect(const wchar_t* class_name, const std::wstring& caption) {
    HWND window = find_or_fail(class_name);
    if (window == nullptr) {
        return 1;
    }
    for (HWND control : visible_controls(window)) {
        if (!is_tab_control(control)) {
            continue;
        }
        const auto tabs = static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
        for (int tab = 0; tab < tabs; ++tab) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            if (remote_text(control, TCM_GETITEMW, static_cast<WPARAM>(tab), item) != caption) {
                continue;
            }
            if (const auto rect = remote_rect(control, TCM_GETITEMRECT, static_cast<WPARAM>(tab))) {
                print_rect(*rect);
                return 0;
            }
        }
    }
    std::fprintf(stderr, "no tab %ls on a page control shown in a window of class %ls\n", caption.c_str(), class_name);
    return 1;
}

struct ListSearch {
    const wchar_t* second_header;
    HWND found;
};

// The timetable lists are told apart by their second column: the rest length or the task.
HWND find_list(const wchar_t* class_name, const std::wstring& which) {
    HWND window = FindWindowW(class_name, nullptr);
    if (window == nullptr || (which != L"rest" && which != L"task")) {
        return nullptr;
    }
    ListSearch search{which == L"rest" ? L"休息时长（分钟）" : L"任务", nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) {
            auto* wanted = reinterpret_cast<ListSearch*>(param);
            wchar_t name[64]{};
            GetClassNameW(child, name, 64);
            if (wcscmp(name, L"VistrelListView") == 0 && header_text(child, 1) == wanted->second_header) {
                wanted->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int print_rows(const wchar_t* class_name, const std::wstring& which) {
    HWND list = find_list(class_name, which);
    if (list == nullptr) {
        std::fprintf(stderr, "no %ls list in a window of class %ls\n", which.c_str(), class_name);
        return 1;
    }
    const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        print_utf8(cell_text(list, row, 0) + L"\t" + cell_text(list, row, 1));
    }
    return 0;
}

int print_place(const wchar_t* class_name, const std::wstring& which) {
    HWND list = find_list(class_name, which);
    if (list == nullptr) {
        return 1;
    }
    RECT r{};
    GetWindowRect(list, &r);
    std::printf("%ld %ld\n", r.left, r.top);
    return 0;
}

int print_row_rect(const wchar_t* class_name, const std::wstring& which, int row) {
    HWND list = find_list(class_name, which);
    const auto rect = list != nullptr
                          ? remote_rect(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), RECT{LVIR_BOUNDS, 0, 0, 0})
                          : std::nullopt;
    if (!rect) {
        std::fprintf(stderr, "no row %d in a %ls list of a window of class %ls\n", row, which.c_str(), class_name);
        return 1;
    }
    print_rect(*rect);
    return 0;
}

// The key under HKEY_CURRENT_USER that a key's full name, as reg.exe writes it, stands for ("HKCU\Software\...");
// none for a key of another root.
std::optional<std::wstring> user_subkey(const std::wstring& key) {
    const std::wstring root = L"HKCU\\";
    if (key.compare(0, root.size(), root) != 0) {
        std::fprintf(stderr, "not a key of HKCU: %ls\n", key.c_str());
        return std::nullopt;
    }
    return key.substr(root.size());
}

// Prints a value's data as reg.exe shows it: a DWORD in hexadecimal, a string as it stands (exit 1 when absent).
int print_registry_value(const std::wstring& key, const wchar_t* name) {
    const auto subkey = user_subkey(key);
    if (!subkey) {
        return 2;
    }
    wchar_t data[1024] = {};
    DWORD type = 0;
    DWORD size = sizeof(data);
    if (RegGetValueW(HKEY_CURRENT_USER, subkey->c_str(), name, RRF_RT_REG_DWORD | RRF_RT_REG_SZ, &type, data, &size) !=
        ERROR_SUCCESS) {
        return 1;
    }
    if (type == REG_DWORD) {
        DWORD value = 0;
        std::memcpy(&value, data, sizeof(value));
        std::printf("0x%lx\n", value);
    } else {
        print_utf8(data);
    }
    return 0;
}

int set_registry_dword(const std::wstring& key, const wchar_t* name, DWORD value) {
    const auto subkey = user_subkey(key);
    if (!subkey) {
        return 2;
    }
    return RegSetKeyValueW(HKEY_CURRENT_USER, subkey->c_str(), name, REG_DWORD, &value, sizeof(value)) == ERROR_SUCCESS
               ? 0
               : 1;
}

WPARAM number(const wchar_t* text) {
    return static_cast<WPARAM>(std::wcstoull(text, nullptr, 0));
}

// The message of a send, send-to or post request: MSG WPARAM LPARAM after its target.
struct Message {
    UINT id;
    WPARAM wparam;
    LPARAM lparam;
};

Message message_of(const std::vector<std::wstring>& args) {
    return {static_cast<UINT>(number(args[2].c_str())), number(args[3].c_str()),
            static_cast<LPARAM>(number(args[4].c_str()))};
}

// Sends a message and prints the result.
int send_message(HWND window, const Message& message) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message.id, message.wparam, message.lparam, SMTO_ABORTIFHUNG, 5000, &result)) {
        return 1;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(result));
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: see the head of probe.cpp\n");
    return 2;
}

int print_windows() {
    EnumWindows(
        [](HWND window, LPARAM) {
            wchar_t name[256] = {};
            GetClassNameW(window, name, 256);
            DWORD process_id = 0;
            GetWindowThreadProcessId(window, &process_id);
            std::printf("%s\t%lu\t%d\n", to_utf8(name).c_str(), process_id, IsWindowVisible(window) ? 1 : 0);
            return TRUE;
        },
        0);
    return 0;
}

// Runs one command; args[0] is its name. Returns the exit status.
int run(const std::vector<std::wstring>& args) {
    const auto argc = args.size();
    if (argc == 1 && args[0] == L"windows") {
        return print_windows();
    }
    if (argc == 1 && args[0] == L"foreground") {
        return print_foreground();
    }
    if (argc < 2) {
        return usage();
    }
    const std::wstring& command = args[0];
    const wchar_t* class_name = args[1].c_str();
    if (command == L"count") {
        std::printf("%d\n", count_windows(class_name));
        return 0;
    }
    if (command == L"wait" && argc == 3) {
        return wait_window(class_name, static_cast<DWORD>(std::wcstoul(args[2].c_str(), nullptr, 10)));
    }
    if (command == L"state") {
        return print_state(class_name);
    }
    if (command == L"minimize") {
        return minimize(class_name);
    }
    if (command == L"owner-state") {
        HWND owner = owner_of(class_name);
        if (owner == nullptr) {
            return 1;
        }
        std::printf("visible=%d iconic=%d\n", IsWindowVisible(owner) ? 1 : 0, IsIconic(owner) ? 1 : 0);
        return 0;
    }
    if (command == L"topmost") {
        HWND window = find_or_fail(class_name);
        if (window == nullptr) {
            return 1;
        }
        std::printf("%d\n", (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 1 : 0);
        return 0;
    }
    if (command == L"rect") {
        HWND window = find_or_fail(class_name);
        RECT rect{};
        if (window == nullptr || !GetWindowRect(window, &rect)) {
            return 1;
        }
        print_rect(rect);
        return 0;
    }
    if ((command == L"send" || command == L"post") && argc == 5) {
        HWND window = find_or_fail(class_name);
        if (window == nullptr) {
            return 1;
        }
        const Message message = message_of(args);
        if (command == L"post") {
            return PostMessageW(window, message.id, message.wparam, message.lparam) ? 0 : 1;
        }
        return send_message(window, message);
    }
    if (command == L"send-to" && argc == 5) {
        HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(number(args[1].c_str())));
        if (!IsWindow(window)) {
            std::fprintf(stderr, "no window %ls\n", args[1].c_str());
            return 1;
        }
        return send_message(window, message_of(args));
    }
    if (command == L"titled") {
        return print_titles(class_name);
    }
    if (command == L"wait-title" && argc == 3) {
        return wait_title(args[1].c_str(), static_cast<DWORD>(number(args[2].c_str())));
    }
    if (command == L"click" && argc == 3) {
        return click(args[1].c_str(), args[2].c_str());
    }
    if (command == L"shell") {
        return stand_in_for_shell(static_cast<DWORD>(number(args[1].c_str())));
    }
    if (command == L"crash") {
        return crash(class_name);
    }
    if (command == L"child-rect" && argc == 3) {
        return print_child_rect(class_name, args[2].c_str());
    }
    if (command == L"controls") {
        return print_controls(class_name);
    }
    if (command == L"tab-rect" && argc == 3) {
        return print_tab_rect(class_name, args[2]);
    }
    if (command == L"window-at" && argc == 3) {
        return print_window_at(static_cast<LONG>(std::wcstol(args[1].c_str(), nullptr, 10)),
                               static_cast<LONG>(std::wcstol(args[2].c_str(), nullptr, 10)));
    }
    if (command == L"other-program") {
        return other_program(static_cast<DWORD>(number(args[1].c_str())));
    }
    if (command == L"rows" && argc == 3) {
        return print_rows(class_name, args[2]);
    }
    if (command == L"place" && argc == 3) {
        return print_place(class_name, args[2]);
    }
    if (command == L"row-rect" && argc == 4) {
        return print_row_rect(class_name, args[2], static_cast<int>(std::wcstol(args[3].c_str(), nullptr, 10)));
    }
    if (command == L"reg-get" && argc == 3) {
        return print_registry_value(args[1], args[2].c_str());
    }
    if (command == L"reg-set" && argc == 4) {
        return set_registry_dword(args[1], args[2].c_str(), static_cast<DWORD>(number(args[3].c_str())));
    }
    if (command == L"touch") {
        HANDLE file = CreateFileW(args[1].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return 1;
        }
        CloseHandle(file);
        return 0;
    }
    return usage();
}

// One request line split at its TABs; false at the end of the input.
bool read_request(std::vector<std::wstring>& args) {
    args.clear();
    std::string field;
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n') {
        if (c == '\t') {
            args.push_back(to_wide(field));
            field.clear();
        } else {
            field += static_cast<char>(c);
        }
    }
    if (c == EOF && args.empty() && field.empty()) {
        return false;
    }
    args.push_back(to_wide(field));
    return true;
}

// Answers requests until the input ends, so that a test asks many questions of one process: starting a process
// under wine costs far more than any question. Each reply is the command's output, then a line of the record
// separator and the exit status.
int serve() {
    // Binary streams: no CR added to the lines, no Ctrl+Z taken for the end.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::wstring> args;
    while (read_request(args)) {
        const int status = run(args);
        std::printf("\x1e%d\n", status);
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == L"serve") {
        return serve();
    }
    return run(args);
}
