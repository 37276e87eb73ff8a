#include "win32/registry_store.h"

#include <string>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace vistrel {
namespace {

class RegistryKey final : public KeyValueKey {
public:
    explicit RegistryKey(UniqueHkey key) : key_(std::move(key)) {}

    bool value_exists(std::string_view name) const override {
        return RegQueryValueExW(key_.get(), to_wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    std::optional<std::int32_t> read_integer(std::string_view name) const override {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegQueryValueExW(key_.get(), to_wide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof(value)) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(value);
    }

    std::optional<std::string> read_string(std::string_view name) const override {
        const std::wstring wide_name = to_wide(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_.get(), wide_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key_.get(), wide_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                             &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        // The stored data may or may not end with its terminator; the text ends at the first zero either way.
        text.resize(size / sizeof(wchar_t));
        text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
        return to_utf8(text);
    }

    bool write_integer(std::string_view name, std::int32_t value) override {
        const DWORD data = static_cast<DWORD>(value);
        return RegSetValueExW(key_.get(), to_wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof(data)) == ERROR_SUCCESS;
    }

    bool write_string(std::string_view name, std::string_view value) override {
        const std::wstring text = to_wide(value);
        const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_.get(), to_wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              size) == ERROR_SUCCESS;
    }

    bool delete_value(std::string_view name) override {
        return RegDeleteValueW(key_.get(), to_wide(name).c_str()) == ERROR_SUCCESS;
    }

private:
    UniqueHkey key_;
};

}  // namespace

std::unique_ptr<KeyValueKey> RegistryStore::open_key(std::string_view path) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(root_, to_wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &raw, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryKey>(UniqueHkey(raw));
}

}  // namespace vistrel
