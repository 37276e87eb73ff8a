#pragma once

#include <functional>
#include <vector>

#include "framework/canvas.h"
#include "framework/win_control.h"

namespace vistrel {

class TPageControl;

enum TTabPosition { tpTop, tpBottom };

using TDrawTabEvent = std::function<void(TObject* control, int tab_index, const RECT& rect, bool active)>;

/// One page of a page control: a panel shown while its tab is selected.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return page_control_; }
    /// Moves the page to the end of a page control's pages (nullptr takes it out).
    void SetPageControl(TPageControl* page_control);
    /// A page with a hidden tab stays in the control but has no tab and cannot be selected.
    bool TabVisible() const { return tab_visible_; }
    void SetTabVisible(bool visible);
    int PageIndex() const;
    /// Index of the page's tab among the visible tabs, -1 when its tab is hidden.
    int TabIndex() const;

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* page_control_ = nullptr;  // not owned
    bool tab_visible_ = true;
};

/// The system tab control holding pages; tabs at the top or the bottom, drawn by the system or by DrawTab.
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_[static_cast<std::size_t>(index)]; }
    TTabSheet* ActivePage() const { return active_page_; }
    void SetActivePage(TTabSheet* page);
    int TabIndex() const;
    void SetTabIndex(int tab_index);
    TTabPosition TabPosition() const { return tab_position_; }
    void SetTabPosition(TTabPosition position);
    bool OwnerDraw() const { return owner_draw_; }
    void SetOwnerDraw(bool owner_draw);
    /// The rectangle of a tab in client coordinates.
    RECT TabRect(int tab_index);
    /// The area the pages fill.
    RECT DisplayRect();
    /// The canvas bound to a tab's drawing while DrawTab runs.
    TCanvas& Canvas() { return canvas_; }

    /// Raised after the user selected another tab.
    TNotifyEvent OnChange;
    TDrawTabEvent OnDrawTab;

protected:
    /// Paints tab `tab_index` of an owner-drawn control: OnDrawTab, or a plain fill in the control's colour.
    virtual void DrawTab(int tab_index, const RECT& rect, bool active);
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    std::optional<LRESULT> reflected_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void BoundsChanged(bool resized) override;
    void FontChanged() override;

private:
    friend class TTabSheet;
    void insert_page(TTabSheet* page);
    void remove_page(TTabSheet* page);
    /// The tabs and pages changed: rebuild the tab items and show the active page only.
    void update_tabs();
    void place_pages();
    void set_style_bit(DWORD bit, bool on);
    /// The part of an owner-drawn tab's rectangle inside the frame the system draws around the tab. The rectangle
    /// handed over may take in part of that frame (wine's does for the selected tab, and for every tab at the
    /// bottom), so the owner paints only within the frame's width from the tab's sides and its outer edge.
    RECT tab_face(const RECT& item) const;
    LRESULT draw_item(const DRAWITEMSTRUCT& draw);

    std::vector<TTabSheet*> pages_;     // not owned
    TTabSheet* active_page_ = nullptr;  // not owned
    TTabPosition tab_position_ = tpTop;
    bool owner_draw_ = false;
    TCanvas canvas_;
};

}  // namespace vistrel
