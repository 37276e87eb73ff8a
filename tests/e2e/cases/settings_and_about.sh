# The settings page (options written on each click, the boot grace), the global hot keys and the About page.

# Clicks a control of the main window found by its text (a check box or radio button: on its box).
click_control() {
    local left top bottom
    read -r left top _ bottom < <(probe child-rect "$main_class" "$1")
    xdotool mousemove $((left + 7)) $(((top + bottom) / 2)) click 1
    sleep 0.4
}

# Clicks at a point of the control with that text (coordinates within it).
click_in_control() {
    local left top
    read -r left top _ < <(probe child-rect "$main_class" "$1")
    xdotool mousemove $((left + $2)) $((top + $3)) click 1
    sleep 0.4
}

# Vistrel with its window shown and ready for clicks and keys. Its icon goes to a notification area, so that no
# stand-in tray window of wine takes the focus.
start_vistrel_ready() {
    start_tray_host
    start_vistrel_shown
    wait_for "visible=1 iconic=0" 10 probe state "$main_class" >/dev/null
    sleep 0.5
}

open_page() {
    local -A tab_x=([settings]=188 [about]=245)
    click_in_main_window "${tab_x[$1]}" 46
    sleep 0.7
}

setting() { reg_value "$settings_key" "$1"; }
run_value() { reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Vistrel; }

e2e_settings_options_are_written_when_clicked() {
    start_vistrel_ready
    open_page settings
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
    open_page settings
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
    open_page settings
    check "after the restart the box shows the saved key" \
        equals "$(probe child-rect "$main_class" "Ctrl+Alt+Q" | wc -l)" 1
    focus_other_program
    xdotool key ctrl+alt+shift+F11
    sleep 1.5
    check "the old key does nothing any more" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    xdotool key ctrl+alt+q
    check "the new key hides the window" wait_for "visible=0 iconic=0" 5 probe state "$main_class"
}

# The About page's picture button, saved as it shows now as the next of the crops. It stands at (380, 70) in the
# window (the page control at (13, 35), its page, the group at (8, 5), the button at (355, 7)); the window's corner is
# read once beforehand, because the probe is too slow to run between the pictures.
crops=()
crop_animation() {
    local file="$WINEPREFIX/frame-${#crops[@]}.png"
    import -window root -crop "88x65+$((window_left + 380))+$((window_top + 70))" "$file" 2>/dev/null
    crops+=("$file")
}

# A picture of the screen as it is now: the animation never lets the screen settle for the usual screenshot.
screenshot_now() {
    mkdir -p "$SCREENSHOT_DIR"
    import -window root "$SCREENSHOT_DIR/$1.png" 2>/dev/null || echo "  (screenshot $1 failed)"
}

# Steps forward from the picture shown in one crop to the picture of another (pictures alike count as one).
steps_between() {
    local best=99 a b d
    for a in ${1//\// }; do
        for b in ${2//\// }; do
            d=$(((b - a + 14) % 14))
            [ $d -lt $best ] && best=$d
        done
    done
    echo $best
}

about_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
about_bitmaps=$(cd "$about_tools/../../resources/bitmaps" && pwd)

e2e_about_page_animates_only_while_shown() {
    start_vistrel_ready
    local window_left window_top
    read -r window_left window_top _ < <(probe rect "$main_class")
    click_tab() { xdotool mousemove $((window_left + $1)) $((window_top + 46)) click 1; }
    crops=()
    click_tab 245
    crop_animation  # before the first tick
    screenshot_now about-page-frame-a
    for _ in 1 2 3; do
        sleep 0.5
        crop_animation
    done
    screenshot_now about-page-frame-b
    crop_animation  # the last picture before leaving
    click_tab 188
    sleep 3
    click_tab 245
    crop_animation  # straight after coming back
    sleep 1.2
    crop_animation
    local frames
    read -r -a frames < <("$about_tools/frame_index.py" "$about_bitmaps" "${crops[@]}" | tr '\n' ' ')
    echo "    pictures seen: ${frames[*]}"
    check "picture 13 shows on opening" [ "$(steps_between 13 "${frames[0]}")" -le 1 ]
    local forward=0 step
    for i in 1 2 3; do
        step=$(steps_between "${frames[i - 1]}" "${frames[i]}")
        [ "$step" -le 2 ] || forward=-99
        forward=$((forward + step))
    done
    check "it advances a picture each half second" [ "$forward" -ge 3 ]
    check "it stood still while the page was away" [ "$(steps_between "${frames[4]}" "${frames[5]}")" -le 2 ]
    check "and goes on after coming back" [ "$(steps_between "${frames[5]}" "${frames[6]}")" -ge 2 ]

    click_in_control "简要说明" 200 80
    xdotool key ctrl+End
    sleep 0.5
    screenshot_now about-description-end
}
