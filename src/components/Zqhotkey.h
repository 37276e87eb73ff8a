#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/hot_key_text.h"
#include "framework/component.h"
#include "framework/edit.h"
#include "framework/utility_window.h"

namespace vistrel {

class TzqHotKey;
class THotKeyList;

/// One system-wide key combination with its event, registered while Enabled; optionally captured from a
/// read-only edit box in which the user presses the new combination.
class THotKeyListItem : public TObject {
public:
    explicit THotKeyListItem(THotKeyList& collection);
    ~THotKeyListItem() override;

    /// Copies the combination, the enabled state, the edit box and the events of another item.
    void Assign(const THotKeyListItem& source);

    vistrel::KeyValue KeyValue() const { return key_value_; }
    void setHotKey(vistrel::KeyValue value);
    const std::wstring& KeyName() const { return key_name_; }
    void setKeyStr(const std::wstring& text);
    bool Enabled() const { return enabled_; }
    /// Registers (true) or frees (false) the combination; Enabled then tells whether it is registered.
    void activate_key(bool enable);
    TCustomEdit* KeyEdit() const { return key_edit_; }
    void setKeyEdit(TCustomEdit* edit);
    /// Takes the combination captured in the edit box, when it differs from the current one.
    void SaveHotKey();
    /// The combination captured in the edit box and not yet saved.
    vistrel::KeyValue PendingValue() const { return pending_; }
    int Index() const;
    std::uint16_t Identifier() const { return identifier_; }

    /// Called with the item as sender when the combination is pressed.
    TNotifyEvent OnHotKey;
    /// Called with the item as sender when a key pressed in the edit box was refused (capture_refused); the box
    /// then shows the current combination again.
    TNotifyEvent OnKeyRefused;

private:
    friend class TzqHotKey;
    void OnHotKeyEdit(TObject* sender, WORD& key, TShiftState shift);
    void OnEditKeyUp(TObject* sender, WORD& key, TShiftState shift);
    void show_in_edit(const std::wstring& text);
    /// The edit box went away or was replaced: it no longer reports keys to this item.
    void release_edit();
    HWND window() const;

    vistrel::KeyValue key_value_ = 0;
    vistrel::KeyValue pending_ = 0;
    std::uint16_t identifier_ = 0;
    THotKeyList& collection_;
    ComponentRef<TCustomEdit> key_edit_;
    std::wstring key_name_ = L"Input key here...";
    bool enabled_ = true;
};

/// The items of a TzqHotKey, in order.
class THotKeyList {
public:
    explicit THotKeyList(TzqHotKey& owner);
    THotKeyList(const THotKeyList&) = delete;
    THotKeyList& operator=(const THotKeyList&) = delete;
    ~THotKeyList();

    TzqHotKey& GetOwner() const { return owner_; }
    THotKeyListItem& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    /// The item at an index; an index outside the list throws std::out_of_range.
    THotKeyListItem& GetItem(int index) const { return *items_[checked_index(index)]; }
    void SetItem(int index, const THotKeyListItem& source) { GetItem(index).Assign(source); }
    /// Makes this list a copy of another: as many items, each assigned from its twin.
    void Assign(const THotKeyList& source);
    /// Removes the item at an index; an index outside the list throws std::out_of_range.
    void Delete(int index);
    int IndexOf(const THotKeyListItem& item) const;

private:
    std::size_t checked_index(int index) const;

    TzqHotKey& owner_;
    std::vector<std::unique_ptr<THotKeyListItem>> items_;
};

/// System-wide hot keys: registers the combinations of its items and calls their events when pressed.
class TzqHotKey : public TComponent {
public:
    explicit TzqHotKey(TComponent* owner);
    ~TzqHotKey() override;

    THotKeyList& KeyList() { return *key_list_; }
    void setHotKeyList(const THotKeyList& list) { key_list_->Assign(list); }
    /// With `save`, every item takes the combination captured in its edit and is registered; without, every edit
    /// shows its item's current combination again.
    void UpdateKey(bool save);
    /// The hidden window the combinations are registered for.
    HWND Handle() const { return window_->handle(); }

private:
    friend class THotKeyListItem;
    LRESULT wmHotkeyHandle(UINT message, WPARAM wparam, LPARAM lparam);
    void dispatch_hot_key(vistrel::KeyValue value);

    std::unique_ptr<UtilityWindow> window_;
    std::unique_ptr<THotKeyList> key_list_;
};

}  // namespace vistrel
