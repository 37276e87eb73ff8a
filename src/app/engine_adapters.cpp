#include "app/engine_adapters.h"

#include "win32/wide_text.h"

namespace vistrel::app {

int InfoDialogMessages::MessageDlg(std::string_view text, std::string_view caption, int type) {
    return dialog_.MessageDlg(to_wide(text), to_wide(caption), static_cast<unsigned>(type));
}

void InfoDialogMessages::ShowMessage(std::string_view text) {
    dialog_.ShowMessage(to_wide(text));
}

void TrayIconPort::SetVisible(bool visible) {
    if (tray_) {
        tray_->SetVisible(visible);
    }
}

void TrayIconPort::Minimize() {
    if (tray_) {
        tray_->Minimize();
    }
}

void HotKeyPort::set_key_value(int item, std::uint16_t key_value) {
    hot_keys_.KeyList().GetItem(item).setHotKey(key_value);
}

void HotKeyPort::activate(int item) {
    hot_keys_.KeyList().GetItem(item).activate_key(true);
}

}  // namespace vistrel::app
