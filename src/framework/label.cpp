#include "framework/label.h"

namespace vistrel {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool auto_size) {
    if (auto_size != auto_size_) {
        auto_size_ = auto_size;
        adjust_size();
    }
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        Invalidate();
    }
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment != alignment_) {
        alignment_ = alignment;
        Invalidate();
    }
}

void TLabel::SetWordWrap(bool word_wrap) {
    if (word_wrap != word_wrap_) {
        word_wrap_ = word_wrap;
        adjust_size();
        Invalidate();
    }
}

void TLabel::SetShowAccelChar(bool show) {
    if (show != show_accel_char_) {
        show_accel_char_ = show;
        adjust_size();
        Invalidate();
    }
}

UINT TLabel::text_format() const {
    constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    return DT_EXPANDTABS | kAlign[alignment_] | (word_wrap_ ? DT_WORDBREAK : 0U) |
           (show_accel_char_ ? 0U : DT_NOPREFIX);
}

void TLabel::adjust_size() {
    if (!auto_size_) {
        return;
    }
    TCanvas& canvas = measuring_canvas();
    canvas.Font().Assign(Font());
    // An empty caption still takes the height of one line.
    const std::wstring text = Caption().empty() ? L" " : Caption();
    RECT r{0, 0, word_wrap_ ? Width() : 0, 0};
    canvas.DrawText(text, r, text_format() | DT_CALCRECT);
    SetBounds(Left(), Top(), word_wrap_ ? Width() : r.right, r.bottom);
}

void TLabel::TextChanged() {
    adjust_size();
    TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
    adjust_size();
    TGraphicControl::FontChanged();
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(r);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    if (Enabled()) {
        canvas.DrawText(Caption(), r, text_format());
        return;
    }
    // Disabled text is embossed: highlight one pixel down and right, shadow on top.
    RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), shifted, text_format());
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(Caption(), r, text_format());
}

}  // namespace vistrel
