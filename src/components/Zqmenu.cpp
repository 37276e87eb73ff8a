#include "components/Zqmenu.h"

#include "components/gradient_bar.h"
#include "components/menu_layout.h"
#include "framework/form.h"

namespace vistrel {

TzqMenu::TzqMenu(TComponent* owner) : TComponent(owner) {
    if (auto* form = dynamic_cast<TForm*>(owner)) {
        text_font_.Assign(form->Font());
        text_font_hl_.Assign(form->Font());
        text_font_hl_.SetColor(kMenuHighlightTextColor);
    } else {
        text_font_.SetColor(clBlack);
    }
}

TzqMenu::~TzqMenu() = default;

void TzqMenu::setLPicture(const TBitmap& picture) {
    const auto copy = picture.Clone();
    l_picture_.SetHandle(static_cast<TBitmap&>(*copy).ReleaseHandle());
}

void TzqMenu::SetzqPopupMenu(TPopupMenu* menu) {
    popup_menu_ = menu;
}

void TzqMenu::SetzqMainMenu(TMainMenu* menu) {
    main_menu_ = menu;
}

void TzqMenu::Loaded() {
    TComponent::Loaded();
    if (popup_menu_ != nullptr) {
        ActivatezqMenu(popup_menu_);
    }
    if (main_menu_ != nullptr) {
        ActivatezqMenu(main_menu_);
    }
}

void TzqMenu::hook_tree(TMenuItem& parent) {
    const std::weak_ptr<int> alive = alive_;
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = *parent.Items(i);
        item.OnMeasureItem = [this, alive](TObject* sender, TCanvas& canvas, int& width, int& height) {
            if (!alive.expired()) {
                MyMeasureItem(sender, canvas, width, height);
            }
        };
        item.OnDrawItem = [this, alive](TObject* sender, TCanvas& canvas, const RECT& rect, bool selected) {
            if (!alive.expired()) {
                MyDrawItem(sender, canvas, rect, selected);
            }
        };
        hook_tree(item);
    }
}

void TzqMenu::ActivatezqMenu(TObject* menu) {
    if (auto* main = dynamic_cast<TMainMenu*>(menu)) {
        main->SetOwnerDraw(true);
        // The bar keeps the system's look; everything that drops down from it is ours.
        for (int i = 0; i < main->Items().Count(); ++i) {
            hook_tree(*main->Items().Items(i));
        }
        main->Rebuild();
    } else if (auto* popup = dynamic_cast<TPopupMenu*>(menu)) {
        popup->SetOwnerDraw(true);
        hook_tree(popup->Items());
    }
}

void TzqMenu::MyMeasureItem(TObject* sender, TCanvas& canvas, int& width, int& height) {
    const auto& item = dynamic_cast<const TMenuItem&>(*sender);
    canvas.Font().Assign(text_font_);
    const SIZE extent = canvas.TextExtent(item.Caption);
    MenuMetrics metrics{MenuBarHeightExt, MenuBarWidthExt, MenuTextIndent, l_picture_.Width()};
    const MenuItemSize size = measure_menu_item(metrics, item.IsLine(), extent.cx, extent.cy, width);
    width = size.width;
    height = size.height;
}

void TzqMenu::MyDrawItem(TObject* sender, TCanvas& canvas, const RECT& rect, bool selected) {
    const auto& item = dynamic_cast<const TMenuItem&>(*sender);
    const int strip = l_picture_.Width();
    if (strip > 0) {
        RECT visible{};
        GetClipBox(canvas.Handle(), &visible);
        const int source_top = strip_source_top(l_picture_.Height(), rect.top, visible.bottom);
        const int height = rect.bottom - rect.top;
        canvas.CopyMode = SRCCOPY;
        canvas.CopyRect({rect.left, rect.top, rect.left + strip, rect.bottom}, l_picture_.Canvas(),
                        {0, source_top, strip, source_top + height});
    }
    RECT area = rect;
    area.left += strip;
    if (selected && !item.Caption.empty()) {
        canvas.Font().Assign(text_font_hl_);
        DrawGradualBar(canvas, area);
    } else {
        canvas.Font().Assign(text_font_);
        canvas.Brush().SetColor(MenuBarColor);
        canvas.FillRect(area);
    }
    canvas.Brush().SetStyle(bsClear);
    if (item.IsLine()) {
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(clGray);
        canvas.MoveTo(area.left, rect.top + 1);
        canvas.LineTo(rect.right, rect.top + 1);
        canvas.Pen().SetColor(clWhite);
        canvas.MoveTo(area.left, rect.top + 2);
        canvas.LineTo(rect.right, rect.top + 2);
        return;
    }
    const int x = area.left + MenuTextIndent;
    const int y = (rect.top + rect.bottom - canvas.TextHeight(item.Caption)) / 2;
    for (const TextPass& pass : menu_text_passes(item.Enabled, selected)) {
        if (pass.color) {
            canvas.Font().SetColor(color_of(*pass.color));
        }
        DrawMenuText(canvas, x + pass.dx, y + pass.dy, item.Caption);
    }
}

void TzqMenu::DrawGradualBar(TCanvas& canvas, const RECT& rect) {
    for (const GradientStrip& strip :
         gradient_strips(rgb_of(MenuBarColorHL), rect.left, rect.right - rect.left, GradualCount)) {
        canvas.Brush().SetColor(color_of(strip.color));
        canvas.FillRect({strip.left, rect.top, strip.left + strip.width, rect.bottom});
    }
}

void TzqMenu::DrawMenuText(TCanvas& canvas, int x, int y, const std::wstring& text) {
    const AcceleratorParts parts = split_accelerator(text);
    if (!parts.accelerator) {
        canvas.TextOut(x, y, text);
        return;
    }
    const std::wstring before(parts.before);
    const std::wstring accelerator(1, *parts.accelerator);
    canvas.TextOut(x, y, before);
    x += canvas.TextWidth(before);
    canvas.Font().SetStyle(canvas.Font().Style() | fsUnderline);
    canvas.TextOut(x, y, accelerator);
    x += canvas.TextWidth(accelerator);
    canvas.Font().SetStyle(canvas.Font().Style() & ~fsUnderline);
    canvas.TextOut(x, y, std::wstring(parts.after));
}

}  // namespace vistrel
