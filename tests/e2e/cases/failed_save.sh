# A save that cannot open the data file tells the user where, and the program keeps running on the timetable in
# memory instead of ending.

saved_rests() { schedule show 2>/dev/null | grep -c '^rest'; }

e2e_a_failed_save_is_shown_and_the_program_runs_on() {
    # A plain file where the per-user data folder belongs: the first start's timetable cannot be saved.
    local folder
    folder=$(dirname "$(data_file)")
    mkdir -p "$(dirname "$folder")"
    echo "not a folder" >"$folder"
    set_setting AutoMinimize 0
    start_vistrel
    check "the failed save is shown" probe wait-title "提示" 20000
    screenshot failed-save-message
    probe click "提示" "确定"
    # The window shows once the start has gone on past the message; a program that ends there never shows it.
    wait_for "visible=1 iconic=0" 10 probe state "$main_class"
    check "the program runs on with its window shown" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    check "the wine process is still there" kill -0 "$vistrel_pid"
    check "the 24 standard rests run on from memory" equals "$(probe rows "$main_class" rest | wc -l)" 24
    check "nothing was written over the file in the way" equals "$(cat "$folder")" "not a folder"
    screenshot failed-save-running
    rm "$folder" && mkdir "$folder"
    click_in_control "确定" 20 10  # the standard timetable's button: a change that saves again
    check "the next change is saved" wait_for 24 5 saved_rests
}
