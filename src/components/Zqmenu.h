#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/component.h"
#include "framework/menu.h"
#include "framework/program_style.h"

namespace vistrel {

/// Takes over the drawing of menus: own fonts, a flat face, a colour gradient under the selected item, embossed
/// disabled text, an etched separator and an optional picture strip down the left side.
class TzqMenu : public TComponent {
public:
    explicit TzqMenu(TComponent* owner);
    ~TzqMenu() override;

    TBitmap& LPicture() { return l_picture_; }
    void setLPicture(const TBitmap& picture);
    TPopupMenu* zqPopupMenu() const { return popup_menu_; }
    void SetzqPopupMenu(TPopupMenu* menu);
    TMainMenu* zqMainMenu() const { return main_menu_; }
    void SetzqMainMenu(TMainMenu* menu);
    TFont& MenuTextFont() { return text_font_; }
    void setMenuTextFont(const TFont& font) { text_font_.Assign(font); }
    TFont& MenuTextFontHL() { return text_font_hl_; }
    void setMenuTextFontHL(const TFont& font) { text_font_hl_.Assign(font); }

    int MenuBarHeightExt = 10;
    int MenuBarWidthExt = 10;
    int MenuTextIndent = 5;
    TColor MenuBarColor = kProgramGrey;
    TColor MenuBarColorHL = kMenuHighlightColor;
    /// Kept with the form; disabled captions are always grey.
    TColor MenuTextDisabledColor = clGray;
    std::uint8_t GradualCount = 120;

    /// Makes every item of a popup menu, or every item below the bar of a main menu, measured and drawn here.
    /// Items added later keep the system's drawing.
    void ActivatezqMenu(TObject* menu);
    void Loaded() override;

    void MyMeasureItem(TObject* sender, TCanvas& canvas, int& width, int& height);
    void MyDrawItem(TObject* sender, TCanvas& canvas, const RECT& rect, bool selected);
    void DrawGradualBar(TCanvas& canvas, const RECT& rect);
    /// Draws a caption with the character after its first "&" underlined and the "&" left out.
    void DrawMenuText(TCanvas& canvas, int x, int y, const std::wstring& text);

private:
    void hook_tree(TMenuItem& parent);

    TBitmap l_picture_;
    ComponentRef<TPopupMenu> popup_menu_;
    ComponentRef<TMainMenu> main_menu_;
    TFont text_font_;
    TFont text_font_hl_;
    // Hooks outlive nothing: items whose painter is gone fall back to doing nothing.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace vistrel
