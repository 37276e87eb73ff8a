// Runs the built vistrel-schedule as a process on files in a temporary folder.

#include "support/schedule_bytes.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace vistrel {
namespace {

namespace fs = std::filesystem;
using namespace testing_support;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
    return text;
}

class ScheduleToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("vistrel-tool-" + std::to_string(random()));
        fs::create_directories(dir_);
        file_ = (dir_ / "Vistrel.dat").string();
        program_ = (dir_ / "prog.exe").string();
        write_bytes(program_, {'M', 'Z'});
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the tool; %FILE% and %EXE% in the arguments name the schedule file and an existing program.
    ToolRun run(const std::vector<std::string>& arguments) const {
        std::string command = quoted(VISTREL_SCHEDULE_TOOL);
        for (const std::string& argument : arguments) {
            command += " " + quoted(expand(argument));
        }
        const fs::path out = dir_ / "stdout.txt";
        const fs::path err = dir_ / "stderr.txt";
        command += " >" + quoted(out.string()) + " 2>" + quoted(err.string());
        const int raw = std::system(command.c_str());
        ToolRun result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = text_of(out);
        result.err = text_of(err);
        return result;
    }

    std::string expand(const std::string& text) const {
        return replaced(replaced(text, "%FILE%", file_), "%EXE%", program_);
    }

    static std::string text_of(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static Bytes read_bytes(const fs::path& path) {
        const std::string text = text_of(path);
        return {text.begin(), text.end()};
    }
    static void write_bytes(const fs::path& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // A file an older version saved first: no header, and bytes left over after its records. Any write shows.
    Bytes write_older_file() const {
        Bytes bytes = concat({Bytes(35, 0), Bytes{1, 0}, rest_record(le_double(0.5), 5), Bytes(40, 0xAB)});
        write_bytes(file_, bytes);
        return bytes;
    }

    fs::path dir_;
    std::string file_;
    std::string program_;
};

TEST_F(ScheduleToolTest, ShowPrintsEveryEntryWithoutWritingTheFile) {
    const Bytes bytes = concat({
        standard_header(2, 3),
        rest_record(le_double(0.5), 5),
        rest_record(le_double(0.75), 60),
        program_record(le_double(0.25), 6, 3, "C:\\Program Files\\x.exe", "-a\t1"),
        reminder_record(le_double(38490.5), 3, "\xD0\xDD\xCF\xA2\ta\\b\r\n"),
        reminder_record(le_double(38491.0), 3, ""),
    });
    write_bytes(file_, bytes);

    const ToolRun result = run({"show", "%FILE%"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "rest\t12:00:00\t5\n"
              "rest\t18:00:00\t60\n"
              "program\t06:00:00\t3\tC:\\\\Program Files\\\\x.exe\t-a\\t1\n"
              "reminder\t2005-05-18 12:00:00\t休息\\ta\\\\b\\r\\n\n"
              "reminder\t2005-05-19\t\n");
    EXPECT_EQ(read_bytes(file_), bytes);
}

TEST_F(ScheduleToolTest, ShowKeepsAFullPathApartFromItsArguments) {
    write_bytes(file_,
                concat({standard_header(0, 1), program_record(le_double(0.5), 6, 0, std::string(100, 'p'), "-x")}));
    EXPECT_EQ(run({"show", "%FILE%"}).out, "program\t12:00:00\t0\t" + std::string(100, 'p') + "\t-x\n");
}

TEST_F(ScheduleToolTest, EditingCommandsChangeTheTimetablesAsThePagesDo) {
    struct Case {
        const char* name;
        std::vector<std::vector<std::string>> commands;
        std::string shown;
    };
    const Case cases[] = {
        {"generated, then custom times added and changed",
         {{"generate", "%FILE%", "08:00:00", "12:00:00", "60", "5"},
          {"add-rest", "%FILE%", "08:30:00", "3"},
          {"add-rest", "%FILE%", "09:00:00", "7"}},
         "rest\t08:00:00\t5\nrest\t08:30:00\t3\nrest\t09:00:00\t7\nrest\t10:00:00\t5\nrest\t11:00:00\t5\n"},
        {"generation replaces custom times",
         {{"add-rest", "%FILE%", "12:34:56", "9"}, {"generate", "%FILE%", "08:00:00", "08:30:00", "60", "1"}},
         "rest\t08:00:00\t1\n"},
        {"begin not before end leaves no rests",
         {{"add-rest", "%FILE%", "12:34:56", "9"}, {"generate", "%FILE%", "18:00:00", "08:00:00", "60", "1"}},
         ""},
        {"every-day tasks before dated ones, texts kept with their blanks",
         {{"add-reminder", "%FILE%", "2098-05-18 08:00:00", "dated"},
          {"add-reminder", "%FILE%", "08:00:00", " daily "},
          {"add-program", "%FILE%", "23:00:00", "1", "%EXE%", "-x"}},
         "reminder\t08:00:00\t daily \nprogram\t23:00:00\t1\t%EXE%\t-x\nreminder\t2098-05-18 08:00:00\tdated\n"},
        {"a task at the same time is replaced whatever its kind",
         {{"add-reminder", "%FILE%", "07:00:00", "r"}, {"add-program", "%FILE%", "07:00:00", "0", "%EXE%"}},
         "program\t07:00:00\t0\t%EXE%\t\n"},
        {"a path with a trailing blank naming an existing file is kept as given",
         {{"add-program", "%FILE%", "07:00:00", "2", "%EXE% ", ""}},
         "program\t07:00:00\t2\t%EXE% \t\n"},
        {"remove a rest",
         {{"generate", "%FILE%", "08:00:00", "11:00:00", "60", "2"}, {"remove", "%FILE%", "rest", "09:00:00"}},
         "rest\t08:00:00\t2\nrest\t10:00:00\t2\n"},
        {"remove a dated task at midnight by its date",
         {{"add-reminder", "%FILE%", "2098-01-01 00:00:00", "x"},
          {"add-reminder", "%FILE%", "00:00:00", "y"},
          {"remove", "%FILE%", "task", "2098-01-01"}},
         "reminder\t00:00:00\ty\n"},
        {"clear one list only",
         {{"generate", "%FILE%", "08:00:00", "11:00:00", "60", "2"},
          {"add-reminder", "%FILE%", "08:00:00", "r"},
          {"clear", "%FILE%", "rest"}},
         "reminder\t08:00:00\tr\n"},
        {"reminder cut to 200 bytes",
         {{"add-reminder", "%FILE%", "08:00:00", std::string(250, 'a')}},
         "reminder\t08:00:00\t" + std::string(200, 'a') + "\n"},
        {"Chinese reminder cut between characters",
         {{"add-reminder", "%FILE%", "08:00:00",
           [] {
               std::string s;
               for (int i = 0; i < 101; ++i)
                   s += "汉";
               return s;
           }()}},
         "reminder\t08:00:00\t" +
             [] {
                 std::string s;
                 for (int i = 0; i < 100; ++i)
                     s += "汉";
                 return s;
             }() +
             "\n"},
        {"special characters escaped",
         {{"add-reminder", "%FILE%", "08:00:00", "a\tb\\c\nd"}},
         "reminder\t08:00:00\ta\\tb\\\\c\\nd\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(file_);
        for (const auto& command : c.commands) {
            const ToolRun result = run(command);
            ASSERT_EQ(result.status, 0) << command[0] << ": " << result.err;
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err, "");
        }
        const ToolRun shown = run({"show", "%FILE%"});
        EXPECT_EQ(shown.status, 0);
        EXPECT_EQ(shown.out, expand(c.shown));
    }
}

TEST_F(ScheduleToolTest, AChangeWritesTheWholeFileWithTheStandardHeader) {
    write_older_file();
    ASSERT_EQ(run({"add-rest", "%FILE%", "18:00:00", "2"}).status, 0);
    EXPECT_EQ(read_bytes(file_),
              concat({standard_header(2, 0), rest_record(le_double(0.5), 5), rest_record(le_double(0.75), 2)}));

    fs::remove(file_);
    ASSERT_EQ(run({"add-reminder", "%FILE%", "06:00:00", "休息"}).status, 0);
    EXPECT_EQ(read_bytes(file_),
              concat({standard_header(0, 1), reminder_record(le_double(0.25), 2, "\xD0\xDD\xCF\xA2")}));
}

TEST_F(ScheduleToolTest, RefusedCommandsSayWhyAndLeaveTheFileAsItWas) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"generate", "%FILE%", "08:00:00", "18:00:00", "10", "10"}, 1, "休息时间小于时间间隔！"},
        {{"add-reminder", "%FILE%", "08:00:00", " \t "}, 1, "请输入提醒内容！"},
        {{"add-reminder", "%FILE%", "2000-01-01 08:00:00", "late"}, 1, "您指定的时间已经过期！"},
        {{"add-program", "%FILE%", "2000-01-01 08:00:00", "0", "%EXE%"}, 1, "您指定的时间已经过期！"},
        {{"add-program", "%FILE%", "08:00:00", "0", "%EXE%.missing"}, 1, "无效的应用程序路径！"},
        {{"add-program", "%FILE%", "08:00:00", "0", "   "}, 1, "无效的应用程序路径！"},
        {{"add-program", "%FILE%", "08:00:00", "0", "/"}, 1, "无效的应用程序路径！"},
        {{"add-program", "%FILE%", "08:00:00", "0", "prog.exe"}, 1, "无效的应用程序路径！"},
        {{"add-program", "%FILE%", "08:00:00", "0", "%FILE%"}, 1, "无效的应用程序路径！"},
        {{"generate", "%FILE%", "08:00:00", "18:00:00", "9", "5"}, 1, "span minutes out of range (10-180): 9"},
        {{"generate", "%FILE%", "08:00:00", "18:00:00", "181", "5"}, 1, "span minutes out of range (10-180): 181"},
        {{"add-rest", "%FILE%", "08:00:00", "0"}, 1, "rest minutes out of range (1-60): 0"},
        {{"add-rest", "%FILE%", "08:00:00", "61"}, 1, "rest minutes out of range (1-60): 61"},
        {{"add-rest", "%FILE%", "08:00:00", "5x"}, 1, "rest minutes is not a number: '5x'"},
        {{"add-rest", "%FILE%", "24:00:00", "5"}, 1, "hour out of range (0-23): 24"},
        {{"add-rest", "%FILE%", "08:60:00", "5"}, 1, "minute out of range (0-59): 60"},
        {{"add-rest", "%FILE%", "08:00:60", "5"}, 1, "second out of range (0-59): 60"},
        {{"add-rest", "%FILE%", "2098-01-01 08:00:00", "5"}, 1, "expected HH:MM:SS"},
        {{"add-rest", "%FILE%", "8 o'clock", "5"}, 1, "invalid time"},
        {{"add-program", "%FILE%", "08:00:00", "4", "%EXE%"}, 1, "run mode out of range (0-3): 4"},
        {{"add-reminder", "%FILE%", "2098-02-30 08:00:00", "x"}, 1, "invalid date"},
        {{"add-reminder", "%FILE%", "2200-01-01 08:00:00", "x"}, 1, "date out of range"},
        {{"add-reminder", "%FILE%", "2098-01-01", "x"}, 1, "invalid time"},
        {{"add-reminder", "%FILE%", "08:00:00", "😀"}, 1, "cannot be stored"},
        {{"remove", "%FILE%", "rest", "13:00:00"}, 1, "no rest entry at 13:00:00"},
        {{"remove", "%FILE%", "task", "12:00:00"}, 1, "no task entry at 12:00:00"},
        {{"remove", "%FILE%", "rest", "noon"}, 1, "invalid time 'noon'"},
        {{"remove", "%FILE%", "both", "12:00:00"}, 2, "'rest' or 'task'"},
        {{"clear", "%FILE%", "tasks"}, 2, "'rest' or 'task'"},
        {{"add-rest", "%FILE%", "08:00:00"}, 2, "wrong number of arguments"},
        {{"add-program", "%FILE%", "08:00:00", "0", "%EXE%", "-x", "extra"}, 2, "wrong number of arguments"},
        {{"frobnicate", "%FILE%"}, 2, "unknown command 'frobnicate'"},
        {{}, 2, "no command given"},
    };
    const Bytes before = write_older_file();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? std::string("(none)") : c.arguments[0] + " " + c.message);
        const ToolRun result = run(c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(read_bytes(file_), before);
    }
}

TEST_F(ScheduleToolTest, AFullListRefusesANewTimeButTakesAChangedOne) {
    Bytes bytes = standard_header(255, 0);
    for (int minute = 0; minute < 255; ++minute) {
        bytes = concat({bytes, rest_record(le_double(minute / 1440.0), 1)});
    }
    write_bytes(file_, bytes);
    const ToolRun refused = run({"add-rest", "%FILE%", "23:00:00", "5"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("the rest list is full (255 entries)"), std::string::npos) << refused.err;
    EXPECT_EQ(read_bytes(file_), bytes);

    EXPECT_EQ(run({"add-rest", "%FILE%", "00:00:00", "5"}).status, 0);
    EXPECT_EQ(run({"show", "%FILE%"}).out.substr(0, 18), "rest\t00:00:00\t5\nre");
}

TEST_F(ScheduleToolTest, AFileThatCannotBeWrittenIsReported) {
    const fs::path nowhere = dir_ / "no such folder" / "Vistrel.dat";
    const ToolRun result = run({"add-rest", nowhere.string(), "08:00:00", "5"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

TEST_F(ScheduleToolTest, ShowOfAMissingFileFailsWithoutCreatingIt) {
    const ToolRun result = run({"show", "%FILE%"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot read"), std::string::npos);
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(ScheduleToolTest, ShowAndSimulateSayOnStandardErrorHowManyEntriesTheyLeftOut) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::string left_out;  // on standard error; empty: nothing
    };
    const Case cases[] = {
        {"a sound file", concat({standard_header(1, 0), rest_record(le_double(0.5), 5)}), ""},
        {"a rest of 200 minutes",
         concat({standard_header(2, 0), rest_record(le_double(0.25), 200), rest_record(le_double(0.5), 5)}),
         "left out 1 entry of '%FILE%' that could not be read (damaged)"},
        {"a rest at no time, a reminder with an unknown flag and a task promised but missing",
         concat({standard_header(2, 2), rest_record(le_double(std::nan("")), 5), rest_record(le_double(0.5), 5),
                 reminder_record(le_double(0.75), 2 | 8, "x")}),
         "left out 3 entries of '%FILE%' that could not be read (damaged)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(file_, c.bytes);
        const ToolRun shown = run({"show", "%FILE%"});
        EXPECT_EQ(shown.status, 0);
        EXPECT_EQ(shown.out, "rest\t12:00:00\t5\n");
        const ToolRun simulated = run({"simulate", "%FILE%", "--from", "2024-05-18 00:00:00", "--to",
                                       "2024-05-19 00:00:00", "--compulsory", "0"});
        EXPECT_EQ(simulated.status, 0);
        EXPECT_NE(simulated.out.find("2024-05-18 12:00:00.000\trest\t2"), std::string::npos) << simulated.out;
        const std::string expected = c.left_out.empty() ? "" : "vistrel-schedule: " + expand(c.left_out) + "\n";
        EXPECT_EQ(shown.err, expected);
        EXPECT_EQ(simulated.err, expected);
        EXPECT_EQ(read_bytes(file_), c.bytes);
    }
}

TEST_F(ScheduleToolTest, AFileThatIsNoScheduleIsNeitherShownNorChanged) {
    const Bytes bytes(300, 'X');
    write_bytes(file_, bytes);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"show", "%FILE%"},
          {"simulate", "%FILE%", "--from", "2024-05-18 00:00:00", "--to", "2024-05-19 00:00:00"},
          {"add-rest", "%FILE%", "08:00:00", "5"}}) {
        SCOPED_TRACE(arguments[0]);
        const ToolRun result = run(arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find("cannot read '" + file_ + "': it is not a Vistrel schedule file"), std::string::npos)
            << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(read_bytes(file_), bytes);
    }
    EXPECT_FALSE(fs::exists(file_ + ".bad"));
}

TEST_F(ScheduleToolTest, AChangeToADamagedFileKeepsItBesideFirst) {
    const Bytes damaged =
        concat({standard_header(2, 0), rest_record(le_double(0.25), 0), rest_record(le_double(0.5), 5)});
    write_bytes(file_, damaged);
    const ToolRun result = run({"add-rest", "%FILE%", "18:00:00", "2"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.err.find("left out 1 entry"), std::string::npos) << result.err;
    EXPECT_EQ(read_bytes(file_ + ".bad"), damaged);
    EXPECT_EQ(run({"show", "%FILE%"}).out, "rest\t12:00:00\t5\nrest\t18:00:00\t2\n");
}

TEST_F(ScheduleToolTest, HelpExplainsEveryCommand) {
    const ToolRun result = run({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* command : {"show", "add-rest", "generate", "add-reminder", "add-program", "remove", "clear"}) {
        EXPECT_NE(result.out.find(std::string("vistrel-schedule ") + command + " FILE"), std::string::npos) << command;
    }
}

}  // namespace
}  // namespace vistrel
