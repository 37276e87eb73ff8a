#include "framework/canvas_tools.h"

#include "framework/program_style.h"

namespace vistrel {
namespace {

// Every size is in pixels of a 96-DPI screen: the program leaves scaling to Windows (it declares itself
// unaware of DPI), so a point is 96/72 pixels whatever the screen's own resolution.
constexpr int kLayoutPixelsPerInch = 96;

}  // namespace

TFont::TFont() : name_(kProgramFontName), height_(kProgramFontHeight) {}

void TFont::Assign(const TFont& source) {
    if (&source == this) {
        return;
    }
    name_ = source.name_;
    height_ = source.height_;
    color_ = source.color_;
    style_ = source.style_;
    charset_ = source.charset_;
    changed();
}

void TFont::SetName(const std::wstring& name) {
    if (name != name_) {
        name_ = name;
        changed();
    }
}

void TFont::SetHeight(int height) {
    if (height != height_) {
        height_ = height;
        changed();
    }
}

int TFont::Size() const {
    return -MulDiv(height_, 72, kLayoutPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, kLayoutPixelsPerInch, 72));
}

void TFont::SetColor(TColor color) {
    // The colour is not part of the GDI font: no new handle needed.
    if (color != color_) {
        color_ = color;
        if (OnChange) {
            OnChange(this);
        }
    }
}

void TFont::SetStyle(TFontStyles style) {
    if (style != style_) {
        style_ = style;
        changed();
    }
}

void TFont::SetCharset(BYTE charset) {
    if (charset != charset_) {
        charset_ = charset;
        changed();
    }
}

HFONT TFont::Handle() {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) != 0 ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) != 0 ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) != 0 ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) != 0 ? TRUE : FALSE;
        lf.lfCharSet = charset_;
        lf.lfQuality = DEFAULT_QUALITY;
        name_.copy(lf.lfFaceName, LF_FACESIZE - 1);
        handle_.reset(CreateFontIndirectW(&lf));
    }
    return handle_.get();
}

void TFont::changed() {
    // Listeners deselect the old font first; only then may it be deleted.
    if (OnChange) {
        OnChange(this);
    }
    handle_.reset();
}

void TPen::Assign(const TPen& source) {
    color_ = source.color_;
    width_ = source.width_;
    style_ = source.style_;
    changed();
}

void TPen::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        changed();
    }
}

void TPen::SetWidth(int width) {
    if (width != width_) {
        width_ = width;
        changed();
    }
}

void TPen::SetStyle(TPenStyle style) {
    if (style != style_) {
        style_ = style;
        changed();
    }
}

HPEN TPen::Handle() {
    if (!handle_) {
        constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
        handle_.reset(CreatePen(kStyles[style_], width_, ColorToRGB(color_)));
    }
    return handle_.get();
}

void TPen::changed() {
    if (OnChange) {
        OnChange(this);
    }
    handle_.reset();
}

void TBrush::Assign(const TBrush& source) {
    color_ = source.color_;
    style_ = source.style_;
    changed();
}

void TBrush::SetColor(TColor color) {
    if (color != color_ || style_ == bsClear) {
        color_ = color;
        style_ = bsSolid;
        changed();
    }
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style != style_) {
        style_ = style;
        changed();
    }
}

HBRUSH TBrush::Handle() {
    if (!handle_) {
        handle_.reset(style_ == bsClear ? static_cast<HBRUSH>(nullptr) : CreateSolidBrush(ColorToRGB(color_)));
    }
    return handle_ ? handle_.get() : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void TBrush::changed() {
    if (OnChange) {
        OnChange(this);
    }
    handle_.reset();
}

}  // namespace vistrel
