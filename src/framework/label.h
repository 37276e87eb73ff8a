#pragma once

#include "framework/graphic_control.h"

namespace vistrel {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

/// Text painted on the parent; sizes itself to the text (line breaks make lines) while AutoSize.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool auto_size);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool word_wrap);
    /// Whether an "&" underlines the character after it (true) or is shown as typed (false).
    bool ShowAccelChar() const { return show_accel_char_; }
    void SetShowAccelChar(bool show);

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    UINT text_format() const;
    void adjust_size();

    bool auto_size_ = true;
    bool transparent_ = false;
    TAlignment alignment_ = taLeftJustify;
    bool word_wrap_ = false;
    bool show_accel_char_ = true;
};

}  // namespace vistrel
