#pragma once

#include <string>

#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/group_box.h"
#include "framework/label.h"
#include "framework/page_control.h"
#include "framework/program_style.h"
#include "framework/radio_button.h"
#include "framework/spin_edit.h"

namespace vistrel::app {

/// Caption of the program's notices and questions (UTF-8, as the message port takes its texts).
inline constexpr char kNoticeCaption[] = "提示";

/// Formats of every date and time the window shows and reads.
inline constexpr wchar_t kDateFormat[] = L"yyyy-MM-dd";
inline constexpr wchar_t kTimeFormat[] = L"HH:mm:ss";

// Small factories for the pages' controls: each is owned by the form and placed on a parent.

inline TTabSheet* add_page(TComponent& owner, TPageControl& pages, const std::wstring& caption) {
    auto* page = new TTabSheet(&owner);
    page->SetPageControl(&pages);
    page->SetCaption(caption);
    return page;
}

inline TGroupBox* add_group(TComponent& owner, TWinControl& parent, const std::wstring& caption, RECT bounds) {
    auto* group = new TGroupBox(&owner);
    group->SetParent(&parent);
    group->SetCaption(caption);
    group->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return group;
}

inline TLabel* add_label(TComponent& owner, TWinControl& parent, const std::wstring& caption, int left, int top) {
    auto* label = new TLabel(&owner);
    label->SetParent(&parent);
    label->SetTransparent(true);
    label->SetAutoSize(true);
    label->SetCaption(caption);
    label->SetBounds(left, top, label->Width(), label->Height());
    return label;
}

inline TDateTimePicker* add_picker(TComponent& owner,
                                   TWinControl& parent,
                                   TDateTimeKind kind,
                                   int left,
                                   int top,
                                   int width) {
    auto* picker = new TDateTimePicker(&owner);
    picker->SetParent(&parent);
    picker->SetKind(kind);
    picker->SetFormat(kind == dtkDate ? kDateFormat : kTimeFormat);
    picker->SetBounds(left, top, width, picker->Height());
    return picker;
}

inline TDateTimePicker* add_time_picker(TComponent& owner, TWinControl& parent, int left, int top, int width) {
    return add_picker(owner, parent, dtkTime, left, top, width);
}

inline TSpinEdit*
add_spin_edit(TComponent& owner, TWinControl& parent, int left, int top, int min_value, int max_value, int value) {
    auto* spin = new TSpinEdit(&owner);
    spin->SetParent(&parent);
    spin->SetBounds(left, top, 42, 21);
    spin->SetMinValue(min_value);
    spin->SetMaxValue(max_value);
    spin->SetValue(value);
    return spin;
}

inline TCheckBox* add_check_box(TComponent& owner,
                                TWinControl& parent,
                                const std::wstring& caption,
                                int left,
                                int top,
                                int width) {
    auto* box = new TCheckBox(&owner);
    box->SetParent(&parent);
    box->SetCaption(caption);
    box->SetBounds(left, top, width, box->Height());
    return box;
}

inline TRadioButton* add_radio_button(TComponent& owner,
                                      TWinControl& parent,
                                      const std::wstring& caption,
                                      int left,
                                      int top,
                                      int tag) {
    auto* button = new TRadioButton(&owner);
    button->SetParent(&parent);
    button->SetCaption(caption);
    button->SetBounds(left, top, 160, button->Height());
    button->Tag = tag;
    return button;
}

}  // namespace vistrel::app
