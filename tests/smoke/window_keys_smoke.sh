#!/usr/bin/env bash
# The real program in a real X window made another shape from outside (as a
# window manager or a user would): clicks land through the centred picture,
# a click on the bars beside it does nothing (where a stretched picture
# would have "Learn words"), and real key presses drive the screens: Escape
# leaves the grid, Down and Return press "Learn words", the page's "Menu"
# item (clicked off the picture's centre) and Escape leave the page, Ctrl+Q
# quits with status 0.
# Usage: window_keys_smoke.sh QUIBO_BINARY [ARTEFACT_DIR]; needs DISPLAY
# (exit 77 skips without one).
set -u

quibo="$1"
artefacts="${2:-$(dirname "$quibo")}"
mkdir -p "$artefacts"
out="$artefacts/window_keys_smoke.stdout"

if [ -z "${DISPLAY:-}" ]; then echo "no display: skipped"; exit 77; fi
command -v xdotool >/dev/null || { echo "xdotool missing: skipped"; exit 77; }

fail() { echo "FAIL: $*"; echo "--- program output:"; cat "$out"; kill "$pid" 2>/dev/null; exit 1; }

"$quibo" >"$out" 2>&1 &
pid=$!
win=""
# A sanitizer build sharing two cores with other tests may take many seconds.
deadline=$((SECONDS + 30))
while [ "$SECONDS" -lt "$deadline" ]; do
  win=$(xdotool search --pid "$pid" --name '^quibo$' 2>/dev/null | head -1)
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window opened"
  sleep 0.05
done
[ -n "$win" ] || fail "no window within 30 s"
sleep 0.5

# A landscape window: the 640 x 960 picture is 400 x 600, from x = 300.
xdotool windowsize "$win" 1000 600
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")" # WIDTH, HEIGHT
[ "$WIDTH" -eq 1000 ] && [ "$HEIGHT" -eq 600 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 1000x600"
scale=$(awk "BEGIN { s1 = $WIDTH / 640; s2 = $HEIGHT / 960; print (s1 < s2 ? s1 : s2) }")
left=$(awk "BEGIN { printf \"%d\", ($WIDTH - 640 * $scale) / 2 }")
top=$(awk "BEGIN { printf \"%d\", ($HEIGHT - 960 * $scale) / 2 }")
click() { # design point (y up)
  local x y
  x=$(awk "BEGIN { printf \"%d\", $left + $1 * $scale }")
  y=$(awk "BEGIN { printf \"%d\", $top + (960 - $2) * $scale }")
  xdotool mousemove --window "$win" "$x" "$y" click 1
}
key() { xdotool key --window "$win" "$@"; sleep 0.4; }
count() { grep -cF -- "$1" "$out"; }
menus() { count "-----------TestController----- tale -------------- !"; }
wait_count() { # line, at least, seconds
  for _ in $(seq 1 $(( $3 * 20 ))); do [ "$(count "$1")" -ge "$2" ] && return 0; sleep 0.05; done
  return 1
}

lines_before=$(wc -l < "$out")
# Beside the picture, level with "Learn words" (a stretched picture has it there).
xdotool mousemove --window "$win" 270 270 click 1
xdotool mousemove --window "$win" 730 270 click 1
sleep 0.5
[ "$(wc -l < "$out")" -eq "$lines_before" ] || fail "a click on the bars did something"

click 320 436                   # "Choose a page", through the fitted picture
sleep 1
key Escape                      # the grid's return button
wait_count "-----------TestController----- tale -------------- !" 2 5 || fail "Escape did not leave the grid"

key Down                        # the mark on "Learn words" (the continue button is hidden)
key Return
wait_count "Scene 1 onEnter" 1 5 || fail "Down and Return did not open the word-learning page"
sleep 0.3
click 60 30                     # the page's "Menu" item, bottom left
wait_count "Scene 1 onExit" 1 5 || fail "the Menu item did not leave the page"
[ "$(menus)" -ge 3 ] || fail "the main menu was not built again"
key Down
key Return
wait_count "Scene 1 onEnter" 2 5 || fail "the word-learning page did not open again"
key Escape
wait_count "Scene 1 onExit" 2 5 || fail "Escape did not leave the page"
[ "$(menus)" -ge 4 ] || fail "Escape did not build the main menu"

key ctrl+q
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$pid" 2>/dev/null; then fail "still running 5 s after Ctrl+Q"; fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "window keys smoke ok"
