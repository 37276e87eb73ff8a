# The real tray icon and its menu: hide and show the window, pause and resume, quit with its confirmation.

# Opens the tray menu with a right click on the icon and chooses the item so many steps down (the first step
# selects the first item; the separator is skipped).
choose_from_tray_menu() {
    local icon
    icon=$(wait_until 10 tray_icon_center) || abandon "no icon shows in the tray"
    click_at $icon 3
    wait_until 5 menu_shown || abandon "the tray menu did not open"
    [ -n "${2:-}" ] && screenshot "$2"
    local steps=""
    for _ in $(seq "$1"); do steps+=" Down"; done
    xdotool key $steps Return
    wait_until 5 menu_closed || abandon "the tray menu did not close"
}
menu_closed() { ! menu_shown; }

e2e_tray_menu_hides_shows_pauses_and_quits() {
    start_tray_host
    start_vistrel_shown
    choose_from_tray_menu 1 tray-menu-running
    check "hide window" wait_for "visible=0 iconic=0" 5 probe state "$main_class"
    choose_from_tray_menu 1
    check "show window" wait_for "visible=1 iconic=0" 5 probe state "$main_class"
    choose_from_tray_menu 2
    screenshot button-paused
    choose_from_tray_menu 2 tray-menu-paused
    screenshot button-running
    choose_from_tray_menu 3
    check "quit asks first" wait_for yes 5 shown_titled "提示"
    screenshot quit-question
    probe click "提示" "取消"
    wait_for no 5 shown_titled "提示"
    check "Cancel keeps it running" equals "$(probe state "$main_class")" "visible=1 iconic=0"
    choose_from_tray_menu 3
    check "quit asks again" wait_for yes 10 shown_titled "提示"
    probe click "提示" "确定"
    check "OK ends the program" wait_for 0 10 probe count "$main_class"
}
