# Cases for the harness's own test (run-self-test), not for Vistrel: four that stop before their end, each with
# programs running in its prefix, one with a failed check, and one that passes.

e2e_stops_in_an_expansion_that_is_no_number() {
    start_vistrel_ready
    echo "    $((1 + $(echo -)))"  # a picture number that came back as "-"
}

e2e_stops_at_an_unbound_variable() {
    start_stand_in_shell
    local frames=(13 0)
    echo "    ${frames[6]}"  # fewer pictures than expected
}

e2e_stops_at_an_exit() {
    start_vistrel_shown
    exit 0
}

e2e_stops_when_it_abandons() {
    start_vistrel_shown
    click_tab "no such tab"
}

e2e_with_a_failed_check() {
    check "a check that fails" equals 1 2
}

e2e_that_passes() {
    check "a check that passes" equals 1 1
}
