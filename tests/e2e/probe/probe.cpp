// vistrel-probe: reads the state of a running Vistrel from outside, for the end-to-end tests.
//   count CLASS                  number of top-level windows of that class
//   wait CLASS MILLISECONDS      waits until a window of that class exists (exit 1 on time-out)
//   state CLASS                  "visible=V iconic=I" of the first window of that class (exit 1 when none)
//   minimize CLASS               minimises that window the way the system menu would
//   rows CLASS rest|task         the rows of that window's rest or task list, one a line: the cells, TAB between
//   place CLASS rest|task        "left top" of that list on the screen
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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

void print_utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int print_rows(const wchar_t* class_name, const std::wstring& which) {
    HWND list = find_list(class_name, which);
    if (list == nullptr) {
        std::fprintf(stderr, "no %ls list in a window of class %ls\n", which.c_str(), class_name);
        return 1;
    }
    const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        print_utf8(cell_text(list, row, 0) + L"\t" + cell_text(list, row, 1) + L"\n");
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

int usage() {
    std::fprintf(stderr,
                 "usage: vistrel-probe count|wait|state|minimize CLASS [MILLISECONDS]\n"
                 "       vistrel-probe rows|place CLASS rest|task\n");
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
    if (command == L"rows" && argc == 4) {
        return print_rows(class_name, argv[3]);
    }
    if (command == L"place" && argc == 4) {
        return print_place(class_name, argv[3]);
    }
    return usage();
}
