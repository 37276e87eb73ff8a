#include "components/Zqbutton.h"

#include "framework/program_style.h"

namespace vistrel {

TzqButton::TzqButton(TComponent* owner) : TButton(owner) {
    SetColor(kProgramGrey);
}

void TzqButton::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    params.style |= BS_OWNERDRAW;
}

void TzqButton::SetButtonStyle(bool active) {
    if (active != FActiveStyle) {
        FActiveStyle = active;
        Invalidate();
    }
}

std::optional<LRESULT> TzqButton::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DRAWITEM) {
        CNDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        return TRUE;
    }
    return TButton::reflected_message(message, wparam, lparam);
}

void TzqButton::CNDrawItem(const DRAWITEMSTRUCT& item) {
    struct Unbind {
        TCanvas& canvas;
        ~Unbind() { canvas.SetHandle(nullptr); }
    } unbind{FCanvas};
    FCanvas.SetHandle(item.hDC);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    UINT frame_state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed) {
        frame_state |= DFCS_PUSHED;
    }
    if (disabled) {
        frame_state |= DFCS_INACTIVE;
    }
    RECT r = ClientRect();
    if (FActiveStyle || focused) {
        FCanvas.Pen().SetColor(clWindowFrame);
        FCanvas.Pen().SetWidth(1);
        FCanvas.Brush().SetStyle(bsClear);
        FCanvas.Rectangle(r);
        InflateRect(&r, -1, -1);
    }
    FCanvas.Pen().SetColor(clBtnShadow);
    FCanvas.Brush().SetColor(Color());
    if (pressed) {
        FCanvas.Rectangle(r);
        InflateRect(&r, -1, -1);
    } else {
        DrawFrameControl(item.hDC, &r, DFC_BUTTON, frame_state);
    }
    FCanvas.FillRect(r);

    FCanvas.Font().Assign(Font());
    FCanvas.Brush().SetStyle(bsClear);
    const std::wstring caption = Caption();
    const SIZE extent = FCanvas.TextExtent(caption);
    const int x = Width() / 2 - extent.cx / 2;
    const int y = Height() / 2 - extent.cy / 2;
    if (disabled) {
        FCanvas.Font().SetColor(clBtnHighlight);
        FCanvas.TextOut(x + 1, y + 1, caption);
        FCanvas.Font().SetColor(clBtnShadow);
    }
    FCanvas.TextOut(x, y, caption);

    if (FActiveStyle && focused) {
        RECT focus = ClientRect();
        InflateRect(&focus, -4, -4);
        FCanvas.Pen().SetColor(clWindowFrame);
        FCanvas.Brush().SetColor(Color());
        FCanvas.DrawFocusRect(focus);
    }
}

}  // namespace vistrel
