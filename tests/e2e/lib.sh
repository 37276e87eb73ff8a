# Helpers for the end-to-end tests: a fresh WINEPREFIX per case, Vistrel under wine, the probe, screenshots.
# Sourced by run-e2e, which sets VISTREL_EXE, PROBE_EXE, SCREENSHOT_DIR and template (the template prefix).

scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
passed=0
failed=0
case_name=""

# The main window's class, for every file of cases (each file runs on its own).
main_class=ZQ_VISTREL

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

source "$scripts_dir/wine-prefixes.sh"

# Gives the current case a fresh prefix made from the template.
new_prefix() { new_wine_prefix "$template"; }
drop_prefix() { drop_wine_prefix; }

# Starts Vistrel in the background with the given arguments; its pid is in $vistrel_pid.
start_vistrel() {
    wine "$VISTREL_EXE" "$@" >/dev/null 2>&1 &
    vistrel_pid=$!
}

# Runs Vistrel in the foreground, giving up after the seconds given; prints its exit status (124 on time-out).
run_vistrel() {
    local seconds=$1
    shift
    timeout "$seconds" wine "$VISTREL_EXE" "$@" >/dev/null 2>&1
    echo $?
}

probe() {
    wine "$PROBE_EXE" "$@" 2>/dev/null | tr -d '\r'
}

# Polls a command until its output equals the expected text or the seconds run out.
wait_for() {
    local expected=$1 seconds=$2
    shift 2
    local deadline=$((SECONDS + seconds)) actual
    while :; do
        actual=$("$@")
        [ "$actual" = "$expected" ] && return 0
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}

# Photographs the screen once what it shows has settled (two pictures half a second apart agree), so that a
# window that has just appeared is taken after it painted.
screenshot() {
    mkdir -p "$SCREENSHOT_DIR"
    local earlier later tries
    earlier=$(mktemp --suffix=.ppm)
    later=$(mktemp --suffix=.ppm)
    import -window root "$earlier" 2>/dev/null
    for tries in $(seq 10); do
        sleep 0.5
        import -window root "$later" 2>/dev/null || break
        cmp -s "$earlier" "$later" && break
        mv "$later" "$earlier"
    done
    convert "$later" "$SCREENSHOT_DIR/$1.png" 2>/dev/null || echo "  (screenshot $1 failed)"
    rm -f "$earlier" "$later"
}

check() {
    local what=$1
    shift
    if "$@"; then
        echo "  ok: $what"
    else
        echo "  FAILED: $what"
        case_failed=1
    fi
}

equals() { [ "$1" = "$2" ] || { echo "    expected '$2', got '$1'"; return 1; }; }

run_case() {
    case_name=$1
    case_failed=0
    echo "$case_name"
    new_prefix
    "$case_name"
    drop_prefix
    if [ $case_failed -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
