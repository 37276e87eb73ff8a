# The About page: its animated picture runs only while the page shows; its description scrolls.

# The About page's picture button, saved as it shows now as the next of the crops. It stands at (380, 70) in the
# window (the page control at (13, 35), its page, the group at (8, 5), the button at (355, 7)); the window's corner is
# read once beforehand, because the probe is too slow to run between the pictures.
crops=()
crop_animation() {
    local file="$WINEPREFIX/frame-${#crops[@]}.png"
    import -window root -crop "88x65+$((window_left + 380))+$((window_top + 70))" "$file" 2>/dev/null
    crops+=("$file")
}

# A picture of the screen as it is now: the animation never lets the screen settle for the usual screenshot.
screenshot_now() {
    mkdir -p "$SCREENSHOT_DIR"
    import -window root "$SCREENSHOT_DIR/$1.png" 2>/dev/null || echo "  (screenshot $1 failed)"
}

# Steps forward from the picture shown in one crop to the picture of another (pictures alike count as one).
steps_between() {
    local best=99 a b d
    for a in ${1//\// }; do
        for b in ${2//\// }; do
            d=$(((b - a + 14) % 14))
            [ $d -lt $best ] && best=$d
        done
    done
    echo $best
}

about_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
about_bitmaps=$(cd "$about_tools/../../resources/bitmaps" && pwd)

e2e_about_page_animates_only_while_shown() {
    start_vistrel_ready
    local window_left window_top
    read -r window_left window_top _ < <(probe rect "$main_class")
    click_tab() { xdotool mousemove $((window_left + $1)) $((window_top + 46)) click 1; }
    crops=()
    click_tab 245
    crop_animation  # before the first tick
    screenshot_now about-page-frame-a
    for _ in 1 2 3; do
        sleep 0.5
        crop_animation
    done
    screenshot_now about-page-frame-b
    crop_animation  # the last picture before leaving
    click_tab 188
    sleep 3
    click_tab 245
    crop_animation  # straight after coming back
    sleep 1.2
    crop_animation
    local frames
    read -r -a frames < <("$about_tools/frame_index.py" "$about_bitmaps" "${crops[@]}" | tr '\n' ' ')
    echo "    pictures seen: ${frames[*]}"
    check "picture 13 shows on opening" [ "$(steps_between 13 "${frames[0]}")" -le 1 ]
    # Its pace (a picture each half second) is checked in process; on the screen it must move while the page shows.
    local forward=0 i
    for i in 1 2 3; do
        forward=$((forward + $(steps_between "${frames[i - 1]}" "${frames[i]}")))
    done
    check "it moves while the page shows" [ "$forward" -ge 1 ]
    check "it stood still while the page was away" [ "$(steps_between "${frames[4]}" "${frames[5]}")" -le 2 ]
    check "and goes on after coming back" [ "$(steps_between "${frames[5]}" "${frames[6]}")" -ge 1 ]

    click_in_control "简要说明" 200 80
    xdotool key ctrl+End
    sleep 0.5
    screenshot_now about-description-end
}
