#include "framework/page_control.h"

#include <algorithm>

namespace vistrel {
namespace {

void require_tab_class() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

}  // namespace

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
}

TTabSheet::~TTabSheet() {
    SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* page_control) {
    if (page_control_ != nullptr) {
        page_control_->remove_page(this);
    }
    page_control_ = page_control;
    if (page_control_ != nullptr) {
        page_control_->insert_page(this);
    }
}

void TTabSheet::SetTabVisible(bool visible) {
    if (visible != tab_visible_) {
        tab_visible_ = visible;
        if (page_control_ != nullptr) {
            page_control_->update_tabs();
        }
    }
}

int TTabSheet::PageIndex() const {
    if (page_control_ == nullptr) {
        return -1;
    }
    const auto& pages = page_control_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const {
    if (page_control_ == nullptr || !tab_visible_) {
        return -1;
    }
    int index = 0;
    for (const TTabSheet* page : page_control_->pages_) {
        if (page == this) {
            return index;
        }
        index += page->tab_visible_ ? 1 : 0;
    }
    return -1;
}

void TTabSheet::TextChanged() {
    TWinControl::TextChanged();
    if (page_control_ != nullptr) {
        page_control_->update_tabs();
    }
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
}

TPageControl::~TPageControl() {
    for (TTabSheet* page : pages_) {
        page->page_control_ = nullptr;
    }
    pages_.clear();
}

void TPageControl::CreateParams(TCreateParams& params) {
    require_tab_class();
    TWinControl::CreateParams(params);
    params.base_class = WC_TABCONTROLW;
    params.class_name = L"VistrelPageControl";
    params.style |= WS_CLIPCHILDREN;
    if (tab_position_ == tpBottom) {
        params.style |= TCS_BOTTOM;
    }
    if (owner_draw_) {
        params.style |= TCS_OWNERDRAWFIXED;
    }
}

void TPageControl::CreateWnd() {
    TWinControl::CreateWnd();
    update_tabs();
}

void TPageControl::insert_page(TTabSheet* page) {
    pages_.push_back(page);
    page->SetParent(this);
    if (active_page_ == nullptr && page->TabVisible()) {
        active_page_ = page;
    }
    update_tabs();
}

void TPageControl::remove_page(TTabSheet* page) {
    std::erase(pages_, page);
    if (active_page_ == page) {
        const auto next = std::find_if(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->TabVisible(); });
        active_page_ = next != pages_.end() ? *next : nullptr;
    }
    if (page->Parent() == this) {
        page->SetParent(nullptr);
    }
    update_tabs();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page != nullptr && (page->PageControl() != this || !page->TabVisible())) {
        return;
    }
    active_page_ = page;
    update_tabs();
}

int TPageControl::TabIndex() const {
    return active_page_ != nullptr ? active_page_->TabIndex() : -1;
}

void TPageControl::SetTabIndex(int tab_index) {
    for (TTabSheet* page : pages_) {
        if (page->TabIndex() == tab_index) {
            SetActivePage(page);
            return;
        }
    }
}

void TPageControl::SetTabPosition(TTabPosition position) {
    if (position != tab_position_) {
        tab_position_ = position;
        set_style_bit(TCS_BOTTOM, position == tpBottom);
    }
}

void TPageControl::SetOwnerDraw(bool owner_draw) {
    if (owner_draw != owner_draw_) {
        owner_draw_ = owner_draw;
        set_style_bit(TCS_OWNERDRAWFIXED, owner_draw);
    }
}

void TPageControl::set_style_bit(DWORD bit, bool on) {
    if (!HandleAllocated()) {
        return;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(on ? style | bit : style & ~bit));
    place_pages();
    InvalidateRect(Handle(), nullptr, TRUE);
}

RECT TPageControl::TabRect(int tab_index) {
    RECT rect{};
    if (HandleAllocated()) {
        SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab_index), reinterpret_cast<LPARAM>(&rect));
    }
    return rect;
}

RECT TPageControl::DisplayRect() {
    RECT rect = ClientRect();
    if (HandleAllocated()) {
        SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    }
    return rect;
}

void TPageControl::update_tabs() {
    if (HandleAllocated()) {
        SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0);
        int tab = 0;
        for (TTabSheet* page : pages_) {
            if (!page->TabVisible()) {
                continue;
            }
            std::wstring caption = page->Caption();
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
        }
        SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(TabIndex()), 0);
        place_pages();
    }
    for (TTabSheet* page : pages_) {
        page->SetVisible(page == active_page_);
    }
}

void TPageControl::place_pages() {
    const RECT display = DisplayRect();
    for (TTabSheet* page : pages_) {
        page->SetBounds(display.left, display.top, display.right - display.left, display.bottom - display.top);
    }
}

void TPageControl::BoundsChanged(bool resized) {
    TWinControl::BoundsChanged(resized);
    if (resized) {
        place_pages();
    }
}

void TPageControl::FontChanged() {
    TWinControl::FontChanged();
    if (HandleAllocated()) {
        SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
        place_pages();
    }
}

void TPageControl::DrawTab(int tab_index, const RECT& rect, bool active) {
    if (OnDrawTab) {
        OnDrawTab(this, tab_index, rect, active);
    } else {
        canvas_.FillRect(rect);
    }
}

RECT TPageControl::tab_face(const RECT& item) const {
    RECT face = item;
    face.left += GetSystemMetrics(SM_CXEDGE);
    face.right -= GetSystemMetrics(SM_CXEDGE);
    if (tab_position_ == tpBottom) {
        face.bottom -= GetSystemMetrics(SM_CYEDGE);
    } else {
        face.top += GetSystemMetrics(SM_CYEDGE);
    }
    return face;
}

LRESULT TPageControl::draw_item(const DRAWITEMSTRUCT& draw) {
    struct Unbind {
        TCanvas& canvas;
        HDC dc;
        int saved;
        ~Unbind() {
            canvas.SetHandle(nullptr);
            RestoreDC(dc, saved);
        }
    } unbind{canvas_, draw.hDC, SaveDC(draw.hDC)};
    const RECT face = tab_face(draw.rcItem);
    IntersectClipRect(draw.hDC, face.left, face.top, face.right, face.bottom);
    // The tab is drawn with the control's own font and colour.
    canvas_.SetHandle(draw.hDC);
    canvas_.Font().Assign(Font());
    canvas_.Brush().SetColor(Color());
    canvas_.Brush().SetStyle(bsSolid);
    DrawTab(static_cast<int>(draw.itemID), draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
    return TRUE;
}

LRESULT TPageControl::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_ERASEBKGND) {
        // Around and behind the tabs the control shows its own colour, not the system's face colour.
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wparam), &client, color_brush());
        return 1;
    }
    return TWinControl::handle_message(message, wparam, lparam);
}

std::optional<LRESULT> TPageControl::reflected_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DRAWITEM) {
        return draw_item(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    }
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lparam)->code == TCN_SELCHANGE) {
        const auto tab = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
        SetTabIndex(tab);
        if (OnChange) {
            OnChange(this);
        }
        return 0;
    }
    return TWinControl::reflected_message(message, wparam, lparam);
}

}  // namespace vistrel
