# A compulsory rest in dialog mode: the countdown at its time, the task bar and the desktop hidden for its minute.

e2e_compulsory_rest_in_dialog_mode_hides_and_restores_the_desktop() {
    start_stand_in_shell
    set_setting RestMode 0
    local due=$(($(date +%s) + 12))
    schedule add-rest "$(date -d "@$due" +%H:%M:%S)" 1 >/dev/null
    start_vistrel_shown
    probe wait-title "定时提醒" 20000
    local late=$(($(date +%s%N) / 1000000 - due * 1000))
    check "the countdown appears at the due time (${late} ms)" within "$late" -100 1000
    check "task bar and desktop hidden" equals "$(shell_state)" "$shell_hidden"
    check "the rest is marked in the settings" equals "$(reg_value "$settings_key" RestHidesDesktop)" 0x1
    screenshot compulsory-rest-countdown
    check "after the minute task bar and desktop are shown again" wait_for "$shell_shown" 75 shell_state
    wait_for no 5 shown_titled "定时提醒"
    check "and the countdown is closed" equals "$(shown_titled "定时提醒")" no
    check "the mark is cleared" equals "$(reg_value "$settings_key" RestHidesDesktop)" ""
}
