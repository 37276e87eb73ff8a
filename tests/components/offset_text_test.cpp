#include "components/offset_text.h"

#include <gtest/gtest.h>

#include "printers.h"

namespace vistrel {
namespace {

TEST(OffsetText, ParsesFourSignedNumbersOrFails) {
    struct Case {
        std::wstring text;
        std::optional<RegionOffset> offset;
    };
    const Case cases[] = {
        {L"(0,0,0,0)", RegionOffset{0, 0, 0, 0}},
        {L"( 1, -2 ,3,4 )", RegionOffset{1, -2, 3, 4}},
        {L"\t (1,2,3,4) \r\n", RegionOffset{1, 2, 3, 4}},
        {L"(0-3,0,0,0)", RegionOffset{-3, 0, 0, 0}},
        {L"(--5,0,0,0)", RegionOffset{-5, 0, 0, 0}},
        {L"(1,2,3,4)abc", RegionOffset{1, 2, 3, 4}},
        {L"(-2147483648,2147483647,10,-10)", RegionOffset{-2147483647 - 1, 2147483647, 10, -10}},
        {L"(,,,)", RegionOffset{0, 0, 0, 0}},
        {L"(1 2,3,4,5)", RegionOffset{12, 3, 4, 5}},
        {L"(1,2,3)", std::nullopt},
        {L"1,2,3,4", std::nullopt},
        {L"(1,2,3,4,5)", std::nullopt},
        {L"(1,2,3,4", std::nullopt},
        {L"(1-2,3,4,5)", std::nullopt},  // a sign after digits is no sign
        {L"(1,2,\t3,4)", std::nullopt},  // only spaces are skipped inside
        {L"(1,2,3,x)", std::nullopt},
        {L"(2147483648,0,0,0)", std::nullopt},
        {L"(99999999999,0,0,0)", std::nullopt},
        {L"", std::nullopt},
        {L"   ", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        const auto offset = parse_offset_text(c.text);
        ASSERT_EQ(offset.has_value(), c.offset.has_value());
        if (offset) {
            EXPECT_EQ(*offset, *c.offset);
        }
    }
}

TEST(OffsetText, WritesWithoutBlanksAndReadsBack) {
    const RegionOffset offsets[] = {{0, 0, 0, 0}, {1, -2, 3, 4}, {-2147483647 - 1, 2147483647, -1, 10}};
    EXPECT_EQ(offset_text(offsets[0]), L"(0,0,0,0)");
    EXPECT_EQ(offset_text(offsets[1]), L"(1,-2,3,4)");
    for (const auto& offset : offsets) {
        EXPECT_EQ(parse_offset_text(offset_text(offset)), offset);
    }
}

}  // namespace
}  // namespace vistrel
