#pragma once

#include <string>

#include "framework/framework_types.h"
#include "win32/unique_handle.h"

namespace vistrel {

using TFontStyles = unsigned;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

/// A font description with its GDI font made on demand. Setters that change a value raise OnChange.
class TFont : public TObject {
public:
    TFont();
    void Assign(const TFont& source);

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    /// Character height in pixels; negative as usual for GDI.
    int Height() const { return height_; }
    void SetHeight(int height);
    /// The height in points of the 96-DPI layout (a point is 96/72 pixels on every screen).
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);

    HFONT Handle();
    TNotifyEvent OnChange;

private:
    void changed();

    std::wstring name_;
    int height_;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    BYTE charset_ = DEFAULT_CHARSET;
    UniqueHfont handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

class TPen : public TObject {
public:
    void Assign(const TPen& source);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);

    HPEN Handle();
    TNotifyEvent OnChange;

private:
    void changed();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    UniqueHpen handle_;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TObject {
public:
    void Assign(const TBrush& source);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

    HBRUSH Handle();
    TNotifyEvent OnChange;

private:
    void changed();

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    UniqueHbrush handle_;
};

}  // namespace vistrel
