# Pausing with the button skips what falls due meanwhile; resuming arms the next rest.

# The pause button has no window of its own (the main window paints it), so it is found by its picture: 0 while the
# program runs, 1 while it is paused.
readonly run_and_pause=("$bitmaps_dir/ctlrun.bmp" "$bitmaps_dir/ctlpause.bmp")

# Clicks the button at its place and waits for it to show the picture of the state it switched to.
click_pause_button() { # place picture
    click_windowless $((($1 + $3) / 2)) $((($2 + $4) / 2)) "Vistrel" "the pause button"
    wait_for "$5" 5 picture_at "$1 $2 $3 $4" "${run_and_pause[@]}" || abandon "the pause button did not switch"
}

e2e_pause_skips_a_rest_and_resume_arms_the_next() {
    set_setting CompulsoryRest 0
    set_setting RestMode 0
    local first=$(($(date +%s) + 60)) second=$(($(date +%s) + 80))  # room for wine to start on a busy machine
    schedule add-rest "$(date -d "@$first" +%H:%M:%S)" 1 >/dev/null
    schedule add-rest "$(date -d "@$second" +%H:%M:%S)" 1 >/dev/null
    start_vistrel_shown
    local button
    # The window may show a moment before it has painted.
    button=$(wait_until 10 find_picture "$(probe rect "$main_class")" "${run_and_pause[@]}") ||
        abandon "the pause button's picture does not show in the main window"
    click_pause_button $button 1
    screenshot pause-button-paused
    check "paused before the rest is due" [ "$(date +%s)" -lt $first ]
    check "no rest while paused" [ "$(probe wait-title "定时提醒" "$(ms_until $((first + 3)))"; echo $?)" = 1 ]
    click_pause_button $button 0
    screenshot pause-button-running
    check "resume arms the next rest" probe wait-title "定时提醒" "$(ms_until $((second + 5)))"
}
