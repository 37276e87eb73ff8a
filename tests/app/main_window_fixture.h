#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "app/Unit1.h"
#include "framework/utility_window.h"

namespace vistrel::app {

inline constexpr wchar_t kSettingsPath[] = L"SOFTWARE\\Tarnwick\\Vistrel";
inline constexpr wchar_t kRunPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

/// The values under a key of HKEY_CURRENT_USER, each as "type:data" (integers in decimal).
using RegistryValues = std::map<std::wstring, std::wstring>;
RegistryValues registry_values(const wchar_t* path);
void set_registry_integer(const wchar_t* name, DWORD value);
void delete_registry_value(const wchar_t* path, const wchar_t* name);
std::wstring integer_value(DWORD value);

/// The main window as the program makes it, on the registry of the test's own wine prefix: every test starts as a
/// first start (no settings but AutoMinimize 0, no Run value) with an empty timetable, so that nothing falls due
/// meanwhile.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Builds and shows the window; the settings stored before are what it loads.
    void make_window();
    /// Clicks a windowed control as the mouse does.
    static void click(TWinControl& control);
    /// Clicks a windowless control at its centre, through its parent's window.
    static void click(TControl& control);
    /// Selects a page by clicking its tab.
    void select_page(TTabSheet* page);

    std::unique_ptr<TForm1> form;
};

/// Another program's window, holding a hot key.
class OtherProgram {
public:
    OtherProgram();
    ~OtherProgram();
    bool take(KeyValue value);

private:
    UtilityWindow window_;
};

}  // namespace vistrel::app
