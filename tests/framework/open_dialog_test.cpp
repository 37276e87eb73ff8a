#include "framework/open_dialog.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <fstream>
#include <functional>
#include <string>

#include "test_support.h"

namespace vistrel {
namespace {

using namespace std::string_literals;
using testing_support::when_dialog_opens;

TEST(OpenDialogFilter, PairsEndInNullsAndTheListInOneMore) {
    struct Case {
        const char* name;
        std::wstring filter;
        std::wstring expected;
    };
    const Case cases[] = {
        {"one pair", L"应用程序|*.exe", L"应用程序\0*.exe\0\0"s},
        {"two pairs", L"应用程序|*.exe|所有文件|*.*", L"应用程序\0*.exe\0所有文件\0*.*\0\0"s},
        {"several patterns", L"图片|*.bmp;*.ico", L"图片\0*.bmp;*.ico\0\0"s},
        {"unpaired description", L"应用程序|*.exe|孤立", L"应用程序\0*.exe\0\0"s},
        {"empty", L"", L"\0"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(open_dialog_filter(c.filter), c.expected);
    }
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(OpenDialog, CancelKeepsTheNameAndConfirmingGivesTheChosenPath) {
    wchar_t folder[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"选择的程序.exe";
    std::ofstream(path.c_str()) << "MZ";

    TOpenDialog dialog(nullptr);
    dialog.Filter = L"应用程序|*.exe";
    dialog.FileName = L"原来的.exe";
    when_dialog_opens([](HWND window) { press(window, IDCANCEL); });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, L"原来的.exe");

    static std::wstring chosen;
    chosen = path;
    when_dialog_opens([](HWND window) {
        HWND name = GetDlgItem(window, cmb13);
        SetWindowTextW(name != nullptr ? name : GetDlgItem(window, edt1), chosen.c_str());
        press(window, IDOK);
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(_wcsicmp(dialog.FileName.c_str(), path.c_str()), 0) << "got " << dialog.FileName.size() << " chars";
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace vistrel
