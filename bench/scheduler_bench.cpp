// The scheduler's hot paths: rebuilding the due chain of full timetables, and a year of schedule on the virtual
// clock as vistrel-schedule simulate runs it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <ostream>
#include <streambuf>

#include "engine/schedule_file.h"
#include "engine/scheduler.h"
#include "engine/silent_ports.h"
#include "engine/virtual_clock.h"
#include "schedule_tool.h"

namespace vistrel {
namespace {

constexpr std::uint32_t kFirstDay = 45292;  // 2024-01-01

class NoPrograms final : public ProgramStarter {
public:
    ProgramFailure missing_file(std::string_view) override { return std::nullopt; }
    ProgramFailure start(std::string_view, int) override { return std::nullopt; }
};

// Both timetables full: 255 rests of a minute spread over the day, 255 tasks of every kind, a fifth of them dated
// over the coming year.
void fill(Schedule& schedule) {
    for (unsigned i = 0; i < kMaxEntries; ++i) {
        (void)insert_rest(schedule.rest_list, encode_time(0, 0, 0, i * 338 + 1, 0), 1);
    }
    for (unsigned i = 0; i < kMaxEntries; ++i) {
        const bool dated = i % 5 == 0;
        const std::uint32_t day = dated ? kFirstDay + i * 13 % 365 : 0;
        TaskPayload payload;
        auto flags = static_cast<std::uint8_t>(ENTRY_TASK | (dated ? ENTRY_DATED : 0));
        if (i % 3 == 0) {
            flags |= ENTRY_PROGRAM;
            payload.shell_path = "C:\\Windows\\notepad.exe";
            payload.command_line = "notes.txt";
        } else {
            payload.remind_info = "drink water";
        }
        (void)insert_task(schedule.task_list, encode_time(day, 0, 0, i * 331 + 7, 0), flags, payload);
    }
}

void BM_RebuildDueChain(benchmark::State& state) {
    Schedule schedule;
    fill(schedule);
    const Settings settings;
    VirtualClock clock(encode_time(kFirstDay, 12, 0, 0, 0));
    VirtualTimer Timer1(clock);
    VirtualTimer Timer_day(clock);
    SilentMessages messages;
    SilentTray tray;
    SilentDesktop desktop;
    NoPrograms programs;
    Scheduler scheduler(schedule, settings, {clock, Timer1, Timer_day, messages, tray, desktop, programs});
    scheduler.change_run_or_pause();
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark library's loop
        scheduler.rebuild_due_chain();
        benchmark::DoNotOptimize(scheduler.next_due());
    }
    state.SetItemsProcessed(state.iterations() * 2 * kMaxEntries);
}
BENCHMARK(BM_RebuildDueChain)->Unit(benchmark::kMicrosecond);

// Swallows the preview's output.
class NullBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// A year of the full timetables through vistrel-schedule simulate; the counter "simulated" is simulated seconds per
// real second. Argument: compulsory rests (ticking every second while they last) or not.
void BM_SimulateYear(benchmark::State& state) {
    Schedule schedule;
    fill(schedule);
    const auto file = std::filesystem::temp_directory_path() / "vistrel-bench.dat";
    if (save_schedule(file, schedule).result != SaveResult::saved) {
        state.SkipWithError("cannot write the schedule file");
        return;
    }
    NullBuffer buffer;
    std::ostream out(&buffer);
    std::ostream err(&buffer);
    const std::vector<std::string> arguments = {
        "simulate", file.string(),         "--from",       "2024-01-01 00:00:00",
        "--to",     "2024-12-31 00:00:00", "--compulsory", state.range(0) != 0 ? "1" : "0"};
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark library's loop
        if (tool::run_schedule_tool(arguments, 0.0, out, err) != tool::kExitOk) {
            state.SkipWithError("simulate failed");
        }
    }
    std::filesystem::remove(file);
    state.counters["simulated"] = benchmark::Counter(365.0 * 86400.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SimulateYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vistrel
