#include "engine/memory_store.h"

namespace vistrel {
namespace {

class MemoryKey final : public KeyValueKey {
public:
    explicit MemoryKey(MemoryStore::Values& values) : values_(values) {}

    bool value_exists(std::string_view name) const override { return values_.find(name) != values_.end(); }

    std::optional<std::int32_t> read_integer(std::string_view name) const override { return read<std::int32_t>(name); }

    std::optional<std::string> read_string(std::string_view name) const override { return read<std::string>(name); }

    bool write_integer(std::string_view name, std::int32_t value) override {
        values_.insert_or_assign(std::string(name), value);
        return true;
    }

    bool write_string(std::string_view name, std::string_view value) override {
        values_.insert_or_assign(std::string(name), std::string(value));
        return true;
    }

    bool delete_value(std::string_view name) override {
        auto found = values_.find(name);
        if (found == values_.end()) {
            return false;
        }
        values_.erase(found);
        return true;
    }

private:
    template <typename T>
    std::optional<T> read(std::string_view name) const {
        auto found = values_.find(name);
        if (found == values_.end()) {
            return std::nullopt;
        }
        if (const T* value = std::get_if<T>(&found->second)) {
            return *value;
        }
        return std::nullopt;
    }

    MemoryStore::Values& values_;
};

}  // namespace

std::unique_ptr<KeyValueKey> MemoryStore::open_key(std::string_view path) {
    if (denied_.find(path) != denied_.end()) {
        return nullptr;
    }
    auto [key, created] = keys_.try_emplace(std::string(path));
    return std::make_unique<MemoryKey>(key->second);
}

const MemoryStore::Values* MemoryStore::key(std::string_view path) const {
    auto found = keys_.find(path);
    return found == keys_.end() ? nullptr : &found->second;
}

void MemoryStore::put(std::string_view path, std::string_view name, Value value) {
    auto [key, created] = keys_.try_emplace(std::string(path));
    key->second.insert_or_assign(std::string(name), std::move(value));
}

void MemoryStore::deny(std::string_view path) {
    denied_.emplace(path);
}

}  // namespace vistrel
