# The settings page: options written on each click, the boot grace.

run_value() { reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Vistrel; }

e2e_settings_options_are_written_when_clicked() {
    start_vistrel_ready
    open_settings_page
    screenshot settings-page
    check "nothing written at start" equals "$(setting CompulsoryRest)$(setting RestMode)$(setting StartDummyTime)" ""
    click_control "以强制方式执行休息 "
    check "unticking compulsory rests writes 0" equals "$(setting CompulsoryRest)" 0x0
    click_control "以强制方式执行休息 "
    check "ticking it writes 1" equals "$(setting CompulsoryRest)" 0x1
    click_control "强制休息时提前一分钟预提醒"
    check "the pre-reminder" equals "$(setting CompulsoryPremind)" 0x1
    click_control "启动时自动最小化窗口"
    check "minimise at start" equals "$(setting AutoMinimize)" 0x1
    local path
    path=$(run_value)
    click_control "开机时自动运行本软件"
    check "start with Windows off: no Run value" equals "$(setting AutoRun) $(run_value)" "0x0 "
    click_control "开机时自动运行本软件"
    check "on again: the Run value is back" equals "$(setting AutoRun) $(run_value)" "0x1 $path"
    click_control "对话框提醒"
    check "dialog reminders" equals "$(setting RestMode)" 0x0
    click_control "关闭显示器"
    check "monitor off" equals "$(setting RestMode)" 0x1
    click_control "关闭显示器"
    # The button already chosen shows no change, and the value written is the one stored: nothing to wait for.
    sleep 0.4
    check "clicked again, still monitor off" equals "$(setting RestMode)" 0x1
    click_field_of VistrelSpinEdit 1 "其他设置"  # the boot grace
    xdotool key Home shift+End type 3
    check "typing 3 into the boot grace writes 3" wait_for 0x3 5 setting StartDummyTime
    xdotool type 0
    check "then 0 writes 30" wait_for 0x1e 5 setting StartDummyTime
    screenshot settings-page-changed
}
