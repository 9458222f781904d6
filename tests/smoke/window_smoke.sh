#!/usr/bin/env bash
# The real program in a real X window, driven from outside by real pointer
# events: the select button opens the grid, an entry opens its page, the
# page's return item comes back, quit ends the process with status 0 within
# 5 s. Its standard output must hold the three configuration lines.
# Usage: window_smoke.sh QUIBO_BINARY [ARTEFACT_DIR]; needs DISPLAY (exit 77
# skips without one). Prints the start-up time to the first window.
set -u

quibo="$1"
artefacts="${2:-$(dirname "$quibo")}"
mkdir -p "$artefacts"
out="$artefacts/window_smoke.stdout"

if [ -z "${DISPLAY:-}" ]; then echo "no display: skipped"; exit 77; fi
command -v xdotool >/dev/null || { echo "xdotool missing: skipped"; exit 77; }

calc() { awk "BEGIN { print $1 }"; }
fail() { echo "FAIL: $*"; echo "--- program output:"; cat "$out"; kill "$pid" 2>/dev/null; exit 1; }

started=$(date +%s.%N)
"$quibo" >"$out" 2>&1 &
pid=$!

# The first window titled quibo belonging to the process.
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
shown=$(date +%s.%N)
echo "start-up to window: $(calc "$shown - $started") s"

eval "$(xdotool getwindowgeometry --shell "$win")" # WIDTH, HEIGHT
echo "window: ${WIDTH}x${HEIGHT}"

# Design points (640 x 960, y up) to window pixels; the view stretches exactly.
click() {
  local x y
  x=$(awk "BEGIN { printf \"%d\", $1 * $WIDTH / 640 }")
  y=$(awk "BEGIN { printf \"%d\", (960 - $2) * $HEIGHT / 960 }")
  xdotool mousemove --window "$win" "$x" "$y" click 1
}
has() { grep -qF -- "$1" "$out"; }
wait_for() { # line, seconds
  for _ in $(seq 1 $(( $2 * 20 ))); do has "$1" && return 0; sleep 0.05; done
  return 1
}

sleep 0.5
click 320 436                       # bnselect
sleep 2.5                           # the grid slides in for 2 s
click 80 848                        # the entry of page 1
wait_for "Scene 1 onEnter" 5 || fail "the entry did not open its page"
has "-----------page_name----- qovarn_3391_ver10/tale -------------- !" || fail "no page_name line"
sleep 0.5
click 60 30                         # the page's return item
wait_for "Scene 1 onExit" 5 || fail "the return item did not leave the page"
sleep 0.5
[ "$(grep -c -- '-----------TestController----- tale -------------- !' "$out")" -ge 2 ] ||
  fail "the main menu was not built again"
quit_at=$(date +%s.%N)
click 320 344                       # bnreturn: quit
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$pid" 2>/dev/null; then fail "still running 5 s after quit"; fi
wait "$pid"
status=$?
echo "quit to exit: $(calc "$(date +%s.%N) - $quit_at") s, status $status"
[ "$status" -eq 0 ] || fail "exit status $status"

for line in "-----------TestController----- tale -------------- !" \
            "-----------TestController----- 1 ---------1----- !" \
            "-----------TestController----- 9 -------------- !"; do
  has "$line" || fail "missing configuration line: $line"
done
echo "window smoke ok"
