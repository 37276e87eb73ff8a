#include "framework/group_box.h"

#include <gtest/gtest.h>

#include "framework/check_box.h"
#include "framework/combo_box.h"
#include "framework/date_time_picker.h"
#include "framework/form.h"
#include "framework/label.h"
#include "framework/list_view.h"
#include "framework/program_style.h"
#include "framework/radio_button.h"
#include "framework/spin_edit.h"
#include "test_support.h"

namespace vistrel {
namespace {

TDateTime day(int year, int month, int day_of_month) {
    return static_cast<TDateTime>(day_number(year, month, day_of_month));
}

template <typename T>
T* place(TForm& form, TWinControl* parent, int left, int top, int width, int height, const wchar_t* caption = L"") {
    auto* control = new T(&form);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    if (*caption != L'\0') {
        control->SetCaption(caption);
    }
    return control;
}

TEST(GroupBox, FramesItsChildrenInTheParentsColour) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(40, 40, 200, 120);
    form.SetColor(kProgramGrey);
    auto* group = place<TGroupBox>(form, &form, 10, 10, 180, 100, L"执行日期");
    auto* radio = place<TRadioButton>(form, group, 10, 24, 80, 20, L"每天");
    form.Show();
    form.Update();
    group->Update();
    const pixels::PixelImage shot = testing_support::capture_window(group->Handle());
    const auto at = [&](int x, int y) {
        const pixels::Bgr c = shot.view().get(x, y);
        return RGB(c.r, c.g, c.b);
    };
    EXPECT_EQ(at(90, 70), RGB(223, 223, 223)) << testing_support::color_text(at(90, 70));
    EXPECT_NE(at(90, group->ClientHeight() - 2), RGB(223, 223, 223));  // the etched bottom line
    EXPECT_EQ(radio->Parent(), group);
    EXPECT_EQ(GetParent(radio->Handle()), group->Handle());
}

// A form holding every standard control, saved for people to look at.
TEST(StandardControls, Screenshot) {
    testing_support::park_pointer();
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(20, 20, 470, 330);
    form.SetColor(kProgramGrey);

    auto* date = place<TGroupBox>(form, &form, 6, 9, 169, 65, L"执行日期");
    place<TRadioButton>(form, date, 8, 18, 60, 17, L"每天");
    place<TRadioButton>(form, date, 80, 18, 60, 17, L"指定")->SetChecked(true);
    auto* date_picker = place<TDateTimePicker>(form, date, 8, 38, 150, 21);
    date_picker->SetFormat(L"yyyy-MM-dd");
    date_picker->SetDateTime(day(2005, 5, 18) + encode_time(0, 8, 0, 0, 0));

    auto* time_group = place<TGroupBox>(form, &form, 181, 9, 100, 65, L"执行时间");
    auto* time = place<TDateTimePicker>(form, time_group, 8, 24, 84, 21);
    time->SetKind(dtkTime);
    time->SetFormat(L"HH:mm:ss");
    time->SetDateTime(date_picker->DateTime());

    auto* kind = place<TGroupBox>(form, &form, 287, 9, 175, 65, L"任务类型");
    place<TRadioButton>(form, kind, 8, 18, 150, 17, L"消息提醒");
    place<TRadioButton>(form, kind, 8, 40, 150, 17, L"执行外部应用程序")->SetChecked(true);

    auto* shell = place<TGroupBox>(form, &form, 6, 80, 456, 70, L"外部应用程序启动设置");
    place<TLabel>(form, shell, 10, 22, 70, 17, L"启动方式:");
    auto* mode = place<TComboBox>(form, shell, 80, 18, 110, 21);
    for (const wchar_t* item : {L"默认窗口", L"最大化", L"最小化", L"隐藏窗口"}) {
        mode->Items().Add(item);
    }
    mode->SetItemIndex(0);
    place<TLabel>(form, shell, 210, 22, 110, 17, L"休息时长（分钟）");
    auto* spin = place<TSpinEdit>(form, shell, 330, 18, 60, 21);
    spin->SetMinValue(1);
    spin->SetMaxValue(60);
    spin->SetValue(5);
    place<TCheckBox>(form, shell, 10, 46, 200, 17, L"以强制方式执行休息 ")->SetChecked(true);

    auto* list = place<TListView>(form, &form, 6, 158, 456, 164);
    list->SetRowSelect(true);
    list->SetReadOnly(true);
    list->SetFlatScrollBars(true);
    list->SetHotTrack(true);
    for (const wchar_t* caption : {L"时间", L"休息时长（分钟）"}) {
        TListColumn* column = list->Columns().Add();
        column->SetCaption(caption);
        column->SetAutoSize(true);
    }
    for (const wchar_t* row : {L"08:00:00", L"09:00:00", L"10:00:00", L"11:00:00"}) {
        TListItem* item = list->Items().Add();
        item->SetCaption(row);
        item->SubItems().Add(L"5");
    }
    list->SetItemIndex(1);

    form.Show();
    list->SetFocus();
    testing_support::pump_messages(200);
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testing_support::save_screenshot(form.Handle(), "standard_controls");
    EXPECT_TRUE(IsWindowVisible(list->Handle()));
}

}  // namespace
}  // namespace vistrel
