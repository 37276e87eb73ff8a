# A change of the system clock while Vistrel runs: the rests follow the clock's new time.
# Setting the real clock would move the whole machine's, so libfaketime gives Vistrel's process a clock of its own: the
# real time moved by the seconds in a file, read again at every look. The tick count and the timers stay on real time,
# as they do when the clock is set.

readonly libfaketime=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 time_change=0x1E

# From the moment given (seconds since the epoch) Vistrel's clock reads that local time of today (H:M:S), and runs on.
set_vistrel_clock() {
    printf '%+d\n' $(($(date -d "today $1" +%s) - $2)) >"$clock_file"
}

e2e_a_clock_set_forward_brings_a_rest_to_its_new_time() {
    check "libfaketime is installed (scripts/setup)" [ -e "$libfaketime" ]
    clock_file=$(dirname "$WINEPREFIX")/clock
    set_setting CompulsoryRest 0
    set_setting RestMode 0
    set_setting AutoMinimize 0
    schedule add-rest 13:00:00 1 >/dev/null
    set_vistrel_clock 10:00:00 "$(date +%s)"
    LD_PRELOAD=$libfaketime FAKETIME_TIMESTAMP_FILE=$clock_file FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
        start_vistrel
    wait_for "visible=1 iconic=0" 30 probe state "$main_class" || abandon "the main window did not show"
    local moved=$(date +%s)
    set_vistrel_clock 12:59:52 "$moved"
    probe send "$main_class" $time_change 0 0 >/dev/null
    check "the rest comes after the clock is set forward" probe wait-title "定时提醒" 20000
    local late=$(($(date +%s%N) / 1000000 - (moved + 8) * 1000))
    check "at the clock's new time (${late} ms)" within "$late" -100 1000
    screenshot clock-change-rest
}
