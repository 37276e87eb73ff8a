# Ways out of a compulsory rest other than its end: a crash and the end of the session bring the desktop back.

e2e_a_crash_during_a_rest_brings_the_desktop_back() {
    start_stand_in_shell
    schedule add-rest "$(time_in 20)" 1 >/dev/null
    start_vistrel_shown
    check "the rest hides task bar and desktop" wait_for "$shell_hidden" 30 shell_state
    probe crash "$main_class"
    check "the crash shows them again" wait_for "$shell_shown" 10 shell_state
}

e2e_end_of_session_during_a_rest_brings_the_desktop_back() {
    start_stand_in_shell
    schedule add-rest "$(time_in 20)" 1 >/dev/null
    start_vistrel_shown
    check "the rest hides task bar and desktop" wait_for "$shell_hidden" 30 shell_state
    probe send "$main_class" 0x16 1 0 >/dev/null
    check "the session's end shows them again" wait_for "$shell_shown" 5 shell_state
}
