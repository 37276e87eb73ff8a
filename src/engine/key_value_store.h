#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

/// One open key of a KeyValueStore; the key is closed when this object goes away.
class KeyValueKey {
public:
    virtual ~KeyValueKey() = default;

    virtual bool value_exists(std::string_view name) const = 0;
    /// The value as a 32-bit integer; none when it is absent or stored as another type.
    virtual std::optional<std::int32_t> read_integer(std::string_view name) const = 0;
    /// The value as text (UTF-8); none when it is absent or stored as another type.
    virtual std::optional<std::string> read_string(std::string_view name) const = 0;
    virtual bool write_integer(std::string_view name, std::int32_t value) = 0;
    virtual bool write_string(std::string_view name, std::string_view value) = 0;
    virtual bool delete_value(std::string_view name) = 0;
};

/// A per-user store of typed named values under key paths, as the registry keeps them under HKEY_CURRENT_USER.
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;

    /// Opens the key at path ("A\\B\\C"), creating it when absent; null when it cannot be opened.
    virtual std::unique_ptr<KeyValueKey> open_key(std::string_view path) = 0;
};

}  // namespace vistrel
