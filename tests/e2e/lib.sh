# Helpers for the end-to-end tests: a fresh WINEPREFIX per case, Vistrel under wine, the probe, screenshots.
# Sourced by run-e2e, which sets VISTREL_EXE, PROBE_EXE, SCREENSHOT_DIR, SCHEDULE_EXE and template (the template
# prefix).

scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
passed=0
failed=0
case_name=""

# The main window's class, for every file of cases (each file runs on its own).
main_class=ZQ_VISTREL

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

source "$scripts_dir/wine-prefixes.sh"

# Gives the current case a fresh prefix made from the template, with its fifos and its probe server.
new_prefix() {
    new_wine_prefix "$template"
    open_fifos
    start_probe_server
}
drop_prefix() {
    stop_background
    drop_wine_prefix  # which ends the probe server with every other wine process of the prefix
    wait "$probe_pid" 2>/dev/null
    close_fifos
}

# The case's fifos, opened here for reading and writing: such an open does not wait for the other end, a reader never
# meets the end of the input, and command substitutions inherit them.
#   probe_requests, probe_replies  the probe server's input and output
#   idle                           written by nobody: a read from it that times out pauses without starting a process
open_fifos() {
    local folder
    folder=$(dirname "$WINEPREFIX")
    mkfifo "$folder/probe-requests" "$folder/probe-replies" "$folder/idle"
    exec {probe_requests}<>"$folder/probe-requests" {probe_replies}<>"$folder/probe-replies" {idle}<>"$folder/idle"
}
close_fifos() { exec {probe_requests}>&- {probe_replies}>&- {idle}>&-; }

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

# Stores one of Vistrel's integer settings for the current prefix before it starts.
set_setting() { probe reg-set "$settings_key" "$1" "$2"; }

# Starts Vistrel with its window shown (not minimised to the tray) and waits for the window.
start_vistrel_shown() {
    set_setting AutoMinimize 0
    start_vistrel "$@"
    wait_for "visible=1 iconic=0" 15 probe state "$main_class"
}

# The probe answers a case's questions from one process: a wine process started for each question costs a tenth of a
# second of CPU, and the cases ask hundreds. A server that has ended fails each probe at once, one that hangs fails
# after a time-out, and neither hangs the case.
start_probe_server() {
    wine "$PROBE_EXE" serve <&"$probe_requests" >&"$probe_replies" 2>/dev/null &
    probe_pid=$!
}
# For a case that waits for every process of its prefix to end.
stop_probe_server() {
    kill "$probe_pid" 2>/dev/null
    wait "$probe_pid" 2>/dev/null
}

# Longer than any wait a case asks the probe for.
readonly probe_timeout=120

# Runs a probe command: prints its output and returns its exit status. Not to be run side by side with another (the
# replies would mix); a reply is read whole before any of it is printed, so that a caller reading only its first line
# leaves none of it behind.
probe() {
    local arg request line output=""
    for arg; do
        [[ $arg != *[$'\t\n']* ]] || { echo "probe: a TAB or line break in '$arg'" >&2; return 2; }
    done
    if ! kill -0 "$probe_pid" 2>/dev/null; then
        echo "probe: the probe server has ended" >&2
        return 2
    fi
    printf -v request '%s\t' "$@"
    echo "${request%$'\t'}" >&"$probe_requests"
    while IFS= read -r -t "$probe_timeout" -u "$probe_replies" line; do
        line=${line//$'\r'/}
        if [[ $line == $'\x1e'* ]]; then
            printf '%s' "$output"
            return "${line:1}"
        fi
        output+=$line$'\n'
    done
    # Stopped, so that a late reply cannot pass for the answer to the next request.
    echo "probe: no reply to '$*' in $probe_timeout s; the probe server is stopped" >&2
    kill -KILL "$probe_pid" 2>/dev/null
    return 2
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
        read -r -t 0.2 -u "$idle"
    done
}

# Programs a case started beside Vistrel (a tray host, a stand-in shell); stopped when the case ends.
background_pids=()
stop_background() {
    for pid in "${background_pids[@]}"; do kill "$pid" 2>/dev/null; done
    background_pids=()
}

# A notification-area host on the test display: wine docks Vistrel's icon into it, at the display's bottom-right.
readonly tray_icon_x=1268 tray_icon_y=788
start_tray_host() {
    trayer --edge bottom --align right --widthtype request --height 24 --transparent false >/dev/null 2>&1 &
    background_pids+=($!)
    sleep 1
}

# Windows of the classes Shell_TrayWnd and Progman, as the shell has them and wine has not.
start_stand_in_shell() {
    wine "$PROBE_EXE" shell 600 >/dev/null 2>&1 &
    background_pids+=($!)
    wait_for "visible=1 iconic=0" 10 probe state Progman
}
shell_state() { echo "$(probe state Shell_TrayWnd) $(probe state Progman)"; }
readonly shell_shown="visible=1 iconic=0 visible=1 iconic=0" shell_hidden="visible=0 iconic=0 visible=0 iconic=0"

# The per-user data file of the current prefix, and the schedule tool working on it.
data_file() { echo "$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Tarnwick/Vistrel/Vistrel.dat"; }
schedule() {
    local command=$1
    shift
    mkdir -p "$(dirname "$(data_file)")"
    wine "$SCHEDULE_EXE" "$command" "Z:$(data_file)" "$@" 2>/dev/null | tr -d '\r'
}
# The local time of day so many seconds from now, and that moment in seconds since the epoch.
time_in() { date -d "@$(($(date +%s) + $1))" +%H:%M:%S; }
date_time_in() { date -d "@$(($(date +%s) + $1))" "+%Y-%m-%d %H:%M:%S"; }
# The milliseconds from now until a moment in seconds since the epoch (0 when it has passed). A wait that ends at a
# rest's due time rather than after a fixed span holds however long wine took to start under load.
ms_until() {
    local ms=$(($1 * 1000 - $(date +%s%3N)))
    echo $((ms > 0 ? ms : 0))
}

# The data of one registry value as reg.exe shows it (empty when absent).
reg_value() { probe reg-get "$1" "$2"; }
readonly settings_key='HKCU\Software\Tarnwick\Vistrel'

# Whether a visible window of Vistrel's forms has that title: yes or no.
shown_titled() { probe titled VistrelForm | grep -qxF "$1" && echo yes || echo no; }

# Clicks at a point of the main window (client coordinates of the frame, which fills the window).
click_in_main_window() {
    local left top
    read -r left top _ < <(probe rect "$main_class")
    xdotool mousemove $((left + $1)) $((top + $2)) click 1
}

# The settings page and its stored values.
open_settings_page() {
    click_in_main_window 188 46
    sleep 0.7
}

setting() { reg_value "$settings_key" "$1"; }

# Clicks a control of the main window found by its text (a check box or radio button: on its box).
click_control() {
    local left top bottom
    read -r left top _ bottom < <(probe child-rect "$main_class" "$1")
    xdotool mousemove $((left + 7)) $(((top + bottom) / 2)) click 1
    sleep 0.4
}

# Clicks at a point of the control with that text (coordinates within it).
click_in_control() {
    local left top
    read -r left top _ < <(probe child-rect "$main_class" "$1")
    xdotool mousemove $((left + $2)) $((top + $3)) click 1
    sleep 0.4
}

# Vistrel with its window shown and ready for clicks and keys. Its icon goes to a notification area, so that no
# stand-in tray window of wine takes the focus.
start_vistrel_ready() {
    start_tray_host
    start_vistrel_shown
    wait_for "visible=1 iconic=0" 10 probe state "$main_class" >/dev/null
    sleep 0.5
}

# Photographs the screen once what it shows has settled (two pictures half a second apart agree), so that a
# window that has just appeared is taken after it painted; a screen that never settles (an animation) gives its last
# picture.
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
    convert "$earlier" "$SCREENSHOT_DIR/$1.png" 2>/dev/null || echo "  (screenshot $1 failed)"
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
# Whether a whole number lies between two others, both included.
within() { [ "$1" -ge "$2" ] && [ "$1" -le "$3" ] || { echo "    expected $2 to $3, got $1"; return 1; }; }

run_case() {
    case_name=$1
    case_failed=0
    echo "$case_name"
    new_prefix
    "$case_name"
    drop_prefix
    if [ $case_failed -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
