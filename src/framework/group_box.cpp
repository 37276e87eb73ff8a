#include "framework/group_box.h"

namespace vistrel {

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.class_name = L"VistrelGroupBox";
    params.style |= WS_CLIPCHILDREN;
}

void TGroupBox::PaintWindow(HDC dc, const RECT& update) {
    const UniqueHbrush background(CreateSolidBrush(ColorToRGB(Color())));
    ::FillRect(dc, &update, background.get());
    const SelectGuard font(dc, Font().Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // The frame's top line runs through the middle of the caption.
    RECT frame = ClientRect();
    frame.top = metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = Caption();
    if (!caption.empty()) {
        RECT text{8, 0, 8, metrics.tmHeight};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CALCRECT | DT_SINGLELINE);
        text.right += 2;
        text.left -= 2;
        ::FillRect(dc, &text, background.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, Enabled() ? ColorToRGB(Font().Color()) : GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_SINGLELINE);
    }
    PaintControls(dc, update);
}

}  // namespace vistrel
