#pragma once

#include <string>

#include "engine/date_time.h"
#include "framework/win_control.h"

namespace vistrel {

enum TDateTimeKind { dtkDate, dtkTime };

/// The system date and time picker, showing a date or a time of day of one TDateTime value.
class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    /// The date and the time of day together, milliseconds included.
    TDateTime DateTime() const { return date_ + time_; }
    void SetDateTime(TDateTime value);
    /// The whole days of the value.
    TDateTime Date() const { return date_; }
    /// Replaces the date, keeping the time of day.
    void SetDate(TDateTime date);
    /// The time of day of the value, exactly as it was set or as the user picked it.
    TDateTime Time() const { return time_; }
    /// Replaces the time of day, keeping the date.
    void SetTime(TDateTime time);
    /// A display format such as "yyyy-MM-dd" or "HH:mm:ss"; empty for the system's own.
    const std::wstring& Format() const { return format_; }
    void SetFormat(const std::wstring& format);

    /// Raised after the user changed the value.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void show_value();

    TDateTimeKind kind_ = dtkDate;
    // Kept apart, so the time of day reads back exactly: (days + time) - days need not equal time.
    TDateTime date_ = 0;
    TDateTime time_ = 0;
    std::wstring format_;
};

/// The calendar parts of a time, for the system's date controls.
SYSTEMTIME to_system_time(TDateTime value);
/// The time of a calendar date and time of day given in parts.
TDateTime from_system_time(const SYSTEMTIME& time);

}  // namespace vistrel
