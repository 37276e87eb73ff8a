# The main window: first start, its pages, closing requests, and the tray icon's menu with hide, pause and quit.

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
