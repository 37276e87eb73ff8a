# Sleep and wake: what falls due while the computer sleeps is skipped, and the schedule goes on after it wakes.
# Wine never sleeps, so the probe sends the system's power notices; a timer that fires after the sleep notice counts
# as having slept through its time.

readonly power_broadcast=0x218 suspend=4 resume_suspend=7 resume_automatic=0x12

# Rests in dialog mode at the moments given (seconds since the epoch).
rests_in_dialog_mode_at() {
    set_setting CompulsoryRest 0
    set_setting RestMode 0
    local due
    for due in "$@"; do
        schedule add-rest "$(date -d "@$due" +%H:%M:%S)" 1 >/dev/null
    done
}

e2e_a_rest_due_while_asleep_is_skipped_and_the_next_one_runs() {
    local start=$(date +%s)
    rests_in_dialog_mode_at $((start + 20)) $((start + 40))
    start_vistrel_shown
    check "the sleep notice is answered" equals "$(probe send "$main_class" $power_broadcast $suspend 0)" 1
    check "no rest while asleep" [ "$(probe wait-title "定时提醒" "$(ms_until $((start + 23)))"; echo $?)" = 1 ]
    probe send "$main_class" $power_broadcast $resume_automatic 0 >/dev/null
    check "the next rest runs after the wake" probe wait-title "定时提醒" "$(ms_until $((start + 45)))"
}

# A short sleep woken from before the rest is due: the wake notice arms the rest again, so it runs at its time.
rest_runs_after_a_short_sleep() {
    local due=$(($(date +%s) + 30))
    rests_in_dialog_mode_at $due
    start_vistrel_shown
    probe send "$main_class" $power_broadcast $suspend 0 >/dev/null
    check "the wake notice is answered" equals "$(probe send "$main_class" $power_broadcast "$1" 0)" 1
    check "awake before the rest is due" [ "$(date +%s)" -lt $due ]
    check "the rest runs at its time" probe wait-title "定时提醒" "$(ms_until $((due + 10)))"
}
e2e_wake_by_the_user_arms_the_rest_again() { rest_runs_after_a_short_sleep $resume_suspend; }
e2e_automatic_wake_arms_the_rest_again() { rest_runs_after_a_short_sleep $resume_automatic; }
