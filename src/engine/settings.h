#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/key_value_store.h"

namespace vistrel {

/// The user's options; the defaults are those of a first start.
struct Settings {
    bool AutoRun = true;
    bool AutoMinimize = true;
    bool CompulsoryRest = true;
    bool CompulsoryPremind = false;
    std::int32_t RestMode = 2;        // 0 dialog, 1 monitor off, 2 the screen saver
    std::int32_t StartDummyTime = 0;  // minutes after the computer started in which rests are refused
};

/// What the settings page offers: the rest modes 0 to kRestModeMax, a boot grace of 0 to kStartDummyTimeMax
/// minutes. Stored values are held to it.
inline constexpr std::int32_t kRestModeMax = 2;
inline constexpr std::int32_t kStartDummyTimeMax = 60;

/// Where the options live, and the start-with-Windows value. The Run value holds the executable's path in quotes: a
/// path with blanks unquoted ("C:\Program Files\...") would let a "C:\Program.exe" start in its place.
inline constexpr char kSettingsKey[] = "SOFTWARE\\Tarnwick\\Vistrel";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "Vistrel";

/// Value names under kSettingsKey.
inline constexpr char kVersionValue[] = "Version";
inline constexpr char kAutoRunValue[] = "AutoRun";
inline constexpr char kAutoMinimizeValue[] = "AutoMinimize";
inline constexpr char kCompulsoryRestValue[] = "CompulsoryRest";
inline constexpr char kCompulsoryPremindValue[] = "CompulsoryPremind";
inline constexpr char kRestModeValue[] = "RestMode";
inline constexpr char kStartDummyTimeValue[] = "StartDummyTime";
inline constexpr char kHotKeyValues[2][8] = {"HotKey0", "HotKey1"};

inline constexpr char kSettingsVersion[] = "1.0";

/// The full path of the running executable, as the process reports it for its own module (UTF-8).
class ExecutablePath {
public:
    virtual ~ExecutablePath() = default;
    virtual std::string executable_path() const = 0;
};

/// The two items of the main window's hot-key component (0: show or hide the window, 1: the screen saver).
class HotKeyItems {
public:
    virtual ~HotKeyItems() = default;
    virtual void set_key_value(int item, std::uint16_t key_value) = 0;
    /// Registers the item's key with the system.
    virtual void activate(int item) = 0;
};

/// Reads and writes the options in a KeyValueStore, opening and closing a key for each operation.
class SettingsStore {
public:
    /// The executable's path is read once, here.
    SettingsStore(KeyValueStore& store, const ExecutablePath& executable);

    /// The load at start: reads every stored option into settings, gives the stored hot keys to their items and
    /// registers both, then makes the Run value agree with AutoRun. A value stored with the wrong type keeps its
    /// default, and so do a rest mode the page does not offer and a hot key is_allowed_hot_key refuses; a boot
    /// grace outside 0-60 minutes is held to the nearer end. A key that cannot be opened is skipped.
    void load(Settings& settings, HotKeyItems& hot_keys);

    /// The start-with-Windows check box was set to new_state.
    void switch_auto_run(Settings& settings, bool new_state);

    /// A check box of the settings page was set to new_state: when it differs from option, inverts the option and
    /// writes it under name. Returns whether the option changed.
    bool toggle_option(bool& option, std::string_view name, bool new_state);

    /// Writes one integer option; nothing is reported when the key cannot be opened.
    void write_setting(std::string_view name, std::int32_t value);

private:
    void reconcile_run_value(bool auto_run);

    KeyValueStore& store_;
    std::string run_command_;  // what the Run value holds: the executable's path in quotes
};

}  // namespace vistrel
