#pragma once

#include "engine/desktop.h"
#include "engine/key_value_store.h"
#include "engine/scheduler_events.h"

namespace vistrel::app {

/// Value under the settings key that is 1 while a compulsory rest keeps the task bar and the desktop hidden.
inline constexpr char kRestHidesDesktopValue[] = "RestHidesDesktop";

/// Makes sure that a compulsory rest never leaves the task bar and the desktop hidden for good: a running rest is
/// marked in the settings key, so that the next start brings them back after a copy that was killed mid-rest, and a
/// crash brings them back before the process goes.
class DesktopGuard final : public SchedulerEvents {
public:
    DesktopGuard(KeyValueStore& store, Desktop& desktop) : store_(store), desktop_(desktop) {}

    /// Shows the task bar and the desktop when the last copy ended during a compulsory rest, and clears the mark.
    void recover_from_last_run();
    /// From here on an unhandled exception shows the task bar and the desktop before the process ends.
    static void install_crash_filter();

    void rest_begin(const TimerEntry& entry) override;
    void rest_end() override;

private:
    void mark(bool hidden);

    KeyValueStore& store_;
    Desktop& desktop_;
};

}  // namespace vistrel::app
