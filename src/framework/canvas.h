#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/canvas_tools.h"

namespace vistrel {

class TGraphic;

/// A drawing surface over a device context that someone else owns, with its own pen, brush and font.
class TCanvas : public TObject {
public:
    TCanvas();
    ~TCanvas() override;

    HDC Handle() const { return dc_; }
    /// Binds the canvas to a device context (nullptr unbinds); the tools are selected when first used.
    void SetHandle(HDC dc);

    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }

    void TextOut(int x, int y, const std::wstring& text);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    /// DrawTextW with the canvas font and brush; returns the height drawn (or the measured rectangle).
    int DrawText(const std::wstring& text, RECT& rect, UINT format);

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const std::vector<POINT>& points);
    void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void DrawFocusRect(const RECT& rect);

    /// Draws a graphic at its own size with its top-left corner at (x, y).
    void Draw(int x, int y, TGraphic& graphic);
    /// Draws a graphic into a rectangle, stretched when the sizes differ.
    void StretchDraw(const RECT& rect, TGraphic& graphic);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& from);

    DWORD CopyMode = SRCCOPY;

private:
    void require_font();
    void require_pen();
    void require_brush();
    void prepare_text();

    HDC dc_ = nullptr;  // not owned
    TFont font_;
    TPen pen_;
    TBrush brush_;
    std::optional<SelectGuard> font_selected_;
    std::optional<SelectGuard> pen_selected_;
    std::optional<SelectGuard> brush_selected_;
};

/// A canvas on a memory context compatible with the screen, for measuring text outside painting.
TCanvas& measuring_canvas();

}  // namespace vistrel
