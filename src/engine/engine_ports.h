#pragma once

#include "engine/clock.h"
#include "engine/desktop.h"
#include "engine/message_service.h"
#include "engine/program_starter.h"
#include "engine/scheduler_events.h"
#include "engine/timer_port.h"
#include "engine/tray_icon.h"

namespace vistrel {

/// Everything the engine uses outside itself; none of it is owned by the engine and all must outlive it.
struct EnginePorts {
    Clock& clock;
    Timer& Timer1;     // the next due entry, or the one-second ticks of a compulsory rest
    Timer& Timer_day;  // the coming local midnight
    MessageService& zqInfo;
    TrayIcon& TrayIcon1;
    Desktop& desktop;
    ProgramStarter& programs;
    SchedulerEvents* events = nullptr;  // optional
};

}  // namespace vistrel
