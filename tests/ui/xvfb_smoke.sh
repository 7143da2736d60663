#!/usr/bin/env bash
# Smoke test of the real program on a real X server: starts kilosynth under
# Xvfb, waits for its main window, checks its size, takes a screenshot of the
# screen and lets the window close itself as its close box does (the hidden
# --close-after-ms option), then checks the exit status.
#
#   xvfb_smoke.sh PATH/TO/kilosynth OUTPUT_FOLDER
set -euo pipefail

if [[ "${1:-}" == "--inside-x" ]]; then
    program=$2
    shot=$3
    # Long enough for the screenshot below; the timer starts when the window is shown.
    "$program" --close-after-ms=6000 &
    pid=$!
    title=""
    for _ in $(seq 1 300); do
        title=$(xwininfo -root -tree | grep -o '"Kilosynth [^"]*"' | head -n 1 || true)
        [[ -n "$title" ]] && break
        sleep 0.1
    done
    if [[ -z "$title" ]]; then
        echo "smoke: no Kilosynth window appeared" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    echo "smoke: window $title"
    width=$(xwininfo -name "${title//\"/}" | awk '/Width:/ {print $2}')
    if [[ "$width" != "789" ]]; then
        echo "smoke: the window is $width pixels wide, expected 789" >&2
        exit 1
    fi
    sleep 1 # let the first paint reach the screen
    import -window root "$shot"
    status=0
    wait "$pid" || status=$?
    echo "smoke: kilosynth exited with status $status"
    exit "$status"
fi

program=$(realpath "$1")
out_dir=$2
mkdir -p "$out_dir"
shot="$out_dir/main-window.png"
rm -f "$shot"
# Plays into SDL's null device, so the preview path runs without a sound card.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x "$program" "$shot"

# The screenshot holds the window, not an empty screen.
[[ -s "$shot" ]] || { echo "smoke: no screenshot" >&2; exit 1; }
spread=$(identify -format '%[fx:standard_deviation]' "$shot")
awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }' || {
    echo "smoke: the screenshot is blank (deviation $spread)" >&2
    exit 1
}
echo "smoke: screenshot $shot"
