#include "win32/registry_store.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/settings.h"
#include "store_contract.h"
#include "win32/unique_handle.h"
#include "win32/win32_executable_path.h"

namespace vistrel {
namespace {

constexpr wchar_t kTestRoot[] = L"Software\\VistrelTests";

// Each store gets a fresh key of its own under HKEY_CURRENT_USER, removed again with it.
class RegistryStoreUnderTest final : public StoreUnderTest {
public:
    RegistryStoreUnderTest() : path_(std::wstring(kTestRoot) + L"\\" + std::to_wstring(++count_)) {
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        HKEY raw = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr);
        root_.reset(raw);
        store_.emplace(root_.get());
    }
    ~RegistryStoreUnderTest() override {
        store_.reset();
        root_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }

    KeyValueStore& store() override { return *store_; }
    void put_blob(std::string_view path, std::string_view name) override {
        const BYTE data[] = {1, 2, 3};
        const std::wstring key(path.begin(), path.end());
        const std::wstring value(name.begin(), name.end());
        RegSetKeyValueW(root_.get(), key.c_str(), value.c_str(), REG_BINARY, data, sizeof(data));
    }

private:
    static inline int count_ = 0;
    std::wstring path_;
    UniqueHkey root_;
    std::optional<RegistryStore> store_;
};

INSTANTIATE_TEST_SUITE_P(Registry,
                         StoreContract,
                         ::testing::Values(StoreFactory{"Registry",
                                                        [] { return std::make_unique<RegistryStoreUnderTest>(); }}),
                         store_name);

class NoHotKeys final : public HotKeyItems {
public:
    void set_key_value(int, std::uint16_t) override {}
    void activate(int) override {}
};

std::optional<DWORD> registry_integer(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::wstring> registry_text(const wchar_t* key, const wchar_t* name) {
    wchar_t text[512] = {};
    DWORD size = sizeof(text);
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, text, &size) != ERROR_SUCCESS || type != REG_SZ) {
        return std::nullopt;
    }
    return text;
}

std::wstring module_path() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

TEST(RegistryStore, SettingsLandUnderTheCurrentUsersKeysWithTheirTypes) {
    constexpr wchar_t kSettings[] = L"SOFTWARE\\Tarnwick\\Vistrel";
    constexpr wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Tarnwick");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, L"Vistrel");

    RegistryStore registry;
    Win32ExecutablePath executable;
    SettingsStore settings_store(registry, executable);
    Settings settings;
    NoHotKeys hot_keys;
    settings_store.load(settings, hot_keys);
    EXPECT_EQ(registry_text(kSettings, L"Version"), L"1.0");
    EXPECT_EQ(registry_text(kRun, L"Vistrel"), L"\"" + module_path() + L"\"")
        << "in quotes, for the blanks a path may hold";

    settings_store.switch_auto_run(settings, false);
    EXPECT_EQ(registry_integer(kSettings, L"AutoRun"), 0u);
    EXPECT_EQ(registry_text(kRun, L"Vistrel"), std::nullopt);
    settings_store.write_setting(kRestModeValue, 1);
    settings_store.write_setting(kHotKeyValues[1], 0x077B);
    EXPECT_EQ(registry_integer(kSettings, L"RestMode"), 1u);
    EXPECT_EQ(registry_integer(kSettings, L"HotKey1"), 0x077Bu);

    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Tarnwick");
}

TEST(RegistryStore, ExecutablePathIsTheModulesOwn) {
    const std::string path = Win32ExecutablePath().executable_path();
    EXPECT_EQ(std::wstring(path.begin(), path.end()), module_path());
    EXPECT_NE(path.find("win32_tests.exe"), std::string::npos);
}

}  // namespace
}  // namespace vistrel
