#include "store_contract.h"

#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "engine/settings.h"

namespace vistrel {
namespace {

constexpr char kPath[] = "C:\\Programs\\Vistrel\\Vistrel.exe";
constexpr char kOtherPath[] = "D:\\Old place\\Vistrel.exe";
// What the Run value holds: the path in quotes.
constexpr char kRunCommand[] = "\"C:\\Programs\\Vistrel\\Vistrel.exe\"";

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
    EXPECT_EQ(run_value(store()), kRunCommand);
}

TEST_P(StoreContract, LoadReadsEveryStoredOption) {
    {
        auto key = store().open_key(kSettingsKey);
        key->write_string(kVersionValue, "1.0");
        key->write_integer(kAutoRunValue, 0);
        key->write_integer(kAutoMinimizeValue, 0);
        key->write_integer(kCompulsoryRestValue, 0);
        key->write_integer(kCompulsoryPremindValue, 5);  // any non-zero is true
        key->write_integer(kRestModeValue, 1);
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
    EXPECT_EQ(settings.RestMode, 1);
    EXPECT_EQ(settings.StartDummyTime, 45);
    EXPECT_EQ(hot_keys.calls, (std::vector<std::string>{"set 0 833", "activate 0", "set 1 1915", "activate 1"}));
}

TEST_P(StoreContract, StoredValuesAreHeldToWhatTheSettingsPageOffers) {
    struct Case {
        const char* name;
        const char* value_name;
        std::int32_t stored;
        std::int32_t rest_mode;
        std::int32_t boot_grace;
        std::vector<std::string> hot_key_calls;
    };
    const Settings defaults;
    const std::vector<std::string> default_keys = {"activate 0", "activate 1"};
    const Case cases[] = {
        {"a boot grace of 69 days is an hour", kStartDummyTimeValue, 100000, 2, 60, default_keys},
        {"the longest boot grace", kStartDummyTimeValue, 60, 2, 60, default_keys},
        {"one minute more", kStartDummyTimeValue, 61, 2, 60, default_keys},
        {"a negative boot grace is none", kStartDummyTimeValue, -5, 2, 0, default_keys},
        {"the lowest of all", kStartDummyTimeValue, std::numeric_limits<std::int32_t>::min(), 2, 0, default_keys},
        {"dialog", kRestModeValue, 0, 0, 0, default_keys},
        {"screen saver", kRestModeValue, 2, 2, 0, default_keys},
        {"a rest mode past the last", kRestModeValue, 3, defaults.RestMode, 0, default_keys},
        {"a negative rest mode", kRestModeValue, -1, defaults.RestMode, 0, default_keys},
        {"a bare letter as the call-up key", kHotKeyValues[0], 0x0041, 2, 0, default_keys},
        {"Shift and a function key", kHotKeyValues[0], 0x047B, 2, 0, default_keys},
        {"a bare function key", kHotKeyValues[0], 0x007A, 2, 0, default_keys},
        {"no key", kHotKeyValues[0], 0, 2, 0, default_keys},
        {"Ctrl and Alt without a key", kHotKeyValues[1], 0x0300, 2, 0, default_keys},
        {"Ctrl+Alt+Q", kHotKeyValues[1], 0x0351, 2, 0, {"activate 0", "set 1 849", "activate 1"}},
        {"a bare letter above 16 bits", kHotKeyValues[1], 0x30041, 2, 0, default_keys},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fresh_store();
        store().open_key(kSettingsKey)->write_integer(c.value_name, c.stored);
        SettingsStore settings_store(store(), FixedPath());
        Settings settings;
        RecordingHotKeys hot_keys;
        settings_store.load(settings, hot_keys);
        EXPECT_EQ(settings.RestMode, c.rest_mode);
        EXPECT_EQ(settings.StartDummyTime, c.boot_grace);
        EXPECT_EQ(hot_keys.calls, c.hot_key_calls);
        EXPECT_EQ(store().open_key(kSettingsKey)->read_integer(c.value_name), c.stored) << "the stored value stays";
    }
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
                    key->write_integer(name, std::string_view(name) == kRestModeValue     ? 1
                                             : std::string_view(name) == kHotKeyValues[0] ? 0x0351
                                                                                          : 0);
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
                    : std::vector<std::string>{"set 0 849", "activate 0", "activate 1"};
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
        {"on by default, no value", std::nullopt, std::nullopt, kRunCommand},
        {"on, the program was moved", 1, kOtherPath, kRunCommand},
        {"on, path in other letter case is rewritten", 1, "\"c:\\programs\\vistrel\\vistrel.exe\"", kRunCommand},
        {"on and right", 1, kRunCommand, kRunCommand},
        {"on, the bare path an older version wrote is quoted", 1, kPath, kRunCommand},
        {"off, a leftover value is deleted", 0, kOtherPath, std::nullopt},
        {"off, an older version's bare path is deleted", 0, kPath, std::nullopt},
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
        EXPECT_EQ(run_value(store()), first ? std::nullopt : std::optional<std::string>(kRunCommand));

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
