#include "framework/open_dialog.h"

#include <windows.h>

#include <commdlg.h>

#include <system_error>
#include <vector>

#include "framework/application.h"
#include "win32/unique_handle.h"

namespace vistrel {
namespace {

// The dialog's library is loaded only while a dialog is open: it brings the printing system and its network
// libraries into the process, which a program that mostly waits in the tray has no use for.
using GetOpenFileNameProc = BOOL(WINAPI*)(LPOPENFILENAMEW);

bool show_open_file_name(OPENFILENAMEW& dialog) {
    const UniqueHmodule library(LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const FARPROC entry = library ? GetProcAddress(library.get(), "GetOpenFileNameW") : nullptr;
    if (entry == nullptr) {
        // Not the user's cancel: the dialog cannot be shown at all.
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "Cannot load the file-open dialog");
    }
    const auto get_open_file_name = reinterpret_cast<GetOpenFileNameProc>(reinterpret_cast<void (*)()>(entry));
    return get_open_file_name(&dialog) != FALSE;
}

}  // namespace

std::wstring open_dialog_filter(const std::wstring& filter) {
    std::vector<std::wstring> parts;
    for (std::size_t start = 0;;) {
        const std::size_t bar = filter.find(L'|', start);
        parts.push_back(filter.substr(start, bar - start));
        if (bar == std::wstring::npos) {
            break;
        }
        start = bar + 1;
    }
    std::wstring result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        result += parts[i] + L'\0' + parts[i + 1] + L'\0';
    }
    return result + L'\0';
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute() {
    const std::wstring filter = open_dialog_filter(Filter);
    std::vector<wchar_t> name(32768, L'\0');
    FileName.copy(name.data(), name.size() - 1);
    HWND active = GetActiveWindow();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = active != nullptr ? active : Application().Handle();
    dialog.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!show_open_file_name(dialog)) {
        return false;
    }
    FileName = name.data();
    return true;
}

}  // namespace vistrel
