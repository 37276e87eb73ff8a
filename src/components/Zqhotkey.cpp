#include "components/Zqhotkey.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "components/hot_key_capture.h"

namespace vistrel {
namespace {

bool windows_key_down() {
    return GetAsyncKeyState(VK_LWIN) < 0 || GetAsyncKeyState(VK_RWIN) < 0;
}

}  // namespace

THotKeyListItem::THotKeyListItem(THotKeyList& collection) : collection_(collection) {
    // Identifiers come from local atoms so that several components of one process never share one.
    const ATOM atom = AddAtomW(hot_key_atom_name(collection.Count()).c_str());
    identifier_ = hot_key_identifier(atom);
}

THotKeyListItem::~THotKeyListItem() {
    DeleteAtom(hot_key_atom(identifier_));
    activate_key(false);
    release_edit();
}

void THotKeyListItem::Assign(const THotKeyListItem& source) {
    setHotKey(source.key_value_);
    activate_key(source.enabled_);
    setKeyEdit(source.key_edit_);
    OnHotKey = source.OnHotKey;
    OnKeyRefused = source.OnKeyRefused;
}

HWND THotKeyListItem::window() const {
    return collection_.GetOwner().Handle();
}

int THotKeyListItem::Index() const {
    return collection_.IndexOf(*this);
}

void THotKeyListItem::activate_key(bool enable) {
    if (enable == enabled_) {
        return;
    }
    if (enable) {
        // A combination without a key cannot be pressed: it is never registered.
        enabled_ = (key_value_ & 0xFF) != 0 &&
                   RegisterHotKey(window(), identifier_, key_value_ >> 8, key_value_ & 0xFFu) != FALSE;
    } else {
        UnregisterHotKey(window(), identifier_);
        enabled_ = false;
    }
}

void THotKeyListItem::setHotKey(vistrel::KeyValue value) {
    if (value == key_value_) {
        return;
    }
    key_value_ = value;
    pending_ = value;
    key_name_ = HotKeyToText(value);
    if (enabled_) {
        // Registered afresh under the same identifier; the old combination is free for others at once.
        activate_key(false);
        activate_key(true);
    }
}

void THotKeyListItem::setKeyStr(const std::wstring& text) {
    if (text != key_name_) {
        setHotKey(TextToHotKey(text));
    }
}

void THotKeyListItem::setKeyEdit(TCustomEdit* edit) {
    if (edit == key_edit_) {
        return;
    }
    release_edit();
    key_edit_ = edit;
    if (edit == nullptr) {
        return;
    }
    edit->SetReadOnly(true);
    edit->OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { OnHotKeyEdit(sender, key, shift); };
    edit->OnKeyUp = [this](TObject* sender, WORD& key, TShiftState shift) { OnEditKeyUp(sender, key, shift); };
}

void THotKeyListItem::release_edit() {
    if (key_edit_ != nullptr) {
        key_edit_->OnKeyDown = nullptr;
        key_edit_->OnKeyUp = nullptr;
        key_edit_ = nullptr;
    }
}

void THotKeyListItem::OnHotKeyEdit(TObject*, WORD& key, TShiftState shift) {
    const HeldModifiers held{(shift & ssShift) != 0, (shift & ssCtrl) != 0, (shift & ssAlt) != 0, windows_key_down()};
    const vistrel::KeyValue captured = captured_key(held, key);
    if (capture_refused(captured)) {
        pending_ = key_value_;
        show_in_edit(key_name_);
        if (OnKeyRefused) {
            OnKeyRefused(this);
        }
        return;
    }
    pending_ = captured;
    show_in_edit(HotKeyToText(pending_));
}

void THotKeyListItem::show_in_edit(const std::wstring& text) {
    if (key_edit_ != nullptr) {
        key_edit_->SetText(text);
    }
}

void THotKeyListItem::OnEditKeyUp(TObject*, WORD&, TShiftState) {
    if (key_up_restores(pending_, key_value_)) {
        pending_ = key_value_;
        show_in_edit(key_name_);
    }
}

void THotKeyListItem::SaveHotKey() {
    if (pending_ != key_value_) {
        setHotKey(pending_);
    }
}

THotKeyList::THotKeyList(TzqHotKey& owner) : owner_(owner) {}

THotKeyList::~THotKeyList() {
    while (!items_.empty()) {
        items_.pop_back();
    }
}

THotKeyListItem& THotKeyList::Add() {
    items_.push_back(std::make_unique<THotKeyListItem>(*this));
    return *items_.back();
}

void THotKeyList::Assign(const THotKeyList& source) {
    if (&source == this) {
        return;
    }
    while (Count() > source.Count()) {
        Delete(Count() - 1);
    }
    while (Count() < source.Count()) {
        Add();
    }
    for (int i = 0; i < Count(); ++i) {
        GetItem(i).Assign(source.GetItem(i));
    }
}

std::size_t THotKeyList::checked_index(int index) const {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("Hot key list index out of bounds (" + std::to_string(index) + ")");
    }
    return static_cast<std::size_t>(index);
}

void THotKeyList::Delete(int index) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(checked_index(index)));
}

int THotKeyList::IndexOf(const THotKeyListItem& item) const {
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& p) { return p.get() == &item; });
    return it != items_.end() ? static_cast<int>(it - items_.begin()) : -1;
}

TzqHotKey::TzqHotKey(TComponent* owner)
    : TComponent(owner),
      window_(std::make_unique<UtilityWindow>(
          [this](UINT message, WPARAM wparam, LPARAM lparam) { return wmHotkeyHandle(message, wparam, lparam); })),
      key_list_(std::make_unique<THotKeyList>(*this)) {}

TzqHotKey::~TzqHotKey() {
    key_list_.reset();  // items unregister while the window still exists
    window_.reset();
}

void TzqHotKey::UpdateKey(bool save) {
    for (int i = 0; i < key_list_->Count(); ++i) {
        THotKeyListItem& item = key_list_->GetItem(i);
        if (save) {
            item.SaveHotKey();
            item.activate_key(true);
        } else if (item.KeyEdit() != nullptr) {
            item.KeyEdit()->SetText(item.KeyName());
        }
    }
}

LRESULT TzqHotKey::wmHotkeyHandle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return 1;
        case WM_HOTKEY:
            dispatch_hot_key(key_value_of_hot_key_message(static_cast<std::uintptr_t>(lparam)));
            return 0;
        default:
            return DefWindowProcW(window_->handle(), message, wparam, lparam);
    }
}

void TzqHotKey::dispatch_hot_key(vistrel::KeyValue value) {
    for (int i = 0; i < key_list_->Count(); ++i) {
        THotKeyListItem& item = key_list_->GetItem(i);
        if (item.KeyValue() != value) {
            continue;
        }
        // Pressing the combination in its own edit box only shows its name there.
        if (item.KeyEdit() != nullptr && item.KeyEdit()->Focused()) {
            item.KeyEdit()->SetText(item.KeyName());
            continue;
        }
        if (item.Enabled() && item.OnHotKey) {
            item.OnHotKey(&item);
            return;
        }
    }
}

}  // namespace vistrel
