// The tool's commands run in-process at a chosen time.

#include "schedule_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

namespace vistrel::tool {
namespace {

namespace fs = std::filesystem;

TEST(ScheduleToolClock, ADatedTaskInTheCurrentSecondIsAcceptedAndOneSecondEarlierIsNot) {
    std::random_device random;
    const fs::path file = fs::temp_directory_path() / ("vistrel-clock-" + std::to_string(random()) + ".dat");
    const TDateTime now = encode_time(38490, 8, 0, 0, 0);  // 2005-05-18 08:00:00
    struct Case {
        const char* time;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"2005-05-18 07:59:59", kExitFailure, "您指定的时间已经过期！"},
        {"2005-05-17 23:00:00", kExitFailure, "您指定的时间已经过期！"},
        {"2005-05-18 08:00:00", kExitOk, ""},
        {"2005-05-18 08:00:01", kExitOk, ""},
        {"07:00:00", kExitOk, ""},  // every day: never too late
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.time);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(run_schedule_tool({"add-reminder", file.string(), c.time, "x"}, now, out, err), c.status);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    std::ostringstream shown;
    std::ostringstream err;
    EXPECT_EQ(run_schedule_tool({"show", file.string()}, now, shown, err), kExitOk);
    EXPECT_EQ(shown.str(),
              "reminder\t07:00:00\tx\n"
              "reminder\t2005-05-18 08:00:00\tx\n"
              "reminder\t2005-05-18 08:00:01\tx\n");
    fs::remove(file);
}

}  // namespace
}  // namespace vistrel::tool
