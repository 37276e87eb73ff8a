# Timed tasks: a reminder and a program run at their time; a dated one already past never fires.

e2e_tasks_run_at_their_time() {
    local marker="$WINEPREFIX/drive_c/program-task-ran" base
    base=$(date +%s)
    schedule add-reminder "$(date -d "@$((base + 12))" '+%Y-%m-%d %H:%M:%S')" "过期的提醒" >/dev/null
    schedule add-reminder "$(date -d "@$((base + 40))" +%H:%M:%S)" "该喝水了" >/dev/null
    schedule add-program "$(date -d "@$((base + 42))" +%H:%M:%S)" 0 "$(winepath -w "$PROBE_EXE" | tr -d '\r')" \
        'touch C:\program-task-ran' >/dev/null
    check "three tasks stored" equals "$(schedule show | grep -c -e '^reminder' -e '^program')" 3
    local left=$((base + 14 - $(date +%s)))  # the dated reminder has passed before the start
    [ "$left" -gt 0 ] && sleep "$left"
    start_vistrel_shown
    check "a dated task in the past never fires" [ "$(probe wait-title "消息提醒" 4000; echo $?)" = 1 ]
    check "the reminder shows at its time" probe wait-title "消息提醒" 30000
    screenshot reminder
    check "the program starts at its time" wait_for yes 10 sh -c "[ -e '$marker' ] && echo yes"
}
