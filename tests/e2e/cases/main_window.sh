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
    local page=0 caption
    for caption in "休息时间表" "定时任务表" "高级设置" "关于..."; do
        click_tab "$caption"
        screenshot "main-window-page-$page"
        page=$((page + 1))
    done
}

# Gives the main window the keyboard with a click on its caption, which the frame paints (no window of its own) in
# the strip above the page control: midway between the window's top edge and the page control's.
focus_main_window() {
    local left top right pages pages_top
    read -r left top right _ < <(probe rect "$main_class")
    pages=$(control_of VistrelPageControl 1) || abandon "the main window shows no page control"
    read -r _ pages_top _ <<<"$pages"
    click_windowless $(((left + right) / 2)) $(((top + pages_top) / 2)) "Vistrel" "the main window's caption"
    wait_for "$main_class" 5 foreground_class || abandon "a click on the caption did not give the window the keyboard"
}

e2e_close_requests_leave_the_window_open() {
    start_vistrel_shown
    probe post "$main_class" 0x10 0 0
    # Nothing to wait for: the window is to stay as it is. A window that closes does so well within the second.
    sleep 1
    check "WM_CLOSE leaves it open" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    focus_main_window
    xdotool key alt+F4
    sleep 1  # likewise
    check "Alt+F4 leaves it open" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    check "the end of the session is agreed to at once" equals "$(probe send "$main_class" 0x11 0 0)" 1
    probe send "$main_class" 0x16 0 0 >/dev/null
    check "a cancelled log-off changes nothing" equals "$(probe state "$main_class")" "visible=1 iconic=0"
}
