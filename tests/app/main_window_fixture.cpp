#include "main_window_fixture.h"

#include "engine/schedule_file.h"
#include "test_support.h"
#include "win32/schedule_location.h"

namespace vistrel::app {

RegistryValues registry_values(const wchar_t* path) {
    RegistryValues values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD name_size = 256;
        BYTE data[1024];
        DWORD data_size = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueW(key, index, name, &name_size, nullptr, &type, data, &data_size) != ERROR_SUCCESS) {
            break;
        }
        values[name] = type == REG_DWORD ? integer_value(*reinterpret_cast<const DWORD*>(data))
                                         : L"text:" + std::wstring(reinterpret_cast<const wchar_t*>(data));
    }
    RegCloseKey(key);
    return values;
}

std::wstring integer_value(DWORD value) {
    return L"integer:" + std::to_wstring(value);
}

void set_registry_integer(const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsPath, name, REG_DWORD, &value, sizeof(value));
}

void delete_registry_value(const wchar_t* path, const wchar_t* name) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, path, name);
}

void MainWindowTest::SetUp() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Tarnwick");
    delete_registry_value(kRunPath, L"Vistrel");
    set_registry_integer(L"AutoMinimize", 0);  // the window stays shown
    const auto location = schedule_location();
    ASSERT_TRUE(location.has_value());
    std::filesystem::create_directories(std::filesystem::path(location->user_file).parent_path());
    ASSERT_EQ(save_schedule(location->user_file, Schedule{}).result, SaveResult::saved);
}

void MainWindowTest::TearDown() {
    form.reset();
    testing_support::pump_messages(50);
}

void MainWindowTest::make_window() {
    form = std::make_unique<TForm1>(nullptr);
    form->Show();
    testing_support::pump_messages(100);
}

void MainWindowTest::click(TWinControl& control) {
    SendMessageW(control.Handle(), BM_CLICK, 0, 0);
}

void MainWindowTest::click(TControl& control) {
    auto* parent = control.Parent();
    testing_support::post_click(parent->Handle(),
                                {control.Left() + control.Width() / 2, control.Top() + control.Height() / 2});
    testing_support::pump_messages(50);
}

void MainWindowTest::select_page(TTabSheet* page) {
    TzqPageControl& pages = *form->zqPageControl_main;
    for (int tab = 0; tab < pages.PageCount(); ++tab) {
        if (pages.Pages(tab) == page) {
            const RECT rect = pages.TabRect(tab);
            testing_support::post_click(pages.Handle(), {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
            testing_support::pump_until([&] { return pages.ActivePage() == page; });
            return;
        }
    }
}

OtherProgram::OtherProgram()
    : window_([this](UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(window_.handle(), m, w, l); }) {}

OtherProgram::~OtherProgram() {
    UnregisterHotKey(window_.handle(), 1);
}

bool OtherProgram::take(KeyValue value) {
    UnregisterHotKey(window_.handle(), 1);
    return RegisterHotKey(window_.handle(), 1, value >> 8, value & 0xFFu) != FALSE;
}

}  // namespace vistrel::app
