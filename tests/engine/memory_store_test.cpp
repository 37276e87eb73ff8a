#include "engine/memory_store.h"

#include <gtest/gtest.h>

#include "engine/settings.h"
#include "store_contract.h"

namespace vistrel {
namespace {

class MemoryStoreUnderTest final : public StoreUnderTest {
public:
    KeyValueStore& store() override { return store_; }
    void put_blob(std::string_view path, std::string_view name) override {
        store_.put(path, name, MemoryStore::Blob{1, 2, 3});
    }

private:
    MemoryStore store_;
};

INSTANTIATE_TEST_SUITE_P(Memory,
                         StoreContract,
                         ::testing::Values(StoreFactory{"Memory",
                                                        [] { return std::make_unique<MemoryStoreUnderTest>(); }}),
                         store_name);

class NoPath final : public ExecutablePath {
public:
    std::string executable_path() const override { return "C:\\Vistrel.exe"; }
};

class CountingHotKeys final : public HotKeyItems {
public:
    void set_key_value(int, std::uint16_t) override { ++calls; }
    void activate(int) override { ++calls; }
    int calls = 0;
};

TEST(SettingsStore, KeysThatCannotBeOpenedAreSkipped) {
    MemoryStore store;
    store.deny(kSettingsKey);
    store.deny(kRunKey);
    SettingsStore settings_store(store, NoPath());
    Settings settings;
    CountingHotKeys hot_keys;
    settings_store.load(settings, hot_keys);
    EXPECT_EQ(hot_keys.calls, 0);  // the hot keys stay unregistered
    EXPECT_TRUE(settings.AutoRun);

    // The option changes in memory even though nothing can be written.
    settings_store.switch_auto_run(settings, false);
    EXPECT_FALSE(settings.AutoRun);
    EXPECT_TRUE(settings_store.toggle_option(settings.AutoMinimize, kAutoMinimizeValue, false));
    EXPECT_FALSE(settings.AutoMinimize);
    EXPECT_EQ(store.key(kSettingsKey), nullptr);
    EXPECT_EQ(store.key(kRunKey), nullptr);
}

}  // namespace
}  // namespace vistrel
