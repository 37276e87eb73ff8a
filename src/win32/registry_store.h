#pragma once

#include <windows.h>

#include "engine/key_value_store.h"

namespace vistrel {

/// The KeyValueStore in the registry: key paths below a root key (HKEY_CURRENT_USER for the program), integers as
/// REG_DWORD, texts as REG_SZ.
class RegistryStore final : public KeyValueStore {
public:
    explicit RegistryStore(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

    std::unique_ptr<KeyValueKey> open_key(std::string_view path) override;

private:
    HKEY root_;  // not owned
};

}  // namespace vistrel
