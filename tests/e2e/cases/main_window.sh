# The main window: first start, its pages, the tray icon and its menu, pause, closing and quitting.

e2e_first_start_sets_up_the_user_and_goes_to_the_tray() {
    start_tray_host
    start_vistrel
    probe wait "$main_class" 15000 >/dev/null
    check "window minimised to the tray" wait_for "visible=0 iconic=0" 10 probe state "$main_class"
    check "application minimised" equals "$(probe owner-state "$main_class")" "visible=0 iconic=1"
    check "settings version 1.0" equals "$(reg_value "$settings_key" Version)" "1.0"
    check "started with Windows from its own path" \
        equals "$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Vistrel)" \
        "$(winepath -w "$VISTREL_EXE" 2>/dev/null | tr -d '\r')"
    check "24 standard rests saved" equals "$(schedule show | grep -c '^rest')" 24
    check "the first at 00:00:01, the last at 23:00:01, each of 1 minute" \
        equals "$(schedule show | sed -n '1p;24p' | tr '\t' ' ')" "$(printf 'rest 00:00:01 1\nrest 23:00:01 1')"
    screenshot tray-after-first-start
}

e2e_window_stays_shown_on_top_with_every_page() {
    start_vistrel_shown
    check "window shown" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    check "window stays on top" equals "$(probe topmost "$main_class")" 1
    local page=0
    # The tabs of the page control, from the window's top-left corner.
    for x in 50 122 188 245; do
        click_in_main_window $x 46
        sleep 0.7
        screenshot "main-window-page-$page"
        page=$((page + 1))
    done
}

e2e_close_requests_leave_the_window_open() {
    start_vistrel_shown
    probe post "$main_class" 0x10 0 0
    sleep 1
    check "WM_CLOSE leaves it open" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    click_in_main_window 250 12
    xdotool key alt+F4
    sleep 1
    check "Alt+F4 leaves it open" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    check "the end of the session is agreed to at once" equals "$(probe send "$main_class" 0x11 0 0)" 1
    probe send "$main_class" 0x16 0 0 >/dev/null
    check "a cancelled log-off changes nothing" equals "$(probe state "$main_class")" "visible=1 iconic=0"
}

# Opens the tray menu with a right click on the icon and chooses the item so many steps down (the first step
# selects the first item; the separator is skipped).
choose_from_tray_menu() {
    xdotool mousemove "$tray_icon_x" "$tray_icon_y" click 3
    sleep 0.8
    [ -n "${2:-}" ] && screenshot "$2"
    local steps=""
    for _ in $(seq "$1"); do steps+=" Down"; done
    xdotool key $steps Return
    sleep 0.8
}

e2e_tray_menu_hides_shows_pauses_and_quits() {
    start_tray_host
    start_vistrel_shown
    choose_from_tray_menu 1 tray-menu-running
    check "hide window" wait_for "visible=0 iconic=0" 5 probe state "$main_class"
    choose_from_tray_menu 1
    check "show window" wait_for "visible=1 iconic=0" 5 probe state "$main_class"
    choose_from_tray_menu 2
    screenshot button-paused
    choose_from_tray_menu 2 tray-menu-paused
    screenshot button-running
    choose_from_tray_menu 3
    check "quit asks first" wait_for yes 5 shown_titled "提示"
    screenshot quit-question
    probe click "提示" "取消"
    sleep 1
    check "Cancel keeps it running" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    choose_from_tray_menu 3
    check "quit asks again" wait_for yes 10 shown_titled "提示"
    probe click "提示" "确定"
    check "OK ends the program" wait_for 0 10 probe count "$main_class"
}

e2e_compulsory_rest_in_dialog_mode_hides_and_restores_the_desktop() {
    start_stand_in_shell
    set_setting RestMode 0
    local due=$(($(date +%s) + 12))
    schedule add-rest "$(date -d "@$due" +%H:%M:%S)" 1 >/dev/null
    start_vistrel_shown
    probe wait-title "定时提醒" 20000
    local late=$(($(date +%s%N) / 1000000 - due * 1000))
    check "the countdown appears at the due time (${late} ms)" [ "$late" -ge -100 ] && [ "$late" -le 1000 ]
    check "task bar and desktop hidden" equals "$(shell_state)" "$shell_hidden"
    check "the rest is marked in the settings" equals "$(reg_value "$settings_key" RestHidesDesktop)" 0x1
    screenshot compulsory-rest-countdown
    check "after the minute task bar and desktop are shown again" wait_for "$shell_shown" 75 shell_state
    sleep 1.5
    check "and the countdown is closed" equals "$(shown_titled "定时提醒")" no
    check "the mark is cleared" equals "$(reg_value "$settings_key" RestHidesDesktop)" ""
}

e2e_pre_reminder_then_a_killed_copy_is_mended_at_next_start() {
    start_stand_in_shell
    set_setting CompulsoryPremind 1
    schedule add-rest "$(time_in 70)" 1 >/dev/null
    start_vistrel_shown
    check "the warning comes a minute before" probe wait-title "Vistrel" 20000
    screenshot pre-reminder
    check "the rest hides task bar and desktop" wait_for "$shell_hidden" 70 shell_state
    kill -9 "$vistrel_pid"
    wait "$vistrel_pid" 2>/dev/null
    check "the killed copy leaves them hidden" wait_for 0 10 probe count "$main_class"
    check "still hidden" equals "$(shell_state)" "$shell_hidden"
    start_vistrel
    probe wait "$main_class" 15000 >/dev/null
    check "the next start shows them again" wait_for "$shell_shown" 10 shell_state
    check "and clears the mark" equals "$(reg_value "$settings_key" RestHidesDesktop)" ""
}

e2e_tasks_run_at_their_time() {
    local marker="$WINEPREFIX/drive_c/program-task-ran" base
    base=$(date +%s)
    schedule add-reminder "$(date -d "@$((base + 12))" '+%Y-%m-%d %H:%M:%S')" "过期的提醒" >/dev/null
    schedule add-reminder "$(date -d "@$((base + 40))" +%H:%M:%S)" "该喝水了" >/dev/null
    schedule add-program "$(date -d "@$((base + 42))" +%H:%M:%S)" 0 "$(winepath -w "$PROBE_EXE" | tr -d '\r')" \
        'touch C:\program-task-ran' >/dev/null
    check "three tasks stored" equals "$(schedule show | grep -c -e '^reminder' -e '^program')" 3
    local left=$((base + 14 - $(date +%s)))  # the dated reminder has passed before the start
    [ "$left" -gt 0 ] && sleep "$left"
    start_vistrel_shown
    check "a dated task in the past never fires" [ "$(probe wait-title "消息提醒" 4000; echo $?)" = 1 ]
    check "the reminder shows at its time" probe wait-title "消息提醒" 30000
    screenshot reminder
    check "the program starts at its time" wait_for yes 10 sh -c "[ -e '$marker' ] && echo yes"
}

e2e_pause_skips_a_rest_and_resume_arms_the_next() {
    set_setting CompulsoryRest 0
    set_setting RestMode 0
    schedule add-rest "$(time_in 15)" 1 >/dev/null
    schedule add-rest "$(time_in 35)" 1 >/dev/null
    start_vistrel_shown
    click_in_main_window 444 374
    sleep 0.5
    screenshot pause-button-paused
    check "no rest while paused" [ "$(probe wait-title "定时提醒" 20000; echo $?)" = 1 ]
    click_in_main_window 444 374
    sleep 0.5
    screenshot pause-button-running
    check "resume arms the next rest" probe wait-title "定时提醒" 20000
}

e2e_a_crash_during_a_rest_brings_the_desktop_back() {
    start_stand_in_shell
    schedule add-rest "$(time_in 8)" 1 >/dev/null
    start_vistrel_shown
    check "the rest hides task bar and desktop" wait_for "$shell_hidden" 15 shell_state
    probe crash "$main_class"
    check "the crash shows them again" wait_for "$shell_shown" 10 shell_state
}

e2e_end_of_session_during_a_rest_brings_the_desktop_back() {
    start_stand_in_shell
    schedule add-rest "$(time_in 8)" 1 >/dev/null
    start_vistrel_shown
    check "the rest hides task bar and desktop" wait_for "$shell_hidden" 15 shell_state
    probe send "$main_class" 0x16 1 0 >/dev/null
    check "the session's end shows them again" wait_for "$shell_shown" 5 shell_state
}
