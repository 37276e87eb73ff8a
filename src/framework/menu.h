#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/canvas.h"
#include "framework/component.h"
#include "win32/unique_handle.h"

namespace vistrel {

using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;
using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, const RECT& rect, bool selected)>;

/// One entry of a menu: a command, a separator (caption "-") or a submenu holding further items.
/// Items are owned through the component tree; a parent item only lists its children.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    std::wstring Caption;
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;

    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_[static_cast<std::size_t>(index)]; }
    TMenuItem* Parent() const { return parent_; }
    bool IsLine() const { return Caption == L"-"; }
    /// The command identifier the item carries in a built menu.
    UINT Command() const { return command_; }
    /// The item that carries a command identifier, while it lives.
    static TMenuItem* FromCommand(UINT command);

    virtual void Click();

    TNotifyEvent OnClick;
    /// With these set and the menu owner-drawn, the item is measured and drawn by its handlers.
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

private:
    UINT command_;
    TMenuItem* parent_ = nullptr;    // not owned
    std::vector<TMenuItem*> items_;  // not owned
};

/// A tree of menu items built into a system menu when shown.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);

    /// The invisible root item whose children are the menu's entries.
    TMenuItem& Items() { return *items_; }
    bool OwnerDraw() const { return owner_draw_; }
    void SetOwnerDraw(bool owner_draw) { owner_draw_ = owner_draw; }

protected:
    /// Appends the visible children of `parent` to a system menu, submenus included.
    void build_into(HMENU menu, const TMenuItem& parent) const;

private:
    TMenuItem* items_;  // owned through the component tree
    bool owner_draw_ = false;
};

/// A menu that pops up at a point of the screen; its items are chosen with the left button.
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);

    /// Raises OnPopup, shows the menu with its top-left corner at (x, y), waits until it closes and runs the
    /// chosen item's Click.
    virtual void Popup(int x, int y);
    /// The system menu while the popup is open (null otherwise).
    HMENU Handle() const { return handle_.get(); }
    /// The control the menu was last opened over (a list view names itself before its context menu opens), so that
    /// one menu shared by several controls acts on the right one; null when none was named or it is gone.
    TComponent* PopupComponent() const { return popup_component_; }
    void SetPopupComponent(TComponent* component) { popup_component_ = component; }
    /// The hidden window that owns popup menus and answers their measure, draw and accelerator messages.
    static HWND OwnerWindow();

    TNotifyEvent OnPopup;

private:
    UniqueHmenu handle_;
    ComponentRef<TComponent> popup_component_;
};

/// A menu bar, shown by the form whose Menu it is.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner);

    /// The menu bar, built on first use.
    HMENU Handle();
    /// Builds the menu bar again from the items as they are now.
    void Rebuild();

private:
    friend class TForm;

    UniqueHmenu handle_;
    HWND window_ = nullptr;  // not owned: the window of the form showing the bar
};

/// Answers WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR for owner-drawn items and runs WM_COMMAND of menu items;
/// empty for any other message. The windows that own menus (the popup menus' window, a form with a menu bar)
/// pass their messages here.
std::optional<LRESULT> menu_owner_message(UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace vistrel
