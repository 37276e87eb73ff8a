#pragma once

#include "framework/strings.h"
#include "framework/win_control.h"

namespace vistrel {

class TComboBox;

/// The entries of a combo box's list.
class TComboBoxItems : public TStrings {
public:
    explicit TComboBoxItems(TComboBox& combo_box) : combo_box_(combo_box) {}

protected:
    void Inserted(int index) override;
    void Cleared() override;

private:
    friend class TComboBox;
    TComboBox& combo_box_;
};

/// The system combo box as a fixed drop-down list: the user picks one of Items.
class TComboBox final : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);

    TComboBoxItems& Items() { return items_; }
    /// The chosen entry, -1 when none is.
    int ItemIndex() const { return item_index_; }
    void SetItemIndex(int index);
    /// How many entries the open list shows before it scrolls.
    int DropDownCount = 8;
    void SetBounds(int left, int top, int width, int height) override;

    /// Raised after the user chose another entry.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    friend class TComboBoxItems;
    /// The window's height with the open list, which the system takes as one.
    int height_with_list(int height) const;

    TComboBoxItems items_{*this};
    int item_index_ = -1;
};

}  // namespace vistrel
