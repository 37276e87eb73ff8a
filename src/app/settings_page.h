#pragma once

#include "components/Zqbtn.h"
#include "components/Zqhotkey.h"
#include "engine/message_service.h"
#include "engine/scheduler.h"
#include "engine/settings.h"
#include "framework/check_box.h"
#include "framework/edit.h"
#include "framework/group_box.h"
#include "framework/page_control.h"
#include "framework/radio_button.h"
#include "framework/spin_edit.h"

namespace vistrel::app {

/// The page "高级设置": how rests are carried out, start-up options and the two global hot keys. Every option is
/// written the moment it changes; the hot keys only when the user saves them.
class SettingsPage {
public:
    /// Builds the page's controls on `sheet`, owned by `owner`: they edit `settings` through `store`, and the
    /// hot-key boxes capture the keys of `hot_keys`' two items. A new boot grace is told to `scheduler`; a key
    /// refused in a box is told through `messages`.
    SettingsPage(TComponent& owner,
                 TTabSheet& sheet,
                 Settings& settings,
                 SettingsStore& store,
                 TzqHotKey& hot_keys,
                 Scheduler& scheduler,
                 MessageService& messages);

    TGroupBox* GroupBox_restmode = nullptr;
    TRadioButton* RadioButton_Restmode0 = nullptr;
    TRadioButton* RadioButton_Restmode1 = nullptr;
    TRadioButton* RadioButton_Restmode2 = nullptr;
    TGroupBox* GroupBox_hotkey = nullptr;
    TEdit* Edit_hotkey_0 = nullptr;
    TEdit* Edit_hotkey_1 = nullptr;
    TzqBtn* zqBtn_update_hotkey = nullptr;
    TGroupBox* GroupBox_other = nullptr;
    TCheckBox* CheckBox_Compulsory = nullptr;
    TCheckBox* CheckBox_Premind = nullptr;
    TCheckBox* CheckBox_Autorun = nullptr;
    TCheckBox* CheckBox_AutoMinimize = nullptr;
    TSpinEdit* CSpinEdit9 = nullptr;

    /// Puts the loaded options into the controls (their click handlers then see the options' own values).
    void show_settings();

    void RadioButton_RestmodeClick(TObject* sender);
    void CheckBox_CompulsoryClick(TObject* sender);
    void CheckBox_PremindClick(TObject* sender);
    void CheckBox_AutorunClick(TObject* sender);
    void CheckBox_AutoMinimizeClick(TObject* sender);
    void CSpinEdit9Change(TObject* sender);
    void zqBtn_update_hotkeyClick(TObject* sender);

private:
    void create_rest_mode_group(TTabSheet& sheet);
    void create_hot_key_group(TTabSheet& sheet);
    void create_other_group(TTabSheet& sheet);

    TComponent& owner_;
    Settings& settings_;
    SettingsStore& store_;
    TzqHotKey& hot_keys_;
    Scheduler& scheduler_;
    MessageService& messages_;
};

}  // namespace vistrel::app
