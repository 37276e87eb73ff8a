# A program task that cannot start its program says so at its time, with the program's path, and the schedule goes
# on.

e2e_a_program_deleted_before_its_time_is_named_then() {
    local folder="$WINEPREFIX/drive_c/工具" base
    mkdir -p "$folder"
    cp "$PROBE_EXE" "$folder/备份 程序.exe"
    base=$(date +%s)
    # Far enough ahead for a start on a busy machine.
    schedule add-program "$(date -d "@$((base + 40))" +%H:%M:%S)" 0 'C:\工具\备份 程序.exe' '/all' >/dev/null
    schedule add-reminder "$(date -d "@$((base + 60))" +%H:%M:%S)" "下一个任务" >/dev/null
    check "the task is stored while its program is there" \
        equals "$(schedule show | grep '^program' | cut -f4)" 'C:\\工具\\备份 程序.exe'
    rm "$folder/备份 程序.exe"
    start_vistrel_shown
    check "nothing is said before the task's time" \
        [ "$(probe wait-title "提示" "$(ms_until $((base + 39)))"; echo $?)" = 1 ]
    check "at its time the user is told" probe wait-title "提示" 15000
    screenshot program-task-program-gone
    check "the window runs on under the message" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    probe click "提示" "确定"
    check "the next task follows at its time" probe wait-title "消息提醒" "$(($(ms_until $((base + 60))) + 15000))"
    screenshot program-task-next-reminder
}
