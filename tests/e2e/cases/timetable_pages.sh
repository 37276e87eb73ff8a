# The rest and task timetable pages driven with real input; the lists and the data file must agree with it.

keys() { xdotool key --delay 60 "$@"; }

# Whether a field found by control_of shows that text now. Typing waits for it, so that the keys after go where
# they are meant to.
field_shows() { prints "$2" text_of "${1##* }"; }

# Replaces the number in the Nth spin field within the control showing a text (a group, the tab of a page).
type_number() { # n within number
    local field
    click_field_of VistrelSpinEdit "$1" "$2"
    keys End BackSpace BackSpace BackSpace
    xdotool type --delay 60 -- "$3"
    wait_until 5 field_shows "$field" "$3" || abandon "the field does not show the typed $3"
}

# Replaces the text of the Nth edit box within the control showing a text.
type_text() { # n within text
    local field
    click_field_of VistrelEdit "$1" "$2"
    keys End shift+Home Delete
    xdotool type --delay 40 -- "$3"
    wait_until 5 field_shows "$field" "$3" || abandon "the box does not show the typed \"$3\""
}

# The number of rows of a list.
row_count() { probe rows "$main_class" "$1" | wc -l; }

# Whether the arrows of the spin field showing a number are drawn: their place is more than one plain colour.
arrows_drawn() { # number
    local left top right bottom
    read -r left top right bottom <<<"$(probe child-rect "$main_class" "$1")" || return 1
    local arrows="16x$((bottom - top - 6))+$((right - 19))+$((top + 3))"
    [ "$(import -window root -crop "$arrows" +repage -format %k info:)" -gt 1 ]
}

# The data file's entries of one kind in the lists' row format.
file_rows() { # rest|task
    schedule show | awk -F'\t' -v kind="$1" '
        kind == "rest" && $1 == "rest" { print $2 "\t" $3 }
        kind == "task" && $1 == "reminder" { gsub(/\\\\/, "\\", $3); print $2 "\t消息提醒：" $3 }
        kind == "task" && $1 == "program" {
            gsub(/\\\\/, "\\", $4); gsub(/\\\\/, "\\", $5)
            text = $2 "\t执行程序：" $4 " "
            if ($5 != "") text = text $5 " "
            split("(最大化窗口) (最小化窗口) (隐藏窗口)", modes, " ")
            if ($3 > 0) text = text modes[$3]
            print text
        }'
}

e2e_timetable_pages_follow_the_typed_input() {
    start_vistrel_ready

    # "标准": every 120 minutes from 00:00:01 to 23:59:59, rests of 5 minutes.
    type_number 1 "标准" 120
    type_number 2 "标准" 5
    click_control "确定"
    local expected_rests="" hour
    for hour in 00 02 04 06 08 10 12 14 16 18 20 22; do
        expected_rests+="$hour:00:01	5"$'\n'
    done
    # "定制": a rest of 7 minutes at 12:34:56.
    click_tab "定制"
    type_number 1 "定制" 12
    type_number 2 "定制" 34
    type_number 3 "定制" 56
    type_number 4 "定制" 7
    click_control "添加"
    check "a typed field keeps its arrows" arrows_drawn 56
    expected_rests=$(printf '%s' "$expected_rests" | sed 's/^12:00:01\t5$/&\n12:34:56\t7/')
    wait_for "$expected_rests" 5 probe rows "$main_class" rest
    check "rest list shows the generated and the custom rests" equals "$(probe rows "$main_class" rest)" "$expected_rests"
    check "data file holds the same rests" equals "$(file_rows rest)" "$expected_rests"
    screenshot timetables-rest-page

    # The task page: a reminder every day at the picker's time, a program an hour later.
    click_tab "定时任务表"
    click_control "每天"
    type_text 1 "消息提醒内容" "stand up and look far away"
    click_control "添加"
    wait_for 1 5 row_count task
    # The hour: the first field of the time picker's HH:mm:ss.
    click_field_of VistrelDateTimePicker 1 "执行时间"
    keys Up
    click_control "执行外部应用程序"
    type_text 1 "外部应用程序启动设置" 'C:\windows\notepad.exe'
    type_text 2 "外部应用程序启动设置" "-x"
    click_field_of VistrelComboBox 1 "外部应用程序启动设置"  # the start mode: "最大化"
    keys Down Return
    click_control "添加"
    wait_for 2 5 row_count task
    local tasks reminder_time program_time
    tasks=$(probe rows "$main_class" task)
    reminder_time=$(printf '%s\n' "$tasks" | awk -F'\t' '/消息提醒/ { print $1 }')
    program_time=$(printf '%s\n' "$tasks" | awk -F'\t' '/执行程序/ { print $1 }')
    check "the reminder is listed every day" equals "${#reminder_time}" 8
    check "the program an hour after it" equals "$program_time" \
        "$(printf '%02d' $(((10#${reminder_time:0:2} + 1) % 24)))${reminder_time:2}"
    check "task list shows what was typed" equals "$(printf '%s\n' "$tasks" | sort)" "$(printf '%s\n' \
        "$reminder_time	消息提醒：stand up and look far away" \
        "$program_time	执行程序：C:\\windows\\notepad.exe -x (最大化窗口)" | sort)"
    check "data file holds the same tasks" equals "$(file_rows task)" "$tasks"
    screenshot timetables-task-page

    # The context menu's "删除" on the reminder's row.
    local reminder_row=0 row
    [ "$(printf '%s\n' "$tasks" | head -1 | cut -f1)" = "$reminder_time" ] || reminder_row=1
    row=$(probe row-rect "$main_class" task $reminder_row) || abandon "the task list has no row $reminder_row"
    click_middle "$row" 3
    wait_until 5 menu_shown || abandon "the list's menu did not open"
    screenshot timetables-context-menu
    keys Down Down Return
    wait_for 1 5 row_count task
    check "the reminder's row is gone" equals "$(probe rows "$main_class" task)" \
        "$program_time	执行程序：C:\\windows\\notepad.exe -x (最大化窗口)"
    check "data file holds the program task alone" equals "$(file_rows task)" "$(probe rows "$main_class" task)"
    check "the rests are untouched" equals "$(file_rows rest)" "$expected_rests"
}
