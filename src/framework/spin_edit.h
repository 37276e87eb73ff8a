#pragma once

#include "framework/edit.h"

namespace vistrel {

/// A number field: an edit with up and down arrows. Any text can be typed; it is brought into
/// [MinValue, MaxValue] when the field loses the focus. OnChange follows every change of the text.
class TSpinEdit : public TCustomEdit {
public:
    explicit TSpinEdit(TComponent* owner);

    int MinValue() const { return min_value_; }
    void SetMinValue(int value) { min_value_ = value; }
    int MaxValue() const { return max_value_; }
    void SetMaxValue(int value) { max_value_ = value; }
    /// The number in the text, brought into range (text that is no number reads as MinValue).
    int Value() const;
    void SetValue(int value);
    int Increment = 1;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void BoundsChanged(bool resized) override;
    void FontChanged() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(wchar_t& key) override;

private:
    int clamp(long long value) const;
    void step(int direction);
    void place_arrows();

    int min_value_ = 0;
    int max_value_ = 100;
    UniqueHwnd arrows_;
};

}  // namespace vistrel
