#include "framework/date_time_picker.h"

#include <gtest/gtest.h>

#include "framework/form.h"
#include "test_support.h"

namespace vistrel {
namespace {

TDateTime day(int year, int month, int day_of_month) {
    return static_cast<TDateTime>(day_number(year, month, day_of_month));
}

class DateTimePickerTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(60, 60, 300, 80);
        picker = new TDateTimePicker(&form);
        picker->SetParent(&form);
        picker->SetBounds(10, 10, 150, 22);
        picker->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, picker);
            ++changes;
        };
        form.Show();
    }

    SYSTEMTIME shown() {
        SYSTEMTIME time{};
        EXPECT_EQ(SendMessageW(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)), GDT_VALID);
        return time;
    }

    TForm form{nullptr};
    TDateTimePicker* picker = nullptr;
    int changes = 0;
};

TEST(SystemTime, ConvertsBothWaysExactlyToTheSecond) {
    struct Case {
        const char* name;
        int year, month, day, hour, minute, second;
    };
    const Case cases[] = {
        {"first day", 1899, 12, 30, 0, 0, 0},   {"leap day", 2024, 2, 29, 23, 59, 59},
        {"new year", 2000, 1, 1, 0, 0, 1},      {"century not leap", 2100, 3, 1, 12, 30, 0},
        {"schedule day", 2005, 5, 18, 8, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto days = static_cast<std::uint32_t>(day_number(c.year, c.month, c.day));
        const TDateTime value =
            encode_time(days, static_cast<std::uint32_t>(c.hour), static_cast<std::uint32_t>(c.minute),
                        static_cast<std::uint32_t>(c.second), 0);
        const SYSTEMTIME time = to_system_time(value);
        EXPECT_EQ(time.wYear, c.year);
        EXPECT_EQ(time.wMonth, c.month);
        EXPECT_EQ(time.wDay, c.day);
        EXPECT_EQ(time.wHour, c.hour);
        EXPECT_EQ(time.wMinute, c.minute);
        EXPECT_EQ(time.wSecond, c.second);
        EXPECT_EQ(time.wMilliseconds, 0);
        EXPECT_EQ(from_system_time(time), value);  // exactly, not nearly
    }
    EXPECT_EQ(to_system_time(0).wDayOfWeek, 6);  // 1899-12-30 was a Saturday
}

TEST_F(DateTimePickerTest, ValuesSetFromCodeAreShownAndReadBackExactly) {
    const TDateTime date = day(2024, 2, 29);
    const TDateTime time = encode_time(0, 23, 59, 59, 0);
    picker->SetDate(date);
    picker->SetTime(time);
    EXPECT_EQ(picker->DateTime(), date + time);
    EXPECT_EQ(picker->Date(), date);
    EXPECT_EQ(picker->Time(), time);
    const SYSTEMTIME s = shown();
    EXPECT_EQ(s.wYear, 2024);
    EXPECT_EQ(s.wDay, 29);
    EXPECT_EQ(s.wSecond, 59);
    picker->SetDate(date + 1 + time);  // the time of a date is not its business, nor the days of a time
    EXPECT_EQ(picker->Time(), time);
    picker->SetTime(time + 5);
    EXPECT_EQ(picker->Date(), date + 1);
    EXPECT_EQ(changes, 0);  // changes made by the program raise no event
}

TEST_F(DateTimePickerTest, AUserChangeIsReadFromThePickerAndRaisesOnChange) {
    picker->SetKind(dtkTime);
    picker->SetFormat(L"HH:mm:ss");
    picker->SetDateTime(day(2005, 5, 18) + encode_time(0, 8, 0, 0, 0));
    NMDATETIMECHANGE change{};
    change.nmhdr = {picker->Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(picker->Handle())), DTN_DATETIMECHANGE};
    change.dwFlags = GDT_VALID;
    change.st = shown();
    change.st.wHour = 17;
    change.st.wSecond = 30;
    SendMessageW(form.Handle(), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picker->Time(), encode_time(0, 17, 0, 30, 0));
    EXPECT_EQ(picker->Date(), day(2005, 5, 18));
    EXPECT_NE(GetWindowLongPtrW(picker->Handle(), GWL_STYLE) & DTS_TIMEFORMAT, 0);
}

}  // namespace
}  // namespace vistrel
