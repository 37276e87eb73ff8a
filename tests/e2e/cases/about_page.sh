# The About page: its animated picture runs only while the page shows; its description scrolls.

readonly about_pictures=("$bitmaps_dir"/aboutani{0..13}.bmp)

# The animated picture has no window of its own: it is a button that the group "版权声明" paints. The main window is
# grabbed at the moments the case looks at it, with places read beforehand, because the probe is too slow to run
# between the pictures; the picture is found in the grabs afterwards. A moment is one grab, or around a click on a tab
# a few grabs in a row, of which the first or the last to show the picture counts: a page takes a moment to paint,
# and to go away.
moments=()
grab_moment() { # first|last grabs [tab to click after the first grab]
    local moment=$1 file count
    for count in $(seq "$2"); do
        file="$WINEPREFIX/grab-${#moments[@]}-$count.ppm"
        grab "$window" "$file"
        moment+=" $file"
        [ "$count" -gt 1 ] || [ -z "${3:-}" ] || click_middle "$3"
    done
    moments+=("$moment")
}
# Clicks a tab found beforehand and grabs the first picture the About page shows.
show_page_and_grab() { # tab
    click_middle "$1"
    grab_moment first 5
}
# Grabs the About page, clicks a tab found beforehand and grabs the last picture the page showed before it went away.
leave_page_and_grab() { # tab
    grab_moment last 5 "$1"
}

# The number of the picture each moment shows, one a line ("-" for a moment that shows none), at the place on the
# screen given.
pictures_at_moments() { # place
    local left top right bottom window_left window_top crop moment rule files file frame crops=() frames=()
    read -r left top right bottom <<<"$1"
    read -r window_left window_top _ <<<"$window"
    crop="$((right - left))x$((bottom - top))+$((left - window_left))+$((top - window_top))"
    for moment in "${moments[@]}"; do
        for file in ${moment#* }; do
            convert "$file" -crop "$crop" +repage "${file%.ppm}-picture.ppm"
            crops+=("${file%.ppm}-picture.ppm")
        done
    done
    # All crops in one go: reading the pictures takes longer than comparing them.
    mapfile -t frames < <("$e2e_dir/pictures.py" which "${crops[@]}" --among "${about_pictures[@]}")
    local i=0
    for moment in "${moments[@]}"; do
        read -r rule files <<<"$moment"
        frame=-
        for file in $files; do
            if [ "${frames[i]:--}" != - ] && { [ "$rule" = last ] || [ "$frame" = - ]; }; then
                frame=${frames[i]}
            fi
            i=$((i + 1))
        done
        echo "$frame"
    done
}

# A picture of the screen as it is now: the animation never lets the screen settle for the usual screenshot.
screenshot_now() {
    mkdir -p "$SCREENSHOT_DIR"
    import -window root "$SCREENSHOT_DIR/$1.png" 2>/dev/null || echo "  (screenshot $1 failed)"
}

# Steps forward from the picture shown at one moment to the picture of another (pictures alike count as one);
# "unknown" when either moment showed none of them, which no check takes for a number.
steps_between() {
    local picture='^[0-9]+(/[0-9]+)*$' best=99 a b d
    if ! [[ $1 =~ $picture && $2 =~ $picture ]]; then
        echo unknown
        return
    fi
    for a in ${1//\// }; do
        for b in ${2//\// }; do
            d=$(((b - a + 14) % 14))
            [ $d -lt $best ] && best=$d
        done
    done
    echo $best
}

# Whether the description box, found by its handle, has scrolled from its first line.
scrolled_down() {
    local first_line
    first_line=$(probe send-to "$1" 0xCE 0 0) && [ "$first_line" -gt 0 ]  # EM_GETFIRSTVISIBLELINE
}

e2e_about_page_animates_only_while_shown() {
    start_vistrel_ready
    local about_tab settings_tab
    window=$(probe rect "$main_class") || abandon "the main window does not show"
    about_tab=$(tab_rect "关于...") || abandon "no tab 关于... shows"
    settings_tab=$(tab_rect "高级设置") || abandon "no tab 高级设置 shows"
    moments=()
    show_page_and_grab "$about_tab"  # before the first tick
    screenshot_now about-page-frame-a
    for _ in 1 2 3; do
        sleep 0.5  # the animation's pace: a picture each half second
        grab_moment first 1
    done
    screenshot_now about-page-frame-b
    leave_page_and_grab "$settings_tab"  # the last picture before leaving
    sleep 3  # the time the page is away, in which the picture must stand still
    show_page_and_grab "$about_tab"  # straight after coming back
    sleep 1.2  # time for two pictures or more
    grab_moment first 1
    local group place frames
    group=$(control_rect "版权声明") || abandon "no group 版权声明 shows on the About page"
    place=$(find_picture "$group" "${about_pictures[@]}") || abandon "no picture of the animation shows in 版权声明"
    read -r -a frames < <(pictures_at_moments "$place" | tr '\n' ' ')
    echo "    pictures seen: ${frames[*]:-none}"
    check "picture 13 shows on opening" within "$(steps_between 13 "${frames[0]:-}")" 0 1
    # Its pace (a picture each half second) is checked in process; on the screen it must move while the page shows.
    local forward=0 i step
    for i in 1 2 3; do
        step=$(steps_between "${frames[i - 1]:-}" "${frames[i]:-}")
        if [ "$forward" = unknown ] || [ "$step" = unknown ]; then
            forward=unknown
        else
            forward=$((forward + step))
        fi
    done
    check "it moves while the page shows" within "$forward" 1 $((3 * 13))
    check "it stood still while the page was away" within "$(steps_between "${frames[4]:-}" "${frames[5]:-}")" 0 2
    check "and goes on after coming back" within "$(steps_between "${frames[5]:-}" "${frames[6]:-}")" 1 13

    local description
    description=$(control_of VistrelEdit 1 "简要说明") || abandon "no description shows in the group 简要说明"
    click_middle "$description"
    xdotool key ctrl+End
    wait_until 5 scrolled_down "${description##* }"
    screenshot about-description-end "$description"  # only the description has to settle: the picture moves on
}
