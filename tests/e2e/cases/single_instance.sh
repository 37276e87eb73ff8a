# One copy per session, the wake-up message and the power-off arguments.

e2e_second_copy_wakes_the_first_and_exits() {
    start_vistrel_shown
    probe minimize "$main_class"
    check "first copy minimised to the tray" wait_for "visible=0 iconic=1" 5 probe owner-state $main_class
    check "second copy exits with 0" equals "$(run_vistrel 15)" 0
    check "still one main window" equals "$(probe count $main_class)" 1
    check "first copy restored" wait_for "visible=1 iconic=0" 5 probe state $main_class
    screenshot woken-by-second-copy
}

e2e_shutdown_argument_creates_no_window() {
    check "Vistrel.exe Shutdown exits with 0" equals "$(run_vistrel 15 Shutdown)" 0
    check "no main window was created" equals "$(probe count $main_class)" 0
}

e2e_other_argument_starts_normally() {
    start_vistrel --anything
    check "main window appears" [ "$(probe wait "$main_class" 15000; echo $?)" = 0 ]
}
