# Pausing with the button skips what falls due meanwhile; resuming arms the next rest.

e2e_pause_skips_a_rest_and_resume_arms_the_next() {
    set_setting CompulsoryRest 0
    set_setting RestMode 0
    local first=$(($(date +%s) + 35)) second=$(($(date +%s) + 55))
    schedule add-rest "$(date -d "@$first" +%H:%M:%S)" 1 >/dev/null
    schedule add-rest "$(date -d "@$second" +%H:%M:%S)" 1 >/dev/null
    start_vistrel_shown
    click_in_main_window 444 374
    sleep 0.5
    screenshot pause-button-paused
    check "paused before the rest is due" [ "$(date +%s)" -lt $first ]
    check "no rest while paused" [ "$(probe wait-title "定时提醒" "$(ms_until $((first + 3)))"; echo $?)" = 1 ]
    click_in_main_window 444 374
    sleep 0.5
    screenshot pause-button-running
    check "resume arms the next rest" probe wait-title "定时提醒" "$(ms_until $((second + 5)))"
}
