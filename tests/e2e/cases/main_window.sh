# The main window: first start, its pages, and closing requests it refuses.

e2e_first_start_sets_up_the_user_and_goes_to_the_tray() {
    start_tray_host
    start_vistrel
    probe wait "$main_class" 15000 >/dev/null
    # The window is hidden from its creation on: the application's minimising comes after it.
    check "application minimised" wait_for "visible=0 iconic=1" 10 probe owner-state "$main_class"
    check "window minimised to the tray" equals "$(probe state "$main_class")" "visible=0 iconic=0"
    check "settings version 1.0" equals "$(reg_value "$settings_key" Version)" "1.0"
    check "started with Windows from its own path, in quotes" \
        equals "$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Vistrel)" \
        "\"$(winepath -w "$VISTREL_EXE" 2>/dev/null | tr -d '\r')\""
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
