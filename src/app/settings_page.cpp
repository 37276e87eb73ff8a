#include "app/settings_page.h"

#include "app/form_style.h"
#include "engine/hot_key_rule.h"

namespace vistrel::app {

SettingsPage::SettingsPage(TComponent& owner,
                           TTabSheet& sheet,
                           Settings& settings,
                           SettingsStore& store,
                           TzqHotKey& hot_keys,
                           Scheduler& scheduler,
                           MessageService& messages)
    : owner_(owner),
      settings_(settings),
      store_(store),
      hot_keys_(hot_keys),
      scheduler_(scheduler),
      messages_(messages) {
    create_rest_mode_group(sheet);
    create_hot_key_group(sheet);
    create_other_group(sheet);
}

void SettingsPage::create_rest_mode_group(TTabSheet& sheet) {
    GroupBox_restmode = add_group(owner_, sheet, L"休息方式", {16, 15, 200, 101});
    RadioButton_Restmode0 = add_radio_button(owner_, *GroupBox_restmode, L"对话框提醒", 16, 24, 0);
    RadioButton_Restmode1 = add_radio_button(owner_, *GroupBox_restmode, L"关闭显示器", 16, 48, 1);
    RadioButton_Restmode2 = add_radio_button(owner_, *GroupBox_restmode, L"启动屏幕保护程序", 16, 72, 2);
    RadioButton_Restmode2->SetChecked(true);
    for (TRadioButton* button : {RadioButton_Restmode0, RadioButton_Restmode1, RadioButton_Restmode2}) {
        button->OnClick = [this](TObject* sender) { RadioButton_RestmodeClick(sender); };
    }
}

void SettingsPage::create_hot_key_group(TTabSheet& sheet) {
    GroupBox_hotkey = add_group(owner_, sheet, L"热键设置", {226, 15, 230, 101});
    const std::pair<const wchar_t*, TEdit**> rows[] = {{L"呼出窗口:", &Edit_hotkey_0}, {L"启动屏保:", &Edit_hotkey_1}};
    int top = 17;
    for (int item = 0; item < 2; ++item) {
        add_label(owner_, *GroupBox_hotkey, rows[item].first, 12, top + 4);
        TEdit* edit = new TEdit(&owner_);
        edit->SetParent(GroupBox_hotkey);
        edit->SetBounds(72, top, 146, 21);
        edit->Tag = item;
        // The item makes the box read-only and captures the keys pressed in it.
        THotKeyListItem& hot_key = hot_keys_.KeyList().GetItem(item);
        hot_key.setKeyEdit(edit);
        hot_key.OnKeyRefused = [this](TObject*) {
            messages_.MessageDlg(kHotKeyRefusedText, kNoticeCaption, MessageService::kWarning);
        };
        *rows[item].second = edit;
        top += 25;
    }
    zqBtn_update_hotkey = new TzqBtn(&owner_);
    zqBtn_update_hotkey->SetParent(GroupBox_hotkey);
    zqBtn_update_hotkey->SetBounds(143, top + 2, 75, 23);
    zqBtn_update_hotkey->SetCaption(L"保存热键");
    zqBtn_update_hotkey->OnClick = [this](TObject* sender) { zqBtn_update_hotkeyClick(sender); };
}

void SettingsPage::create_other_group(TTabSheet& sheet) {
    GroupBox_other = add_group(owner_, sheet, L"其他设置", {16, 129, 430, 139});
    // Room for the longest caption, and the first box of the top line ends before the one beside it.
    constexpr int kBoxWidth = 190;
    CheckBox_Compulsory = add_check_box(owner_, *GroupBox_other, L"以强制方式执行休息 ", 18, 24, kBoxWidth);
    CheckBox_Premind = add_check_box(owner_, *GroupBox_other, L"强制休息时提前一分钟预提醒", 216, 23, kBoxWidth);
    CheckBox_Autorun = add_check_box(owner_, *GroupBox_other, L"开机时自动运行本软件", 18, 51, kBoxWidth);
    CheckBox_AutoMinimize = add_check_box(owner_, *GroupBox_other, L"启动时自动最小化窗口", 18, 78, kBoxWidth);
    // The stored states are the options' defaults.
    CheckBox_Compulsory->SetChecked(true);
    CheckBox_Autorun->SetChecked(true);
    CheckBox_AutoMinimize->SetChecked(true);
    CheckBox_Compulsory->OnClick = [this](TObject* sender) { CheckBox_CompulsoryClick(sender); };
    CheckBox_Premind->OnClick = [this](TObject* sender) { CheckBox_PremindClick(sender); };
    CheckBox_Autorun->OnClick = [this](TObject* sender) { CheckBox_AutorunClick(sender); };
    CheckBox_AutoMinimize->OnClick = [this](TObject* sender) { CheckBox_AutoMinimizeClick(sender); };

    const TLabel* before = add_label(owner_, *GroupBox_other, L"电脑启动后", 18, 111);
    CSpinEdit9 =
        add_spin_edit(owner_, *GroupBox_other, before->Left() + before->Width() + 4, 107, 0, kStartDummyTimeMax, 15);
    add_label(owner_, *GroupBox_other, L"分钟内拒绝休息", CSpinEdit9->Left() + CSpinEdit9->Width() + 4, 111);
}

void SettingsPage::show_settings() {
    CheckBox_Autorun->SetChecked(settings_.AutoRun);
    CheckBox_AutoMinimize->SetChecked(settings_.AutoMinimize);
    CheckBox_Compulsory->SetChecked(settings_.CompulsoryRest);
    CheckBox_Premind->SetChecked(settings_.CompulsoryPremind);
    CheckBox_Premind->SetEnabled(settings_.CompulsoryRest);
    switch (settings_.RestMode) {
        case 0:
            RadioButton_Restmode0->SetChecked(true);
            break;
        case 2:
            RadioButton_Restmode2->SetChecked(true);
            break;
        default:
            RadioButton_Restmode1->SetChecked(true);
            break;
    }
    // The field shows the boot grace in force, not its stored 15. It reports changes only from here on, so that
    // showing the stored value writes nothing.
    CSpinEdit9->SetValue(settings_.StartDummyTime);
    CSpinEdit9->OnChange = [this](TObject* sender) { CSpinEdit9Change(sender); };
}

void SettingsPage::RadioButton_RestmodeClick(TObject* sender) {
    // Every click writes, also on the button already selected.
    auto* button = static_cast<TRadioButton*>(sender);
    settings_.RestMode = button->Tag;
    store_.write_setting(kRestModeValue, button->Tag);
}

void SettingsPage::CheckBox_CompulsoryClick(TObject*) {
    if (store_.toggle_option(settings_.CompulsoryRest, kCompulsoryRestValue, CheckBox_Compulsory->Checked())) {
        CheckBox_Premind->SetEnabled(settings_.CompulsoryRest);
    }
}

void SettingsPage::CheckBox_PremindClick(TObject*) {
    store_.toggle_option(settings_.CompulsoryPremind, kCompulsoryPremindValue, CheckBox_Premind->Checked());
}

void SettingsPage::CheckBox_AutorunClick(TObject*) {
    store_.switch_auto_run(settings_, CheckBox_Autorun->Checked());
}

void SettingsPage::CheckBox_AutoMinimizeClick(TObject*) {
    store_.toggle_option(settings_.AutoMinimize, kAutoMinimizeValue, CheckBox_AutoMinimize->Checked());
}

void SettingsPage::CSpinEdit9Change(TObject*) {
    settings_.StartDummyTime = CSpinEdit9->Value();
    store_.write_setting(kStartDummyTimeValue, settings_.StartDummyTime);
    scheduler_.reset_boot_grace();  // the next due rest tests the uptime again
}

void SettingsPage::zqBtn_update_hotkeyClick(TObject*) {
    hot_keys_.UpdateKey(true);
    // A key that another program holds stays inactive: the stored one stays for the next start.
    for (int item = 0; item < 2; ++item) {
        const THotKeyListItem& key = hot_keys_.KeyList().GetItem(item);
        if (key.Enabled()) {
            store_.write_setting(kHotKeyValues[item], key.KeyValue());
        }
    }
}

}  // namespace vistrel::app
