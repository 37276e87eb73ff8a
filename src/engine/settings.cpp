#include "engine/settings.h"

#include <algorithm>

#include "engine/hot_key_rule.h"

namespace vistrel {
namespace {

void read_boolean(const KeyValueKey& key, std::string_view name, bool& option) {
    if (auto value = key.read_integer(name)) {
        option = *value != 0;
    }
}

// Values written by hand or by another program are held to what the settings page offers, so that the page shows
// the value in force: a boot grace of days would refuse every rest without a word.
void read_rest_mode(const KeyValueKey& key, std::int32_t& option) {
    if (auto value = key.read_integer(kRestModeValue); value && *value >= 0 && *value <= kRestModeMax) {
        option = *value;
    }
}

void read_boot_grace(const KeyValueKey& key, std::int32_t& option) {
    if (auto value = key.read_integer(kStartDummyTimeValue)) {
        option = std::clamp(*value, std::int32_t{0}, kStartDummyTimeMax);
    }
}

void read_hot_key(const KeyValueKey& key, int item, HotKeyItems& hot_keys) {
    if (auto value = key.read_integer(kHotKeyValues[item])) {
        // Only the low 16 bits are a key value.
        const auto key_value = static_cast<std::uint16_t>(*value);
        if (is_allowed_hot_key(key_value)) {
            hot_keys.set_key_value(item, key_value);
        }
    }
}

std::string quoted(std::string_view path) {
    return "\"" + std::string(path) + "\"";
}

}  // namespace

SettingsStore::SettingsStore(KeyValueStore& store, const ExecutablePath& executable)
    : store_(store), run_command_(quoted(executable.executable_path())) {}

void SettingsStore::load(Settings& settings, HotKeyItems& hot_keys) {
    if (auto key = store_.open_key(kSettingsKey)) {
        if (key->read_string(kVersionValue).value_or(std::string()) != kSettingsVersion) {
            key->write_string(kVersionValue, kSettingsVersion);
        }
        read_boolean(*key, kAutoRunValue, settings.AutoRun);
        read_boolean(*key, kAutoMinimizeValue, settings.AutoMinimize);
        read_boolean(*key, kCompulsoryRestValue, settings.CompulsoryRest);
        read_boolean(*key, kCompulsoryPremindValue, settings.CompulsoryPremind);
        read_rest_mode(*key, settings.RestMode);
        read_boot_grace(*key, settings.StartDummyTime);
        for (int item = 0; item < 2; ++item) {
            read_hot_key(*key, item, hot_keys);
            hot_keys.activate(item);
        }
    }
    reconcile_run_value(settings.AutoRun);
}

void SettingsStore::reconcile_run_value(bool auto_run) {
    auto key = store_.open_key(kRunKey);
    if (!key) {
        return;
    }
    const std::string current = key->read_string(kRunValue).value_or(std::string());
    // The unquoted path an older version wrote is Vistrel's own too: it is rewritten quoted.
    if (auto_run && current != run_command_) {
        key->write_string(kRunValue, run_command_);
    } else if (!auto_run && !current.empty()) {
        key->delete_value(kRunValue);
    }
}

void SettingsStore::switch_auto_run(Settings& settings, bool new_state) {
    if (new_state == settings.AutoRun) {
        return;
    }
    if (auto key = store_.open_key(kRunKey)) {
        if (settings.AutoRun) {
            key->delete_value(kRunValue);
        } else {
            key->write_string(kRunValue, run_command_);
        }
    }
    settings.AutoRun = !settings.AutoRun;
    write_setting(kAutoRunValue, settings.AutoRun ? 1 : 0);
}

bool SettingsStore::toggle_option(bool& option, std::string_view name, bool new_state) {
    if (new_state == option) {
        return false;
    }
    option = !option;
    write_setting(name, option ? 1 : 0);
    return true;
}

void SettingsStore::write_setting(std::string_view name, std::int32_t value) {
    if (auto key = store_.open_key(kSettingsKey)) {
        key->write_integer(name, value);
    }
}

}  // namespace vistrel
