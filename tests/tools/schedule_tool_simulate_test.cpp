// vistrel-schedule simulate, run in-process on schedule files made in a temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "engine/schedule_file.h"
#include "schedule_tool.h"

namespace vistrel::tool {
namespace {

namespace fs = std::filesystem;

const TDateTime kDay = static_cast<double>(day_number(2024, 5, 18));

TDateTime at(unsigned hour, unsigned minute, unsigned second = 0) {
    return encode_time(0, hour, minute, second, 0);
}

struct Preview {
    int status = -1;
    std::vector<std::string> lines;
    std::string err;
};

class Simulate : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("vistrel-simulate-" + std::to_string(random()));
        fs::create_directories(dir_);
        file_ = (dir_ / "Vistrel.dat").string();
        program_ = (dir_ / "tool box.exe").string();
        std::ofstream(program_) << "MZ";
    }
    void TearDown() override { fs::remove_all(dir_); }

    void save(const Schedule& schedule) { ASSERT_EQ(save_schedule(file_, schedule).result, SaveResult::saved); }

    Preview simulate(std::vector<std::string> options) {
        options.insert(options.begin(), {"simulate", file_});
        std::ostringstream out;
        std::ostringstream err;
        Preview run;
        // The clock of the day the tool runs plays no part in a simulation.
        run.status = run_schedule_tool(options, 0.0, out, err);
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) {
            run.lines.push_back(line);
        }
        run.err = err.str();
        return run;
    }

    static TaskPayload reminder(const std::string& gbk) {
        TaskPayload payload;
        payload.remind_info = gbk;
        return payload;
    }
    static TaskPayload program(std::uint8_t run_mode, const std::string& path, const std::string& arguments) {
        TaskPayload payload;
        payload.run_mode = run_mode;
        payload.shell_path = path;
        payload.command_line = arguments;
        return payload;
    }

    fs::path dir_;
    std::string file_;
    std::string program_;
};

TEST_F(Simulate, PrintsEveryEventOfTheEngineInOrder) {
    Schedule schedule;
    ASSERT_TRUE(generate_rests(schedule.rest_list, at(8, 0), at(12, 0), 60, 5));
    ASSERT_TRUE(insert_task(schedule.task_list, at(9, 30), ENTRY_TASK, reminder("\xBA\xC8\xCB\xAE\t!")));
    ASSERT_TRUE(insert_task(schedule.task_list, at(10, 30), ENTRY_TASK | ENTRY_PROGRAM, program(1, program_, "-x y")));
    ASSERT_TRUE(insert_task(schedule.task_list, kDay + at(11, 0), ENTRY_TASK | ENTRY_PROGRAM | ENTRY_DATED,
                            program(2, program_, "")));
    save(schedule);
    const Preview run = simulate({"--from", "2024-05-18 08:30:00", "--to", "2024-05-18 12:00:00", "--premind", "1",
                                  "--pause", "2024-05-18 10:02:00", "--resume", "2024-05-18 10:20:00"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err, "");
    const std::string quoted = "\"" + program_ + "\"";
    EXPECT_EQ(
        run.lines,
        (std::vector<std::string>{
            "2024-05-18 08:30:00.000\tarm\t1740000\t1",    "2024-05-18 08:59:00.000\tpre-reminder",
            "2024-05-18 08:59:00.000\tarm\t60000\t0",      "2024-05-18 09:00:00.000\trest-begin\t5",
            "2024-05-18 09:05:00.000\trest-end",           "2024-05-18 09:05:00.000\tarm\t1500000\t0",
            "2024-05-18 09:30:00.000\treminder\t喝水\\t!", "2024-05-18 09:30:00.000\tarm\t1740000\t1",
            "2024-05-18 09:59:00.000\tpre-reminder",       "2024-05-18 09:59:00.000\tarm\t60000\t0",
            "2024-05-18 10:00:00.000\trest-begin\t5",      "2024-05-18 10:02:00.000\tpause",
            "2024-05-18 10:02:00.000\trest-end",           "2024-05-18 10:20:00.000\tresume",
            "2024-05-18 10:20:00.000\tarm\t600000\t0",     "2024-05-18 10:30:00.000\tprogram\t3\t" + quoted + " -x y",
            "2024-05-18 10:30:00.000\tarm\t1800000\t0",    "2024-05-18 11:00:00.000\tprogram\t6\t" + quoted,
            "2024-05-18 11:00:00.000\tarm\t100\t0",        "2024-05-18 11:00:00.100\trest-begin\t5",
            "2024-05-18 11:05:00.100\trest-end",
        }));
}

TEST_F(Simulate, AProgramThatWouldNotStartIsNamedWithWhy) {
    Schedule schedule;
    ASSERT_TRUE(insert_task(schedule.task_list, at(10, 0), ENTRY_TASK | ENTRY_PROGRAM, program(0, "tool box.exe", "")));
    ASSERT_TRUE(insert_task(schedule.task_list, at(10, 10), ENTRY_TASK | ENTRY_PROGRAM, program(0, file_, "")));
    ASSERT_TRUE(insert_task(schedule.task_list, at(10, 20), ENTRY_TASK | ENTRY_PROGRAM,
                            program(0, (dir_ / "gone.exe").string(), "")));
    save(schedule);
    const Preview run = simulate({"--from", "2024-05-18 09:59:00", "--to", "2024-05-18 10:30:00"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.lines, (std::vector<std::string>{
                             "2024-05-18 09:59:00.000\tarm\t60000\t0",
                             "2024-05-18 10:00:00.000\tprogram-refused\ttool box.exe",
                             "2024-05-18 10:00:00.000\tarm\t600000\t0",
                             "2024-05-18 10:10:00.000\tprogram-refused\t" + file_,
                             "2024-05-18 10:10:00.000\tarm\t600000\t0",
                             "2024-05-18 10:20:00.000\tprogram-missing\t" + (dir_ / "gone.exe").string(),
                         }));
}

TEST_F(Simulate, OptionsStandForTheSettings) {
    Schedule schedule;
    ASSERT_TRUE(insert_rest(schedule.rest_list, at(10, 0), 2));
    ASSERT_TRUE(insert_rest(schedule.rest_list, at(10, 30), 2));
    ASSERT_TRUE(insert_task(schedule.task_list, at(10, 10), ENTRY_TASK | ENTRY_PROGRAM,
                            program(3, (dir_ / "gone.exe").string(), "")));
    save(schedule);
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"not compulsory, monitor off",
         {"--compulsory", "0", "--mode", "1"},
         {"2024-05-18 09:59:30.000\tarm\t30000\t0", "2024-05-18 10:00:00.000\trest\t1",
          "2024-05-18 10:00:00.000\tarm\t600000\t0",
          "2024-05-18 10:10:00.000\tprogram-missing\t" + (dir_ / "gone.exe").string(),
          "2024-05-18 10:10:00.000\tarm\t1140000\t1", "2024-05-18 10:29:00.000\tarm\t60000\t0",
          "2024-05-18 10:30:00.000\trest\t1"}},
        {"within the grace period after start-up",
         {"--grace", "15", "--uptime", "5"},
         {"2024-05-18 09:59:30.000\tarm\t30000\t0", "2024-05-18 10:00:00.000\trest-skipped",
          "2024-05-18 10:00:00.000\tarm\t600000\t0",
          "2024-05-18 10:10:00.000\tprogram-missing\t" + (dir_ / "gone.exe").string(),
          "2024-05-18 10:10:00.000\tarm\t1140000\t1", "2024-05-18 10:29:00.000\tarm\t60000\t0",
          "2024-05-18 10:30:00.000\trest-begin\t2", "2024-05-18 10:32:00.000\trest-end"}},
        {"paused before the start: a pause when paused does nothing",
         {"--pause", "2024-05-18 09:00:00", "--pause", "2024-05-18 10:05:00", "--pause", "2024-05-18 10:06:00",
          "--resume", "2024-05-18 10:40:00"},
         {"2024-05-18 09:59:30.000\tarm\t30000\t0", "2024-05-18 10:00:00.000\trest-begin\t2",
          "2024-05-18 10:02:00.000\trest-end", "2024-05-18 10:02:00.000\tarm\t480000\t0",
          "2024-05-18 10:05:00.000\tpause", "2024-05-18 10:40:00.000\tresume"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> options = {"--from", "2024-05-18 09:59:30", "--to", "2024-05-18 10:45:00"};
        options.insert(options.end(), c.options.begin(), c.options.end());
        const Preview run = simulate(options);
        EXPECT_EQ(run.status, kExitOk) << run.err;
        EXPECT_EQ(run.lines, c.lines);
    }
}

TEST_F(Simulate, RunsOverMidnightIntoTheNextDays) {
    Schedule schedule;
    ASSERT_TRUE(insert_task(schedule.task_list, at(0, 0, 30), ENTRY_TASK, reminder("night")));
    save(schedule);
    const Preview run = simulate({"--from", "2024-05-18 23:59:00", "--to", "2024-05-20 00:01:00"});
    EXPECT_EQ(run.lines, (std::vector<std::string>{
                             "2024-05-19 00:00:00.000\tarm\t30000\t0",
                             "2024-05-19 00:00:30.000\treminder\tnight",
                             "2024-05-20 00:00:00.000\tarm\t30000\t0",
                             "2024-05-20 00:00:30.000\treminder\tnight",
                         }));
}

TEST_F(Simulate, ShowsSleepsAndClockSettings) {
    Schedule schedule;
    ASSERT_TRUE(insert_rest(schedule.rest_list, at(9, 0), 5));
    ASSERT_TRUE(insert_task(schedule.task_list, at(8, 30), ENTRY_TASK, reminder("morning")));
    ASSERT_TRUE(insert_task(schedule.task_list, at(10, 30), ENTRY_TASK, reminder("tea")));
    save(schedule);
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"asleep over a weekend: what fell due asleep is skipped, the next day runs whole",
         {"--from", "2024-05-17 10:00:00", "--to", "2024-05-20 09:10:00", "--sleep", "2024-05-17 11:00:00",
          "2024-05-20 08:00:00"},
         {"2024-05-17 10:00:00.000\tarm\t1800000\t0", "2024-05-17 10:30:00.000\treminder\ttea",
          "2024-05-17 11:00:00.000\tsleep", "2024-05-20 08:00:00.000\twake", "2024-05-20 08:00:00.000\tarm\t1800000\t0",
          "2024-05-20 08:30:00.000\treminder\tmorning", "2024-05-20 08:30:00.000\tarm\t1740000\t1",
          "2024-05-20 08:59:00.000\tarm\t60000\t0", "2024-05-20 09:00:00.000\trest-begin\t5",
          "2024-05-20 09:05:00.000\trest-end", "2024-05-20 09:05:00.000\tarm\t5100000\t0"}},
        {"the clock set forward during a rest: what it jumped over is skipped, what fell due after it runs",
         {"--from", "2024-05-20 08:59:30", "--to", "2024-05-20 10:40:00", "--set-clock", "2024-05-20 09:02:00",
          "2024-05-20 10:29:00"},
         {"2024-05-20 08:59:30.000\tarm\t30000\t0", "2024-05-20 09:00:00.000\trest-begin\t5",
          "2024-05-20 09:02:00.000\tclock\t2024-05-20 10:29:00", "2024-05-20 10:32:00.000\trest-end",
          "2024-05-20 10:32:00.000\tarm\t100\t0", "2024-05-20 10:32:00.100\treminder\ttea"}},
        {"the clock set back: what falls due again is repeated",
         {"--from", "2024-05-20 10:29:00", "--to", "2024-05-20 10:40:00", "--set-clock", "2024-05-20 10:35:00",
          "2024-05-20 10:25:00"},
         {"2024-05-20 10:29:00.000\tarm\t60000\t0", "2024-05-20 10:30:00.000\treminder\ttea",
          "2024-05-20 10:35:00.000\tclock\t2024-05-20 10:25:00", "2024-05-20 10:25:00.000\tarm\t300000\t0",
          "2024-05-20 10:30:00.000\treminder\ttea"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Preview run = simulate(c.options);
        EXPECT_EQ(run.status, kExitOk) << run.err;
        EXPECT_EQ(run.lines, c.lines);
    }
}

TEST_F(Simulate, RefusesWhatItCannotRunAndNeverWritesTheFile) {
    // The header an older version's first save left zero, which a save writes: a preview must leave it as it is.
    Schedule schedule;
    ASSERT_TRUE(insert_rest(schedule.rest_list, at(10, 0), 1));
    save(schedule);
    {
        std::fstream file(file_, std::ios::in | std::ios::out | std::ios::binary);
        file.write(std::string(35, '\0').data(), 35);
    }
    const auto bytes = [&] {
        std::ifstream in(file_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string before = bytes();
    EXPECT_EQ(simulate({"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 11:00:00"}).status, kExitOk);
    EXPECT_EQ(bytes(), before);

    struct Case {
        const char* name;
        std::vector<std::string> options;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"no end", {"--from", "2024-05-18 09:00:00"}, kExitUsage, "needs --from and --to"},
        {"end before start", {"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 08:00:00"}, kExitUsage, "before"},
        {"time without date", {"--from", "09:00:00", "--to", "2024-05-18 10:00:00"}, kExitUsage, "invalid time"},
        {"date without time", {"--from", "2024-05-18", "--to", "2024-05-18 10:00:00"}, kExitUsage, "invalid time"},
        {"impossible date",
         {"--from", "2024-02-30 09:00:00", "--to", "2024-05-18 10:00:00"},
         kExitUsage,
         "invalid time"},
        {"mode out of range",
         {"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 10:00:00", "--mode", "3"},
         kExitUsage,
         "--mode"},
        {"negative grace",
         {"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 10:00:00", "--grace", "-1"},
         kExitUsage,
         "--grace"},
        {"option without value",
         {"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 10:00:00", "--pause"},
         kExitUsage,
         "needs a value"},
        {"sleep without its wake",
         {"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 10:00:00", "--sleep", "2024-05-18 09:10:00"},
         kExitUsage,
         "needs two values"},
        {"wake before sleep",
         {"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 10:00:00", "--sleep", "2024-05-18 09:10:00",
          "2024-05-18 09:05:00"},
         kExitUsage,
         "--sleep must end after it begins"},
        {"clock set to no time",
         {"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 10:00:00", "--set-clock", "2024-05-18 09:10:00", "soon"},
         kExitUsage,
         "invalid time for --set-clock"},
        {"unknown option",
         {"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 10:00:00", "--fast", "1"},
         kExitUsage,
         "unknown option"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Preview run = simulate(c.options);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.lines.empty());
    }

    fs::remove(file_);
    const Preview missing = simulate({"--from", "2024-05-18 09:00:00", "--to", "2024-05-18 10:00:00"});
    EXPECT_EQ(missing.status, kExitFailure);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
    EXPECT_FALSE(fs::exists(file_));
}

}  // namespace
}  // namespace vistrel::tool
