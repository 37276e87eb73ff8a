#include "store_contract.h"

#include <map>
#include <optional>
#include <vector>

#include "engine/settings.h"

namespace vistrel {
namespace {

constexpr char kPath[] = "C:\\Programs\\Vistrel\\Vistrel.exe";
constexpr char kOtherPath[] = "D:\\Old place\\Vistrel.exe";

class FixedPath final : public ExecutablePath {
public:
    std::string executable_path() const override { return kPath; }
};

class RecordingHotKeys final : public HotKeyItems {
public:
    void set_key_value(int item, std::uint16_t key_value) override {
        calls.push_back("set " + std::to_string(item) + " " + std::to_string(key_value));
    }
    void activate(int item) override { calls.push_back("activate " + std::to_string(item)); }

    std::vector<std::string> calls;
};

std::optional<std::string> run_value(KeyValueStore& store) {
    return store.open_key(kRunKey)->read_string(kRunValue);
}

TEST_P(StoreContract, KeepsTypedValuesUnderKeys) {
    {
        auto key = store().open_key("Software\\Test\\Values");
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->write_integer("negative", -5));
        EXPECT_TRUE(key->write_integer("largest", 0x7FFFFFFF));
        EXPECT_TRUE(key->write_string("text", "休息 1.0"));
        EXPECT_TRUE(key->write_string("empty", ""));
    }
    subject().put_blob("Software\\Test\\Values", "blob");
    auto key = store().open_key("Software\\Test\\Values");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->read_integer("negative"), -5);
    EXPECT_EQ(key->read_integer("largest"), 0x7FFFFFFF);
    EXPECT_EQ(key->read_string("text"), "休息 1.0");
    EXPECT_EQ(key->read_string("empty"), "");
    EXPECT_TRUE(key->value_exists("blob"));
    EXPECT_FALSE(key->value_exists("absent"));

    struct WrongRead {
        const char* name;
        bool as_integer;
    };
    const WrongRead wrong_reads[] = {{"absent", true},    {"absent", false}, {"text", true},
                                     {"negative", false}, {"blob", true},    {"blob", false}};
    for (const auto& c : wrong_reads) {
        SCOPED_TRACE(std::string(c.name) + (c.as_integer ? " as integer" : " as text"));
        EXPECT_FALSE(c.as_integer ? key->read_integer(c.name).has_value() : key->read_string(c.name).has_value());
    }

    EXPECT_TRUE(key->write_integer("text", 7));
    EXPECT_EQ(key->read_integer("text"), 7);
    EXPECT_TRUE(key->delete_value("text"));
    EXPECT_FALSE(key->value_exists("text"));
    EXPECT_FALSE(key->delete_value("text"));
}

TEST_P(StoreContract, FirstStartWritesVersionAndRunValueAndRegistersDefaultHotKeys) {
    SettingsStore settings_store(store(), FixedPath());
    Settings settings;
    RecordingHotKeys hot_keys;
    settings_store.load(settings, hot_keys);

    EXPECT_EQ(settings.AutoRun, true);
    EXPECT_EQ(settings.AutoMinimize, true);
    EXPECT_EQ(settings.CompulsoryRest, true);
    EXPECT_EQ(settings.CompulsoryPremind, false);
    EXPECT_EQ(settings.RestMode, 2);
    EXPECT_EQ(settings.StartDummyTime, 0);
    EXPECT_EQ(hot_keys.calls, (std::vector<std::string>{"activate 0", "activate 1"}));
    auto key = store().open_key(kSettingsKey);
    EXPECT_EQ(key->read_string(kVersionValue), "1.0");
    EXPECT_FALSE(key->value_exists(kAutoRunValue));
    EXPECT_EQ(run_value(store()), kPath);
}

TEST_P(StoreContract, LoadReadsEveryStoredOption) {
    {
        auto key = store().open_key(kSettingsKey);
        key->write_string(kVersionValue, "1.0");
        key->write_integer(kAutoRunValue, 0);
        key->write_integer(kAutoMinimizeValue, 0);
        key->write_integer(kCompulsoryRestValue, 0);
        key->write_integer(kCompulsoryPremindValue, 5);  // any non-zero is true
        key->write_integer(kRestModeValue, 7);           // not checked on load
        key->write_integer(kStartDummyTimeValue, 45);
        key->write_integer(kHotKeyValues[0], 0x0341);
        key->write_integer(kHotKeyValues[1], 0x10077B);  // only 16 bits are a key value
    }
    SettingsStore settings_store(store(), FixedPath());
    Settings settings;
    RecordingHotKeys hot_keys;
    settings_store.load(settings, hot_keys);

    EXPECT_EQ(settings.AutoRun, false);
    EXPECT_EQ(settings.AutoMinimize, false);
    EXPECT_EQ(settings.CompulsoryRest, false);
    EXPECT_EQ(settings.CompulsoryPremind, true);
    EXPECT_EQ(settings.RestMode, 7);
    EXPECT_EQ(settings.StartDummyTime, 45);
    EXPECT_EQ(hot_keys.calls, (std::vector<std::string>{"set 0 833", "activate 0", "set 1 1915", "activate 1"}));
}

TEST_P(StoreContract, ValueOfTheWrongTypeKeepsItsDefaultAndTheLoadGoesOn) {
    const char* const names[] = {kAutoRunValue,  kAutoMinimizeValue,   kCompulsoryRestValue, kCompulsoryPremindValue,
                                 kRestModeValue, kStartDummyTimeValue, kHotKeyValues[0]};
    for (const char* wrong : names) {
        for (bool as_blob : {false, true}) {
            SCOPED_TRACE(std::string(wrong) + (as_blob ? " as a blob" : " as text"));
            fresh_store();
            {
                auto key = store().open_key(kSettingsKey);
                for (const char* name : names) {
                    key->write_integer(name, std::string_view(name) == kRestModeValue ? 1 : 0);
                }
                if (as_blob) {
                    key.reset();
                    subject().put_blob(kSettingsKey, wrong);
                } else {
                    key->write_string(wrong, "1");
                }
            }
            SettingsStore settings_store(store(), FixedPath());
            Settings settings;
            RecordingHotKeys hot_keys;
            settings_store.load(settings, hot_keys);

            const Settings defaults;
            const auto expect = [&](const char* name, auto loaded, auto stored, auto fallback) {
                EXPECT_EQ(loaded, name == std::string_view(wrong) ? fallback : stored) << name;
            };
            expect(kAutoRunValue, settings.AutoRun, false, defaults.AutoRun);
            expect(kAutoMinimizeValue, settings.AutoMinimize, false, defaults.AutoMinimize);
            expect(kCompulsoryRestValue, settings.CompulsoryRest, false, defaults.CompulsoryRest);
            expect(kCompulsoryPremindValue, settings.CompulsoryPremind, false, defaults.CompulsoryPremind);
            expect(kRestModeValue, settings.RestMode, 1, defaults.RestMode);
            expect(kStartDummyTimeValue, settings.StartDummyTime, 0, defaults.StartDummyTime);
            const std::vector<std::string> keys_set =
                wrong == std::string_view(kHotKeyValues[0])
                    ? std::vector<std::string>{"activate 0", "activate 1"}
                    : std::vector<std::string>{"set 0 0", "activate 0", "activate 1"};
            EXPECT_EQ(hot_keys.calls, keys_set);
            // The start-with-Windows value is still reconciled afterwards.
            EXPECT_EQ(run_value(store()).has_value(), wrong == std::string_view(kAutoRunValue));
        }
    }
}

TEST_P(StoreContract, VersionOtherThanOnePointZeroIsRewritten) {
    struct Case {
        const char* name;
        std::function<void(KeyValueKey&)> store_version;
    };
    const Case cases[] = {
        {"other text", [](KeyValueKey& key) { key.write_string(kVersionValue, "2.3"); }},
        {"empty text", [](KeyValueKey& key) { key.write_string(kVersionValue, ""); }},
        {"an integer", [](KeyValueKey& key) { key.write_integer(kVersionValue, 1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fresh_store();
        c.store_version(*store().open_key(kSettingsKey));
        store().open_key(kSettingsKey)->write_integer(kRestModeValue, 0);
        SettingsStore settings_store(store(), FixedPath());
        Settings settings;
        RecordingHotKeys hot_keys;
        settings_store.load(settings, hot_keys);
        EXPECT_EQ(store().open_key(kSettingsKey)->read_string(kVersionValue), "1.0");
        EXPECT_EQ(settings.RestMode, 0);
    }
}

TEST_P(StoreContract, RunValueFollowsAutoRunAtStart) {
    struct Case {
        const char* name;
        std::optional<int> auto_run;
        std::optional<std::string> before;
        std::optional<std::string> after;
    };
    const Case cases[] = {
        {"on by default, no value", std::nullopt, std::nullopt, kPath},
        {"on, the program was moved", 1, kOtherPath, kPath},
        {"on, path in other letter case is rewritten", 1, "c:\\programs\\vistrel\\vistrel.exe", kPath},
        {"on and right", 1, kPath, kPath},
        {"off, a leftover value is deleted", 0, kOtherPath, std::nullopt},
        {"off, no value", 0, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fresh_store();
        if (c.auto_run) {
            store().open_key(kSettingsKey)->write_integer(kAutoRunValue, *c.auto_run);
        }
        if (c.before) {
            store().open_key(kRunKey)->write_string(kRunValue, *c.before);
        }
        SettingsStore settings_store(store(), FixedPath());
        Settings settings;
        RecordingHotKeys hot_keys;
        settings_store.load(settings, hot_keys);
        EXPECT_EQ(run_value(store()), c.after);
    }
}

TEST_P(StoreContract, StartWithWindowsSwitchTwiceReturnsToTheFirstState) {
    for (bool first : {true, false}) {
        SCOPED_TRACE(first ? "starting on" : "starting off");
        fresh_store();
        SettingsStore settings_store(store(), FixedPath());
        Settings settings;
        settings.AutoRun = first;
        RecordingHotKeys hot_keys;
        store().open_key(kSettingsKey)->write_integer(kAutoRunValue, first ? 1 : 0);
        settings_store.load(settings, hot_keys);
        const auto initial_run = run_value(store());

        settings_store.switch_auto_run(settings, first);  // the same state, as set from code at start
        EXPECT_EQ(settings.AutoRun, first);
        EXPECT_EQ(run_value(store()), initial_run);

        settings_store.switch_auto_run(settings, !first);
        EXPECT_EQ(settings.AutoRun, !first);
        EXPECT_EQ(store().open_key(kSettingsKey)->read_integer(kAutoRunValue), first ? 0 : 1);
        EXPECT_EQ(run_value(store()), first ? std::nullopt : std::optional<std::string>(kPath));

        settings_store.switch_auto_run(settings, first);
        EXPECT_EQ(settings.AutoRun, first);
        EXPECT_EQ(store().open_key(kSettingsKey)->read_integer(kAutoRunValue), first ? 1 : 0);
        EXPECT_EQ(run_value(store()), initial_run);
    }
}

TEST_P(StoreContract, OptionsAreWrittenAsTheyChange) {
    SettingsStore settings_store(store(), FixedPath());
    Settings settings;
    settings_store.write_setting(kRestModeValue, 0);
    settings_store.write_setting(kStartDummyTimeValue, 30);
    EXPECT_FALSE(settings_store.toggle_option(settings.CompulsoryRest, kCompulsoryRestValue, true));
    EXPECT_TRUE(settings_store.toggle_option(settings.CompulsoryRest, kCompulsoryRestValue, false));
    EXPECT_FALSE(settings.CompulsoryRest);
    auto key = store().open_key(kSettingsKey);
    EXPECT_EQ(key->read_integer(kRestModeValue), 0);
    EXPECT_EQ(key->read_integer(kStartDummyTimeValue), 30);
    EXPECT_EQ(key->read_integer(kCompulsoryRestValue), 0);
}

}  // namespace
}  // namespace vistrel
