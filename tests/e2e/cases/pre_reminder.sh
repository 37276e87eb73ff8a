# The warning a minute before a compulsory rest; the desktop that a copy killed mid-rest left hidden comes back at the
# next start.

e2e_pre_reminder_then_a_killed_copy_is_mended_at_next_start() {
    start_stand_in_shell
    set_setting CompulsoryPremind 1
    schedule add-rest "$(time_in 70)" 1 >/dev/null
    start_vistrel_shown
    check "the warning comes a minute before" probe wait-title "Vistrel" 20000
    screenshot pre-reminder
    check "the rest hides task bar and desktop" wait_for "$shell_hidden" 70 shell_state
    kill -9 "$vistrel_pid"
    wait "$vistrel_pid" 2>/dev/null
    check "the killed copy leaves them hidden" wait_for 0 10 probe count "$main_class"
    check "still hidden" equals "$(shell_state)" "$shell_hidden"
    start_vistrel
    probe wait "$main_class" 15000 >/dev/null
    check "the next start shows them again" wait_for "$shell_shown" 10 shell_state
    check "and clears the mark" equals "$(reg_value "$settings_key" RestHidesDesktop)" ""
}
