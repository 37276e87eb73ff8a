# Two copies started at the same moment: one runs, the other wakes it and ends.

# The icons docked in the notification area of start_tray_host: each is a window of wine's explorer in it.
docked_icons() { xdotool search --onlyvisible --class explorer.exe 2>/dev/null | wc -l; }

# Waits until one of two processes has ended, at most the seconds given; prints its pid.
first_to_end() {
    local deadline=$((SECONDS + $3)) pid
    while [ $SECONDS -lt $deadline ]; do
        for pid in "$1" "$2"; do
            kill -0 "$pid" 2>/dev/null || { echo "$pid"; return 0; }
        done
        read -r -t 0.1 -u "$idle"
    done
    return 1
}

# Ends every process of the prefix, so that the next round starts as a new session would. The probe server is then
# started again and answers once before going on: a wine process still starting would bring up a wineserver of its
# own after the case's end had stopped the prefix's.
end_all_copies() {
    stop_probe_server
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    start_probe_server
    check "no copy is left" equals "$(probe count "$main_class")" 0
}

# Ten rounds of two copies started together: each round one copy runs, with one main window and one tray icon, and
# the other ends with 0.
e2e_two_copies_started_together_run_as_one() {
    start_tray_host
    local round first second ended running
    for round in $(seq 10); do
        start_vistrel
        first=$vistrel_pid
        start_vistrel
        second=$vistrel_pid
        ended=$(first_to_end "$first" "$second" 60)  # wine may take long to start on a busy machine
        check "round $round: one copy ends by itself" [ -n "$ended" ]
        if [ -n "$ended" ]; then
            running=$([ "$ended" = "$first" ] && echo "$second" || echo "$first")
            check "round $round: it ends with 0" wait "$ended"
            check "round $round: one main window" wait_for 1 30 probe count "$main_class"
            check "round $round: one tray icon" wait_for 1 20 docked_icons
            check "round $round: the other copy runs on" kill -0 "$running"
            [ "$round" -gt 1 ] || screenshot double-start-one-copy
            check "round $round: still one main window and one tray icon" \
                equals "$(probe count "$main_class") $(docked_icons)" "1 1"
        fi
        end_all_copies
    done
}
