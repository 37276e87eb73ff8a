#include "framework/menu.h"

#include <algorithm>
#include <cwctype>
#include <unordered_map>

#include "framework/application.h"
#include "framework/utility_window.h"

namespace vistrel {
namespace {

// Live items by command identifier: menu messages name items by these numbers, never by pointer.
std::unordered_map<UINT, TMenuItem*>& items_by_command() {
    static std::unordered_map<UINT, TMenuItem*> items;
    return items;
}

// Above the dialog-button identifiers (IDOK, IDCANCEL, ...), below the 16 bits WM_COMMAND carries.
UINT next_free_command() {
    constexpr UINT kFirst = 0x100;
    constexpr UINT kLast = 0xFFFF;
    static UINT last = kLast;
    auto& items = items_by_command();
    do {
        last = last == kLast ? kFirst : last + 1;
    } while (items.contains(last));
    return last;
}

bool owner_drawn(const TMenuItem& item, bool menu_owner_draw) {
    return menu_owner_draw && (item.OnMeasureItem || item.OnDrawItem);
}

// The character a caption marks with "&" (a doubled "&&" is a plain ampersand).
std::optional<wchar_t> accelerator_of(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == L'&') {
            if (caption[i + 1] != L'&') {
                return caption[i + 1];
            }
            ++i;
        }
    }
    return std::nullopt;
}

LRESULT measure_item(MEASUREITEMSTRUCT& measure) {
    TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(measure.itemData));
    if (item == nullptr || !item->OnMeasureItem) {
        return FALSE;
    }
    int width = static_cast<int>(measure.itemWidth);
    int height = static_cast<int>(measure.itemHeight);
    item->OnMeasureItem(item, measuring_canvas(), width, height);
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
    return TRUE;
}

LRESULT draw_item(const DRAWITEMSTRUCT& draw) {
    TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(draw.itemData));
    if (item == nullptr || !item->OnDrawItem) {
        return FALSE;
    }
    TCanvas canvas;
    canvas.SetHandle(draw.hDC);
    const int saved = SaveDC(draw.hDC);
    item->OnDrawItem(item, canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
    canvas.SetHandle(nullptr);
    RestoreDC(draw.hDC, saved);
    return TRUE;
}

// Owner-drawn items have no text the system could search, so their accelerators are matched here.
std::optional<LRESULT> menu_char(wchar_t key, HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) || (info.fType & MFT_OWNERDRAW) == 0) {
            continue;
        }
        const TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(info.dwItemData));
        const auto accelerator = item != nullptr ? accelerator_of(item->Caption) : std::nullopt;
        if (accelerator &&
            std::towupper(static_cast<wint_t>(*accelerator)) == std::towupper(static_cast<wint_t>(key))) {
            return MAKELRESULT(position, MNC_EXECUTE);
        }
    }
    return std::nullopt;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(next_free_command()) {
    items_by_command()[command_] = this;
}

TMenuItem::~TMenuItem() {
    items_by_command().erase(command_);
    for (TMenuItem* child : items_) {
        child->parent_ = nullptr;
    }
    if (parent_ != nullptr) {
        parent_->Remove(this);
    }
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
    const auto& items = items_by_command();
    const auto it = items.find(command);
    return it != items.end() ? it->second : nullptr;
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->parent_ != nullptr) {
        item->parent_->Remove(item);
    }
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it != items_.end()) {
        items_.erase(it);
        item->parent_ = nullptr;
    }
}

void TMenuItem::Click() {
    if (OnClick) {
        OnClick(this);
    }
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {}

void TMenu::build_into(HMENU menu, const TMenuItem& parent) const {
    for (int i = 0; i < parent.Count(); ++i) {
        const TMenuItem& item = *parent.Items(i);
        if (!item.Visible) {
            continue;
        }
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
        info.wID = item.Command();
        info.dwItemData = item.Command();
        info.fState = (item.Enabled ? MFS_ENABLED : MFS_DISABLED) | (item.Checked ? MFS_CHECKED : MFS_UNCHECKED);
        info.fType = item.IsLine() ? MFT_SEPARATOR : MFT_STRING;
        std::wstring caption = item.Caption;
        if (owner_drawn(item, owner_draw_)) {
            info.fType |= MFT_OWNERDRAW;
        } else if (!item.IsLine()) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = caption.data();
        }
        if (item.Count() > 0) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = CreatePopupMenu();  // owned by `menu` from here on
            build_into(info.hSubMenu, item);
        }
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

HWND TPopupMenu::OwnerWindow() {
    static UtilityWindow window([](UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (auto handled = menu_owner_message(message, wparam, lparam)) {
            return *handled;
        }
        return DefWindowProcW(OwnerWindow(), message, wparam, lparam);
    });
    return window.handle();
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) {
        OnPopup(this);
    }
    handle_.reset(CreatePopupMenu());
    build_into(handle_.get(), Items());
    const HWND owner = OwnerWindow();
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(handle_.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
    // Lets the menu of a window that is not in the foreground close properly next time.
    PostMessageW(owner, WM_NULL, 0, 0);
    handle_.reset();
    if (TMenuItem* item = TMenuItem::FromCommand(command); item != nullptr && command != 0) {
        item->Click();
    }
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

HMENU TMainMenu::Handle() {
    if (!handle_) {
        handle_.reset(CreateMenu());
        build_into(handle_.get(), Items());
    }
    return handle_.get();
}

void TMainMenu::Rebuild() {
    UniqueHmenu old = std::move(handle_);
    if (window_ != nullptr && IsWindow(window_)) {
        SetMenu(window_, Handle());
        DrawMenuBar(window_);
    }
}

std::optional<LRESULT> menu_owner_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_MEASUREITEM: {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
            if (measure.CtlType != ODT_MENU) {
                return std::nullopt;
            }
            return measure_item(measure);
        }
        case WM_DRAWITEM: {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (draw.CtlType != ODT_MENU) {
                return std::nullopt;
            }
            return draw_item(draw);
        }
        case WM_MENUCHAR:
            return menu_char(static_cast<wchar_t>(LOWORD(wparam)), reinterpret_cast<HMENU>(lparam));
        case WM_COMMAND:
            if (lparam == 0 && HIWORD(wparam) == 0) {
                if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(wparam))) {
                    item->Click();
                    return 0;
                }
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace vistrel
