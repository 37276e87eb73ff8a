# The settings page (options written on each click, the boot grace) and the global hot keys.

open_settings_page() {
    click_in_main_window 188 46
    sleep 0.7
}

setting() { reg_value "$settings_key" "$1"; }
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
    check "clicked again, still monitor off" equals "$(setting RestMode)" 0x1
    click_in_control "启动时自动最小化窗口" 75 39  # the boot-grace field, on the row below
    xdotool key Home shift+End type 3
    check "typing 3 into the boot grace writes 3" wait_for 0x3 5 setting StartDummyTime
    xdotool type 0
    check "then 0 writes 30" wait_for 0x1e 5 setting StartDummyTime
    screenshot settings-page-changed
}

# Another program's window with the keyboard focus: global hot keys are pressed there.
focus_other_program() {
    wine "$PROBE_EXE" other-program 600 >/dev/null 2>&1 &
    background_pids+=($!)
    probe wait OtherProgram 10000 >/dev/null
    sleep 0.5
    xdotool mousemove 1000 250 click 1
    sleep 0.3
}

e2e_call_up_key_hides_and_shows_the_window_from_another_program() {
    start_vistrel_ready
    focus_other_program
    xdotool key ctrl+alt+shift+F11
    check "the call-up key hides the window" wait_for "visible=0 iconic=0" 5 probe state "$main_class"
    xdotool key ctrl+alt+shift+F11
    check "pressed again it shows it" wait_for "visible=1 iconic=0" 5 probe state "$main_class"
}

e2e_a_saved_hot_key_is_in_force_after_a_restart() {
    start_vistrel_ready
    open_settings_page
    click_in_control "Shift+Ctrl+Alt+F11" 20 10
    xdotool key ctrl+alt+q
    sleep 0.4
    check "the box shows the captured key" equals "$(probe child-rect "$main_class" "Ctrl+Alt+Q" | wc -l)" 1
    screenshot settings-hot-key-captured
    click_in_control "热键设置" 180 80
    check "saving stores it" wait_for 0x351 5 setting HotKey0
    check "the screen-saver key is stored as it is" equals "$(setting HotKey1)" 0x77b
    { kill -9 "$vistrel_pid" && wait "$vistrel_pid"; } 2>/dev/null
    stop_background
    wait_for 0 10 probe count "$main_class" >/dev/null
    start_vistrel_ready
    open_settings_page
    check "after the restart the box shows the saved key" \
        equals "$(probe child-rect "$main_class" "Ctrl+Alt+Q" | wc -l)" 1
    focus_other_program
    xdotool key ctrl+alt+shift+F11
    sleep 1.5
    check "the old key does nothing any more" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    xdotool key ctrl+alt+q
    check "the new key hides the window" wait_for "visible=0 iconic=0" 5 probe state "$main_class"
}
