#include "framework/date_time_picker.h"

#include <algorithm>
#include <cmath>

namespace vistrel {
namespace {

void require_date_class() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_DATE_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

struct CivilDate {
    int year;
    int month;
    int day;
};

// Proleptic Gregorian date of a day number counted from 1899-12-30.
CivilDate civil_date(std::int64_t days) {
    const std::int64_t z = days + 693899;  // days since 0000-03-01
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t day_of_era = z - era * 146097;
    const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
    const auto day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
    const auto month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    const auto year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

}  // namespace

SYSTEMTIME to_system_time(TDateTime value) {
    auto days = static_cast<std::int64_t>(std::floor(value));
    auto ms = std::llround((value - static_cast<double>(days)) * kMsPerDay);
    if (ms >= static_cast<long long>(kMsPerDay)) {
        ++days;
        ms = 0;
    }
    const CivilDate date = civil_date(days);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    time.wDayOfWeek = static_cast<WORD>(((days % 7) + 13) % 7);  // day 0 was a Saturday
    time.wHour = static_cast<WORD>(ms / 3600000);
    time.wMinute = static_cast<WORD>(ms / 60000 % 60);
    time.wSecond = static_cast<WORD>(ms / 1000 % 60);
    time.wMilliseconds = static_cast<WORD>(ms % 1000);
    return time;
}

TDateTime from_system_time(const SYSTEMTIME& time) {
    // The picker's range starts at day 0, so the day number is never negative.
    const auto days =
        static_cast<std::uint32_t>(std::max<std::int64_t>(0, day_number(time.wYear, time.wMonth, time.wDay)));
    return encode_time(days, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetColor(clWindow);
    SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    require_date_class();
    TWinControl::CreateParams(params);
    params.base_class = DATETIMEPICK_CLASSW;
    params.class_name = L"VistrelDateTimePicker";
    params.style |= kind_ == dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
}

void TDateTimePicker::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format_.empty() ? nullptr : format_.c_str()));
    // Times are days counted from 1899-12-30; nothing earlier can be picked.
    SYSTEMTIME range[2]{to_system_time(0), {}};
    SendMessageW(Handle(), DTM_SETRANGE, GDTR_MIN, reinterpret_cast<LPARAM>(range));
    show_value();
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind != kind_) {
        kind_ = kind;
        // The kind is a style fixed when the window is made.
        if (HandleAllocated()) {
            DestroyHandle();
            HandleNeeded();
        }
    }
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    date_ = std::floor(value);
    time_ = value - date_;
    show_value();
}

void TDateTimePicker::SetDate(TDateTime date) {
    date_ = std::floor(date);
    show_value();
}

void TDateTimePicker::SetTime(TDateTime time) {
    time_ = time - std::floor(time);
    show_value();
}

void TDateTimePicker::SetFormat(const std::wstring& format) {
    format_ = format;
    if (HandleAllocated()) {
        SendMessageW(Handle(), DTM_SETFORMATW, 0,
                     reinterpret_cast<LPARAM>(format_.empty() ? nullptr : format_.c_str()));
    }
}

void TDateTimePicker::show_value() {
    if (HandleAllocated()) {
        const SYSTEMTIME time = to_system_time(DateTime());
        SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
}

std::optional<LRESULT> TDateTimePicker::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lparam)->code == DTN_DATETIMECHANGE) {
        const auto& change = *reinterpret_cast<const NMDATETIMECHANGE*>(lparam);
        if (change.dwFlags == GDT_VALID) {
            const SYSTEMTIME& st = change.st;
            date_ = std::floor(from_system_time(st));
            time_ = encode_time(0, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
            if (OnChange) {
                OnChange(this);
            }
        }
        return 0;
    }
    return TWinControl::reflected_message(message, wparam, lparam);
}

}  // namespace vistrel
