#include "engine/power.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(PowerOffFlags, RecognisesOnlyTheTwoUpperCasedArguments) {
    struct Case {
        const wchar_t* argument;
        std::optional<unsigned> flags;
    };
    const Case cases[] = {
        {L"SHUTDOWN", 9u},          {L"RESET", 2u},
        {L"", std::nullopt},        {L"SHUTDOWNX", std::nullopt},
        {L"RESTART", std::nullopt}, {L"-SHUTDOWN", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "argument " << testing::PrintToString(std::wstring(c.argument)));
        EXPECT_EQ(power_off_flags(c.argument), c.flags);
    }
}

}  // namespace
}  // namespace vistrel
