#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "engine/key_value_store.h"

namespace vistrel {

/// A KeyValueStore held in memory, for tests and previews; key paths and value names compare exactly.
class MemoryStore final : public KeyValueStore {
public:
    /// A value of a type the settings never use (the registry's REG_BINARY, say).
    using Blob = std::vector<std::uint8_t>;
    using Value = std::variant<std::int32_t, std::string, Blob>;
    using Values = std::map<std::string, Value, std::less<>>;

    std::unique_ptr<KeyValueKey> open_key(std::string_view path) override;

    /// The values of a key, or none when the key does not exist.
    const Values* key(std::string_view path) const;
    /// Stores a value of any type directly, creating its key.
    void put(std::string_view path, std::string_view name, Value value);
    /// Makes every later open of path fail (a key the user has no rights to).
    void deny(std::string_view path);

private:
    std::map<std::string, Values, std::less<>> keys_;
    std::set<std::string, std::less<>> denied_;
};

}  // namespace vistrel
