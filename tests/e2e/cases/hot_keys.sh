# The global hot keys: the call-up key from another program, and a key saved on the settings page.

# Another program's window with the keyboard focus: global hot keys are pressed there.
focus_other_program() {
    wine "$PROBE_EXE" other-program 600 >/dev/null 2>&1 &
    background_pids+=($!)
    wait_for "visible=1 iconic=0" 30 probe state OtherProgram || abandon "the other program's window did not show"
    click_middle "$(probe rect OtherProgram)"
    wait_for OtherProgram 5 foreground_class || abandon "the other program did not get the keyboard"
}

# The button that saves the hot keys has no window of its own (its group paints it). It stands under the two hot-key
# boxes, as high as one and right-aligned with them: clicked one box-height below the lower box and in from its right.
click_save_hot_keys() {
    local box left top right bottom
    box=$(control_of VistrelEdit 2 "热键设置") || abandon "no second hot-key box in the group 热键设置"
    read -r left top right bottom _ <<<"$box"
    click_windowless $((right - (bottom - top))) $((bottom + bottom - top)) "热键设置" "the button 保存热键"
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
    wait_until 5 control_rect "Ctrl+Alt+Q" >/dev/null
    check "the box shows the captured key" equals "$(probe child-rect "$main_class" "Ctrl+Alt+Q" | wc -l)" 1
    screenshot settings-hot-key-captured
    click_save_hot_keys
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
    # Nothing to wait for: the window is to stay as it is. A key in force hides it well within this time.
    sleep 1.5
    check "the old key does nothing any more" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    xdotool key ctrl+alt+q
    check "the new key hides the window" wait_for "visible=0 iconic=0" 5 probe state "$main_class"
}

# How many controls of the main window show that text.
shown_controls() { probe child-rect "$main_class" "$1" 2>/dev/null | wc -l; }

# A key without Ctrl or Alt would be taken from every program: the box refuses it with a message, and one stored in
# the registry is passed over for the default.
e2e_a_hot_key_without_ctrl_or_alt_is_refused() {
    set_setting HotKey1 0x41  # a bare A for the screen-saver key
    start_vistrel_ready
    open_settings_page
    check "the stored bare key is passed over for the default" wait_for 1 5 shown_controls "Shift+Ctrl+Alt+F12"
    click_in_control "Shift+Ctrl+Alt+F11" 20 10
    xdotool key a
    check "a bare key pressed in the box is refused with a message" probe wait-title "提示" 5000
    screenshot hot-key-refused
    probe click "提示" "确定"
    check "the box shows the key in force" wait_for 1 5 shown_controls "Shift+Ctrl+Alt+F11"
    click_in_control "热键设置" 180 80
    check "saving keeps the call-up key in force" wait_for 0x77a 5 setting HotKey0
    check "and stores the default in place of the bare key" equals "$(setting HotKey1)" 0x77b
    focus_other_program
    xdotool key ctrl+alt+shift+F11
    check "the call-up key still works" wait_for "visible=0 iconic=0" 5 probe state "$main_class"
}
