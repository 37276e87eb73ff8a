# The rest and task timetable pages driven with real input; the lists and the data file must agree with it.

# Points of the pages, relative to the top-left corner of a page (found from the rest list, which stands at 6, 78).
page_origin() {
    read -r list_left list_top <<<"$(probe place "$main_class" rest)"
    page_x=$((list_left - 6)) page_y=$((list_top - 78))
}

click_at() { # x y [button]
    xdotool mousemove $((page_x + $1)) $((page_y + $2)) click "${3:-1}"
    sleep 0.3
}

keys() { xdotool key --delay 60 "$@"; sleep 0.2; }

# Replaces the number in a spin field at a page point.
type_number() { # x y number
    click_at "$1" "$2"
    keys End BackSpace BackSpace BackSpace
    xdotool type --delay 60 -- "$3"
}

# Replaces the text of an edit at a page point.
type_text() { # x y text
    click_at "$1" "$2"
    keys End shift+Home Delete
    xdotool type --delay 40 -- "$3"
    sleep 0.2
}

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
    start_vistrel_shown
    sleep 1
    page_origin

    # "标准": every 120 minutes from 00:00:01 to 23:59:59, rests of 5 minutes.
    type_number 247 29 120
    type_number 359 29 5
    click_at 434 29
    local expected_rests="" hour
    for hour in 00 02 04 06 08 10 12 14 16 18 20 22; do
        expected_rests+="$hour:00:01	5"$'\n'
    done
    # "定制": a rest of 7 minutes at 12:34:56.
    click_at 88 61
    type_number 33 29 12
    type_number 93 29 34
    type_number 153 29 56
    type_number 307 29 7
    click_at 434 29
    check "a typed field keeps its arrows" arrows_drawn 56
    expected_rests=$(printf '%s' "$expected_rests" | sed 's/^12:00:01\t5$/&\n12:34:56\t7/')
    check "rest list shows the generated and the custom rests" equals "$(probe rows "$main_class" rest)" "$expected_rests"
    check "data file holds the same rests" equals "$(file_rows rest)" "$expected_rests"
    screenshot timetables-rest-page

    # The task page: a reminder every day at the picker's time, a program an hour later.
    click_at 105 -14
    click_at 24 34                       # "每天"
    type_text 100 120 "stand up and look far away"
    click_at 416 116                     # "添加"
    click_at 208 57                      # the hour of the time picker
    keys Up
    click_at 320 56                      # "执行外部应用程序"
    type_text 174 108 'C:\windows\notepad.exe'
    type_text 136 133 "-x"
    click_at 308 133                     # the start mode: "最大化"
    keys Down Return
    click_at 416 116
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
    local reminder_row=0
    [ "$(printf '%s\n' "$tasks" | head -1 | cut -f1)" = "$reminder_time" ] || reminder_row=1
    click_at 60 $((187 + reminder_row * 17)) 3
    screenshot timetables-context-menu
    keys Down Down Return
    sleep 0.5
    check "the reminder's row is gone" equals "$(probe rows "$main_class" task)" \
        "$program_time	执行程序：C:\\windows\\notepad.exe -x (最大化窗口)"
    check "data file holds the program task alone" equals "$(file_rows task)" "$(probe rows "$main_class" task)"
    check "the rests are untouched" equals "$(file_rows rest)" "$expected_rests"
}
