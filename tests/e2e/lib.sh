# Helpers for the end-to-end tests: a fresh WINEPREFIX per case, Vistrel under wine, the probe, screenshots.
# Sourced by run-e2e and tests/installer/run-installer-test, which set VISTREL_EXE (or pass it to start_vistrel),
# PROBE_EXE and SCREENSHOT_DIR, call begin_run and hand their cases to run_cases. README.md tells how to write a case.

scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bitmaps_dir=$(cd "$e2e_dir/../../resources/bitmaps" && pwd)
passed=0
failed=0
failed_cases=()

# The main window's class, for every file of cases (each file runs on its own).
main_class=ZQ_VISTREL

export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

source "$scripts_dir/wine-prefixes.sh"

# Prepares a run: the template prefix, and a folder of this run for its cases' prefixes and reports, within
# VISTREL_E2E_PREFIXES ($TMPDIR or /tmp when unset) and removed when the run ends.
begin_run() {
    # Every case makes a prefix of its own; a prefix of the caller's must never be taken for one.
    unset WINEPREFIX
    template=$("$scripts_dir/wine-prefix") || exit 1
    local prefixes=${VISTREL_E2E_PREFIXES:-${TMPDIR:-/tmp}}
    mkdir -p "$prefixes" && run_folder=$(mktemp -d "$prefixes/vistrel-e2e.XXXXXX") || exit 1
    trap 'rm -rf "$run_folder"' EXIT
}

# Runs the cases named and prints how many passed; fails when one failed, or when none was named (a selection that
# matched nothing must not pass for a run).
run_cases() { # name...
    if [ $# -eq 0 ]; then
        echo "no case to run"
        return 1
    fi
    local name
    for name; do
        run_case "$name"
    done
    echo "$passed passed, $failed failed${failed_cases[*]:+: ${failed_cases[*]}}"
    [ $failed -eq 0 ]
}

# Runs one case and counts it. The case writes its report as it goes: a line for each failed check, and "ended" once
# it has run to its end. A case passes only with a report of "ended" alone, and no process of its prefix left behind.
run_case() {
    local name=$1
    local folder=$run_folder/$name
    echo "$name"
    mkdir -p "$folder"
    case_report=$folder/report
    if declare -F "$name" >/dev/null; then
        run_case_in_subshell "$name" "$folder"
    else
        echo "  FAILED: there is no case $name"
        echo "no such case" >>"$case_report"
    fi
    if [ "$(cat "$case_report")" = ended ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failed_cases+=("$name")
    fi
}

# Runs a case in a subshell of its own, its clean-up under a trap: whatever ends the case early (an exit, an unbound
# variable, an expansion that is no number) ends only the subshell, and the prefix's programs are ended all the same.
run_case_in_subshell() { # name folder
    local name=$1 folder=$2 status
    (
        # A program started in the background is a copy of this shell until it has started: one ended in that
        # moment must not run the clean-up as well.
        case_shell=$BASHPID
        trap '[ "$BASHPID" != "$case_shell" ] || drop_prefix' EXIT
        new_prefix "$folder" || abandon "no wine prefix could be made"
        "$name"
        echo ended >>"$case_report"
    )
    status=$?
    if ! grep -qx -e ended -e abandoned "$case_report" 2>/dev/null; then
        echo "  FAILED: $name stopped before its end (exit status $status)"
        echo stopped >>"$case_report"
    fi
    if ! "$e2e_dir/leftovers" "$folder"; then
        echo "  FAILED: $name left processes behind (ended now)"
        echo "left processes" >>"$case_report"
    fi
}

# Gives the current case a fresh prefix in the folder given, with its fifos and its probe server.
new_prefix() {
    new_wine_prefix "$template" "$1"
    open_fifos
    start_probe_server
}
# Safe to run at any point of new_prefix: it is the trap that ends every case. A prefix not of this run (none made
# yet) is left alone. The programs the case started are ended one by one first: one still starting up when the
# wineserver is ended would start a wineserver of its own again, and waiting for that to end would never end.
drop_prefix() {
    stop_background
    [[ ${WINEPREFIX:-} == "$run_folder"/* ]] || return 0
    end_process "${vistrel_pid:-}"
    end_process "${probe_pid:-}"
    wait_until 10 prefix_ended
    drop_wine_prefix
}
# Whether no process of the prefix is left, after ending the rest (what Vistrel started, wine's own services) with
# wineserver -k. A wineserver still starting up when the program that started it was ended does not take that yet,
# so the question is asked again until none is left.
prefix_ended() {
    wineserver -k 2>/dev/null
    [ -z "$("$e2e_dir/leftovers" --list "$(dirname "$WINEPREFIX")")" ]
}
# Ends a program started in the background, if there was one, and waits for it. With SIGKILL, as wineserver -k ends
# programs: a wine program that is still starting up does not end on SIGTERM.
end_process() {
    [ -n "$1" ] || return 0
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# A new file with that ending beside the case's prefix, which goes with it.
scratch_file() { mktemp -p "$(dirname "$WINEPREFIX")" --suffix="$1"; }

# Ends the current case at once as failed, for a step it cannot go on without (a control it cannot find, a window
# that never came): clicking on regardless could press another control, and every later check would fail for a
# reason that is not theirs. Counts as a failure also where it only ends a command substitution.
abandon() {
    echo "  FAILED: $*; the case stops here"
    echo abandoned >>"$case_report"
    exit 1
}

# The case's fifos, opened here for reading and writing: such an open does not wait for the other end, a reader never
# meets the end of the input, and command substitutions inherit them. They go with the case's subshell.
#   probe_requests, probe_replies  the probe server's input and output
#   idle                           written by nobody: a read from it that times out pauses without starting a process
open_fifos() {
    local folder
    folder=$(dirname "$WINEPREFIX")
    mkfifo "$folder/probe-requests" "$folder/probe-replies" "$folder/idle"
    exec {probe_requests}<>"$folder/probe-requests" {probe_replies}<>"$folder/probe-replies" {idle}<>"$folder/idle"
}

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

# Starts Vistrel with its window shown (not minimised to the tray) and waits for the window: a case cannot go on
# without it. The first wine program of a prefix can take many seconds to start while other tests run beside.
start_vistrel_shown() {
    set_setting AutoMinimize 0
    start_vistrel "$@"
    wait_for "visible=1 iconic=0" 30 probe state "$main_class" || abandon "the main window did not show"
}

# The probe answers a case's questions from one process: a wine process started for each question costs a tenth of a
# second of CPU, and the cases ask hundreds. A server that has ended fails each probe at once, one that hangs fails
# after a time-out, and neither hangs the case.
start_probe_server() {
    wine "$PROBE_EXE" serve <&"$probe_requests" >&"$probe_replies" 2>/dev/null &
    probe_pid=$!
}
# For a case that waits for every process of its prefix to end.
stop_probe_server() { end_process "$probe_pid"; }

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

# Polls a command until it succeeds or the seconds run out.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        if [ -n "${idle:-}" ]; then
            read -r -t 0.2 -u "$idle"
        else
            sleep 0.2  # the clean-up of a case whose fifos were never made
        fi
    done
    return 0  # not the status of the last pause
}
# Polls a command until its output equals the expected text or the seconds run out.
wait_for() {
    local expected=$1 seconds=$2
    shift 2
    wait_until "$seconds" prints "$expected" "$@"
}
# Whether a command prints that text.
prints() {
    local expected=$1
    shift
    [ "$("$@")" = "$expected" ]
}

# Programs a case started beside Vistrel (a tray host, a stand-in shell); stopped when the case ends.
background_pids=()
stop_background() {
    local pid
    for pid in "${background_pids[@]}"; do
        end_process "$pid"
    done
    background_pids=()
}

# A notification-area host on the test display, at its bottom-right: wine docks Vistrel's icon into its panel.
start_tray_host() {
    trayer --edge bottom --align right --widthtype request --height 24 --transparent false >/dev/null 2>&1 &
    background_pids+=($!)
    wait_until 10 tray_panel >/dev/null || abandon "the tray host did not show its panel"
}
# The X window of the tray host's panel, which holds the icons.
tray_panel() { xdotool search --classname '^panel$' 2>/dev/null | head -1 | grep .; }
# "X Y" of the middle of the icon docked in the tray host: the panel's only child window bigger than a pixel.
tray_icon_center() {
    local panel
    panel=$(tray_panel) || return 1
    # A child's line ends with its size and place in the panel, then its place on the screen: "20x22+1+1  +1259+777".
    xwininfo -children -id "$panel" | awk '
        $1 ~ /^0x/ {
            split($(NF - 1), size, /[x+]/)
            split($NF, screen, /[+]/)
            if (size[1] > 1 && size[2] > 1) {
                print screen[2] + int(size[1] / 2), screen[3] + int(size[2] / 2)
                found = 1
                exit
            }
        }
        END { exit !found }'
}

# Windows of the classes Shell_TrayWnd and Progman, as the shell has them and wine has not.
start_stand_in_shell() {
    wine "$PROBE_EXE" shell 600 >/dev/null 2>&1 &
    background_pids+=($!)
    wait_for "visible=1 iconic=0" 30 probe state Progman || abandon "the stand-in shell did not show"
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
# Vistrel's stored settings.
readonly settings_key='HKCU\Software\Tarnwick\Vistrel'
setting() { reg_value "$settings_key" "$1"; }

# Whether a visible window of Vistrel's forms has that title: yes or no.
shown_titled() { probe titled VistrelForm | grep -qxF "$1" && echo yes || echo no; }

# Finding the main window's controls as a user does: by their text, by their kind and their order among the
# controls of a group or page, never by a place copied from the layout. Each prints "LEFT TOP RIGHT BOTTOM" on the
# screen and fails when nothing shows that way.

# The control showing that text.
control_rect() { probe child-rect "$main_class" "$1"; }
# The listing of the control showing that text: "HANDLE<TAB>CLASS<TAB>LEFT TOP RIGHT BOTTOM".
control_entry() {
    probe controls "$main_class" | text=$1 awk -F'\t' '
        $4 == ENVIRON["text"] { print $1 "\t" $2 "\t" $3; found = 1; exit }
        END { exit !found }'
}
# The Nth (from 1) control of a window class, counted left to right along each row and rows from the top, among
# those lying within the control showing the text WITHIN (the whole window when it is empty); after the rectangle,
# the control's handle for probe send-to.
control_of() { # class n [within]
    local class=$1 n=$2 within=${3:-} area="-100000 -100000 100000 100000"
    if [ -n "$within" ]; then
        area=$(control_rect "$within") || return 1
    fi
    probe controls "$main_class" | awk -F'\t' -v class="$class" -v area="$area" '
        BEGIN { split(area, a, " ") }
        $2 == class {
            split($3, r, " ")
            if (r[1] >= a[1] && r[2] >= a[2] && r[3] <= a[3] && r[4] <= a[4]) print $3, $1
        }' | sort -k2,2n -k1,1n | sed -n "${n}p" | grep .
}
# The tab with that caption, on a page control that shows.
tab_rect() { probe tab-rect "$main_class" "$1"; }
# The text a control shows now, found by its handle (the last field of control_of).
text_of() { probe controls "$main_class" | awk -F'\t' -v handle="$1" '$1 == handle { print $4 }'; }
# The class of the window that has the keyboard.
foreground_class() { probe foreground | cut -f1; }
# Whether a popup menu (the tray's, a list's) shows.
menu_shown() { prints "visible=1 iconic=0" probe state "#32768"; }

# Clicks a point of the screen (button 1, or the one given).
click_at() { xdotool mousemove "$1" "$2" click "${3:-1}"; }
# Clicks the middle of a rectangle "LEFT TOP RIGHT BOTTOM".
click_middle() { # rect [button]
    local left top right bottom
    read -r left top right bottom _ <<<"$1"
    click_at $(((left + right) / 2)) $(((top + bottom) / 2)) "${2:-1}"
}

# Clicks a control of the main window found by its text (a check box or radio button: on its box). A box returns
# once it shows the click: a check box turned over, a radio button chosen.
click_control() {
    local entry handle class rect left top bottom before
    entry=$(control_entry "$1") || abandon "no control \"$1\" shows in the main window"
    IFS=$'\t' read -r handle class rect <<<"$entry"
    read -r left top _ bottom <<<"$rect"
    before=$(box_state "$handle")
    click_at $((left + 7)) $(((top + bottom) / 2))
    case $class in
        VistrelCheckBox) wait_until 5 box_state_differs "$handle" "$before" ;;
        VistrelRadioButton) wait_for 1 5 box_state "$handle" ;;
    esac || abandon "the box \"$1\" did not take the click"
}
# Whether a check box or radio button is ticked: 0 or 1 (BM_GETCHECK).
box_state() { probe send-to "$1" 0xF0 0 0; }
box_state_differs() { ! prints "$2" box_state "$1"; }

# Clicks the text of a field (an edit box, a spin field, a combo box) found as a rectangle: a few pixels in from its
# left edge, away from a spin field's arrows and a combo box's button.
click_field() {
    local left top bottom
    read -r left top _ bottom _ <<<"$1"
    click_at $((left + 6)) $(((top + bottom) / 2))
}

# Clicks the text of the Nth field of a class within the control showing a text (see control_of), or stops the case
# when none shows. The field, as control_of prints it, is left in `field` (a local of the caller's, if it has one).
click_field_of() { # class n [within]
    field=$(control_of "$@") || abandon "no $1 number $2 shows${3:+ in \"$3\"}"
    click_field "$field"
}

# Clicks at a point of the control with that text (coordinates within it).
click_in_control() {
    local rect left top
    rect=$(control_rect "$1") || abandon "no control \"$1\" shows in the main window"
    read -r left top _ <<<"$rect"
    click_at $((left + $2)) $((top + $3))
}

# Clicks the tab with that caption and waits for its page to show (the page is a control with the tab's caption).
click_tab() {
    local rect
    rect=$(tab_rect "$1") || abandon "no tab \"$1\" shows in the main window"
    click_middle "$rect"
    wait_until 5 control_rect "$1" >/dev/null || abandon "the page \"$1\" did not show"
}

# Clicks a point of a control that has no window of its own (painted by the window it lies on, found by the caller
# from its windowed neighbours or its picture), after making sure that no other windowed control covers that point:
# a changed layout must not move the click onto another control.
click_windowless() { # x y text-of-the-window-it-lies-on what
    local at
    at=$(probe window-at "$1" "$2") || abandon "nothing at $1, $2 for $4"
    [ "$(cut -f3 <<<"$at")" = "$3" ] || abandon "$4 is not at $1, $2: $(cut -f2,3 <<<"$at" | tr '\t' ' ') is there"
    click_at "$1" "$2"
}

open_settings_page() { click_tab "高级设置"; }

# Vistrel with its window shown and ready for clicks and keys. Its icon goes to a notification area, so that no
# stand-in tray window of wine takes the focus; once the icon is docked nothing takes the focus from the keys a case
# types.
start_vistrel_ready() {
    start_tray_host
    start_vistrel_shown
    wait_until 10 tray_icon_center >/dev/null || abandon "the tray icon was not docked"
}

# Photographs the screen once what it shows has settled (two pictures half a second apart agree), so that a
# window that has just appeared is taken after it painted; a screen that never settles (an animation) gives its last
# picture. With a rectangle ("LEFT TOP RIGHT BOTTOM") only that part has to settle, for a screen with an animation
# elsewhere.
screenshot() {
    mkdir -p "$SCREENSHOT_DIR"
    local area=${2:-} earlier later tries
    earlier=$(scratch_file .ppm)
    later=$(scratch_file .ppm)
    import -window root "$earlier" 2>/dev/null
    for tries in $(seq 10); do
        # Painting has no end to wait for: two pictures that agree are the sign of it.
        sleep 0.5
        import -window root "$later" 2>/dev/null || break
        same_pictures "$earlier" "$later" "$area" && break
        mv "$later" "$earlier"
    done
    convert "$earlier" "$SCREENSHOT_DIR/$1.png" 2>/dev/null || echo "  (screenshot $1 failed)"
    rm -f "$earlier" "$later"
}
# Whether two pictures of the screen agree (within a rectangle "LEFT TOP RIGHT BOTTOM" only, when one is given).
same_pictures() { # one other [rect]
    if [ -z "$3" ]; then
        cmp -s "$1" "$2"
        return
    fi
    local crop
    crop=$(geometry_of "$3")
    [ "$(convert "$1" -crop "$crop" ppm:- | md5sum)" = "$(convert "$2" -crop "$crop" ppm:- | md5sum)" ]
}
# A rectangle "LEFT TOP RIGHT BOTTOM" as ImageMagick writes a part of a picture: "WIDTHxHEIGHT+LEFT+TOP".
geometry_of() {
    local left top right bottom
    read -r left top right bottom _ <<<"$1"
    echo "$((right - left))x$((bottom - top))+$left+$top"
}

# Pictures of the program on the screen, for controls that have no window of their own. A rectangle "LEFT TOP RIGHT
# BOTTOM" of the screen saved to a file.
grab() { import -window root -crop "$(geometry_of "$1")" +repage "$2" 2>/dev/null; }
# Where one of the pictures (bitmap files) shows within a rectangle of the screen, as "LEFT TOP RIGHT BOTTOM"; fails
# when none does.
find_picture() { # rect picture...
    local area=$1 file place left top width height area_left area_top
    shift
    file=$(scratch_file .ppm)
    grab "$area" "$file"
    place=$("$e2e_dir/pictures.py" find "$file" --among "$@")
    rm -f "$file"
    [ -n "$place" ] || return 1
    read -r left top width height <<<"$place"
    read -r area_left area_top _ <<<"$area"
    echo "$((area_left + left)) $((area_top + top)) $((area_left + left + width)) $((area_top + top + height))"
}
# Which of the pictures (its number from 0, in the order given) a rectangle of the screen shows now; "-" for none.
picture_at() { # rect picture...
    local area=$1 file
    shift
    file=$(scratch_file .ppm)
    grab "$area" "$file"
    "$e2e_dir/pictures.py" which "$file" --among "$@"
    rm -f "$file"
}

check() {
    local what=$1
    shift
    if "$@"; then
        echo "  ok: $what"
    else
        echo "  FAILED: $what"
        echo "failed: $what" >>"$case_report"
    fi
}

equals() { [ "$1" = "$2" ] || { echo "    expected '$2', got '$1'"; return 1; }; }
# Whether a whole number lies between two others, both included; anything but a whole number does not.
within() {
    [[ $1 =~ ^-?[0-9]+$ ]] && [ "$1" -ge "$2" ] && [ "$1" -le "$3" ] ||
        { echo "    expected $2 to $3, got '$1'"; return 1; }
}
