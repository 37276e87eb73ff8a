#include "engine/settings.h"

namespace vistrel {
namespace {

void read_boolean(const KeyValueKey& key, std::string_view name, bool& option) {
    if (auto value = key.read_integer(name)) {
        option = *value != 0;
    }
}

void read_integer(const KeyValueKey& key, std::string_view name, std::int32_t& option) {
    if (auto value = key.read_integer(name)) {
        option = *value;
    }
}

}  // namespace

SettingsStore::SettingsStore(KeyValueStore& store, const ExecutablePath& executable)
    : store_(store), executable_path_(executable.executable_path()) {}

void SettingsStore::load(Settings& settings, HotKeyItems& hot_keys) {
    if (auto key = store_.open_key(kSettingsKey)) {
        if (key->read_string(kVersionValue).value_or(std::string()) != kSettingsVersion) {
            key->write_string(kVersionValue, kSettingsVersion);
        }
        read_boolean(*key, kAutoRunValue, settings.AutoRun);
        read_boolean(*key, kAutoMinimizeValue, settings.AutoMinimize);
        read_boolean(*key, kCompulsoryRestValue, settings.CompulsoryRest);
        read_boolean(*key, kCompulsoryPremindValue, settings.CompulsoryPremind);
        read_integer(*key, kRestModeValue, settings.RestMode);
        read_integer(*key, kStartDummyTimeValue, settings.StartDummyTime);
        for (int item = 0; item < 2; ++item) {
            if (auto value = key->read_integer(kHotKeyValues[item])) {
                hot_keys.set_key_value(item, static_cast<std::uint16_t>(*value));
            }
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
    if (auto_run && current != executable_path_) {
        key->write_string(kRunValue, executable_path_);
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
            key->write_string(kRunValue, executable_path_);
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
