# A damaged data file: what the program could not have written is left out and told at start, the rest runs, and the
# file as it was is kept as Vistrel.dat.bad before the first save. A data file that cannot be written still starts
# the program with its rests.

# Rests an hour and more away, so that none falls due while a case runs.
add_far_rests() {
    local hours
    for hours in "$@"; do
        schedule add-rest "$(time_in $((hours * 3600)))" 5 >/dev/null
    done
}
# Writes one byte (two hex digits) at an offset of the data file.
patch_byte() { printf "\\x$2" | dd of="$(data_file)" bs=1 seek="$1" conv=notrunc status=none; }
rest_rows() { probe rows "$main_class" rest | sort; }
saved_rests() { schedule show 2>/dev/null | grep -c '^rest'; }
kept_as_it_was() { cmp -s "$1" "$(data_file).bad" && echo yes || echo no; }

e2e_damaged_file_is_told_at_start_and_kept_before_the_first_save() {
    add_far_rests 1 2 3
    local good original
    good=$(schedule show | sed -n 1p | cut -f2)
    # The second rest lasts 200 minutes, the third is dated: the pages write neither.
    patch_byte $((37 + 32 + 25)) c8
    patch_byte $((37 + 64 + 24)) 01
    original=$(mktemp)
    cp "$(data_file)" "$original"
    start_vistrel_shown
    check "the damage is told at start" probe wait-title "提示" 20000
    screenshot damaged-file-message
    check "the sound rest runs" equals "$(rest_rows)" "$(printf '%s\t5' "$good")"
    check "nothing is kept before a save" [ ! -e "$(data_file).bad" ]
    probe click "提示" "确定"
    check "told once" wait_for no 5 shown_titled "提示"
    click_in_control "确定" 20 10  # the standard timetable's button: a change that saves
    check "the change is saved" wait_for 24 5 saved_rests
    check "the damaged file is kept as it was" equals "$(kept_as_it_was "$original")" yes
    rm -f "$original"
}

e2e_damaged_file_that_is_no_schedule_gives_the_standard_timetable() {
    mkdir -p "$(dirname "$(data_file)")"
    head -c 300 /dev/zero | tr '\0' 'X' >"$(data_file)"
    local original
    original=$(mktemp)
    cp "$(data_file)" "$original"
    start_vistrel_shown
    check "the damage is told at start" probe wait-title "提示" 20000
    screenshot unreadable-file-message
    probe click "提示" "确定"
    check "the 24 standard rests run" equals "$(probe rows "$main_class" rest | wc -l)" 24
    check "they are saved" equals "$(saved_rests)" 24
    check "the file as it was is kept" equals "$(kept_as_it_was "$original")" yes
    rm -f "$original"
}

e2e_damaged_file_read_only_still_starts_with_its_rests() {
    add_far_rests 1 2
    local expected before
    expected=$(schedule show | cut -f2,3 | sort)
    before=$(mktemp)
    cp "$(data_file)" "$before"
    # Read-only by its permissions, and even for the administrator on a read-only mount of its own where the case runs
    # in a mount namespace of its own (never in the system's).
    local file mounted=no
    file=$(data_file)
    chmod a-w "$file"
    if [ "$(readlink /proc/$$/ns/mnt)" != "$(readlink /proc/$PPID/ns/mnt)" ] && mount --bind "$file" "$file" 2>/dev/null &&
        mount -o remount,ro,bind "$file" 2>/dev/null; then
        mounted=yes
    fi
    start_vistrel_shown
    check "the rests run" equals "$(rest_rows)" "$expected"
    check "nothing is told at start" [ "$(probe wait-title "提示" 3000; echo $?)" = 1 ]
    if [ $mounted = yes ]; then
        click_in_control "确定" 20 10  # a change that cannot be saved
        check "the failed save is shown" probe wait-title "提示" 10000
        screenshot read-only-save-message
        probe click "提示" "确定"
        check "the file is as it was" cmp -s "$before" "$file"
        umount "$file"
    fi
    rm -f "$before"
}
