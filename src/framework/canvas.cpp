#include "framework/canvas.h"

#include "framework/graphic.h"

namespace vistrel {

TCanvas::TCanvas() {
    font_.OnChange = [this](TObject*) { font_selected_.reset(); };
    pen_.OnChange = [this](TObject*) { pen_selected_.reset(); };
    brush_.OnChange = [this](TObject*) { brush_selected_.reset(); };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) {
        return;
    }
    font_selected_.reset();
    pen_selected_.reset();
    brush_selected_.reset();
    dc_ = dc;
}

void TCanvas::require_font() {
    if (!font_selected_) {
        font_selected_.emplace(dc_, font_.Handle());
    }
}

void TCanvas::require_pen() {
    if (!pen_selected_) {
        pen_selected_.emplace(dc_, pen_.Handle());
    }
}

void TCanvas::require_brush() {
    if (!brush_selected_) {
        brush_selected_.emplace(dc_, brush_.Handle());
    }
}

void TCanvas::prepare_text() {
    require_font();
    require_brush();
    SetTextColor(dc_, ColorToRGB(font_.Color()));
    if (brush_.Style() == bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
    }
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    prepare_text();
    ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    require_font();
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT format) {
    prepare_text();
    return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void TCanvas::FillRect(const RECT& rect) {
    require_brush();
    ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
    require_brush();
    ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    require_pen();
    require_brush();
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    require_pen();
    require_brush();
    ::Ellipse(dc_, left, top, right, bottom);
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
    require_pen();
    require_brush();
    ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    require_pen();
    ::Arc(dc_, left, top, right, bottom, x1, y1, x2, y2);
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    require_pen();
    ::LineTo(dc_, x, y);
}

void TCanvas::DrawFocusRect(const RECT& rect) {
    require_brush();
    ::DrawFocusRect(dc_, &rect);
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    if (!graphic.Empty()) {
        graphic.Draw(*this, {x, y, x + graphic.Width(), y + graphic.Height()});
    }
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic) {
    if (!graphic.Empty()) {
        graphic.Draw(*this, rect);
    }
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& from) {
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(), from.left,
               from.top, from.right - from.left, from.bottom - from.top, CopyMode);
}

TCanvas& measuring_canvas() {
    static UniqueHdc dc(CreateCompatibleDC(nullptr));
    static TCanvas canvas;
    canvas.SetHandle(dc.get());
    return canvas;
}

}  // namespace vistrel
