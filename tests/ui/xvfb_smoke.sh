#!/usr/bin/env bash
# Smoke test of the real program on a real X server: starts kilosynth under
# Xvfb, waits for its main window and checks its size, then opens each tab
# page with a mouse click and takes a screenshot of it; on the "Sequencer"
# page it types a few notes first, which must show in the step list at once.
# Then an edit marks the caption, and closing the window asks whether to save
# it first: Discard closes the window. (Should the script stop short of that,
# the window closes itself as its close box does, the hidden --close-after-ms
# option.) The exit status is checked.
#
#   xvfb_smoke.sh PATH/TO/kilosynth OUTPUT_FOLDER
set -euo pipefail

# The tabs' centres, relative to the top left corner of the window's central
# area (below the menu bar): the tab control is at 8, 122 and its tabs read
# "Filters", "Envelopes", "Sequencer".
tab_y=133
tab_x=(35 95 165)
# The step list, the sequencer page's left part, in the same coordinates.
list_crop="150x240+12+163"
# The central area is 789 x 544 pixels.
central_height=544

if [[ "${1:-}" == "--inside-x" ]]; then
    program=$2
    out_dir=$3
    # Long enough for the clicks, keys and screenshots below; the timer starts
    # when the window is shown.
    "$program" --close-after-ms=15000 &
    pid=$!
    window=""
    for _ in $(seq 1 300); do
        window=$(xdotool search --name '^Kilosynth ' 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && break
        sleep 0.1
    done
    if [[ -z "$window" ]]; then
        echo "smoke: no Kilosynth window appeared" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    echo "smoke: window $(xdotool getwindowname "$window")"
    eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT
    if [[ "$WIDTH" != "789" ]]; then
        echo "smoke: the window is $WIDTH pixels wide, expected 789" >&2
        exit 1
    fi
    top=$((Y + HEIGHT - central_height)) # below the menu bar
    sleep 1 # let the first paint reach the screen
    xdotool windowfocus --sync "$window"

    shoot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out_dir/$1.png"; }
    open_tab() {
        xdotool mousemove $((X + tab_x[$1])) $((top + tab_y)) click 1
        sleep 0.5
    }

    open_tab 0
    shoot filters
    open_tab 1
    shoot envelopes
    open_tab 2
    shoot sequencer-before-typing
    # Typing goes to the step list as soon as the page is shown: C, C#, D, D#,
    # a rest, and the slide flag.
    xdotool type --delay 80 'zsxd o'
    sleep 0.5
    shoot sequencer

    # An edit that the file stores ("&Invert", Alt+I) marks the caption, and
    # closing (Alt+F4) then asks Save / Discard / Cancel first; Discard, the
    # button after the focused Save, lets the window close.
    xdotool key alt+i
    sleep 0.5
    name=$(xdotool getwindowname "$window")
    if [[ "$name" != "*Kilosynth "* ]]; then
        echo "smoke: no unsaved-changes mark in the caption \"$name\"" >&2
        exit 1
    fi
    xdotool key alt+F4
    sleep 0.5
    shoot unsaved-changes
    if ! xdotool search --onlyvisible --name '^Unsaved Changes$' >/dev/null; then
        echo "smoke: closing with an unsaved edit asked nothing" >&2
        exit 1
    fi
    xdotool key Tab space

    status=0
    wait "$pid" || status=$?
    echo "smoke: kilosynth exited with status $status"
    exit "$status"
fi

program=$(realpath "$1")
out_dir=$(mkdir -p "$2" && realpath "$2")
rm -f "$out_dir"/*.png
# Plays into SDL's null device, so the preview path runs without a sound card.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x "$program" "$out_dir"

# Each screenshot holds the window, not an empty screen.
for page in filters envelopes sequencer unsaved-changes; do
    shot="$out_dir/$page.png"
    [[ -s "$shot" ]] || { echo "smoke: no screenshot $shot" >&2; exit 1; }
    spread=$(identify -format '%[fx:standard_deviation]' "$shot")
    awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }' || {
        echo "smoke: the screenshot $shot is blank (deviation $spread)" >&2
        exit 1
    }
    echo "smoke: screenshot $shot"
done

# Each click showed another page.
differ() { [[ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" != "0" ]]; }
differ "$out_dir/filters.png" "$out_dir/envelopes.png" ||
    { echo "smoke: the Envelopes tab did not change the page" >&2; exit 1; }
differ "$out_dir/envelopes.png" "$out_dir/sequencer.png" ||
    { echo "smoke: the Sequencer tab did not change the page" >&2; exit 1; }

# The typed notes are in the step list.
list_before=$(mktemp --suffix=.png)
list_after=$(mktemp --suffix=.png)
trap 'rm -f "$list_before" "$list_after"' EXIT
convert "$out_dir/sequencer-before-typing.png" -crop "$list_crop" +repage "$list_before"
convert "$out_dir/sequencer.png" -crop "$list_crop" +repage "$list_after"
differ "$list_before" "$list_after" ||
    { echo "smoke: the typed notes did not reach the step list" >&2; exit 1; }
echo "smoke: notes typed on the Sequencer page"
