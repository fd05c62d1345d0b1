#!/bin/bash
# Drives fltk_smoke on a virtual screen: Xvfb for the display, openbox so
# that close requests and keyboard focus behave as on a desktop, xdotool and
# wmctrl for the user. Every action is followed by the exact event lines the
# program must print, so a missing, extra or reordered event fails the test.
# Usage: fltk_smoke_test.sh PATH/TO/fltk_smoke. Exit 77 = skipped.
set -u

smoke=${1:?usage: fltk_smoke_test.sh PATH/TO/fltk_smoke}
for tool in Xvfb openbox xdotool wmctrl; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
events=$work/events.txt
shots=${TMPDIR:-/tmp}
pids=()
keep_work=0
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  if [ "$keep_work" -eq 0 ]; then rm -rf "$work"; else echo "logs kept in $work"; fi
}
trap cleanup EXIT

fail() {
  keep_work=1
  echo "FAIL: $*"
  echo "--- events so far:"
  cat "$events"
  echo "--- program errors:"
  cat "$work/stderr" 2>/dev/null
  exit 1
}

# A display number nobody uses. -noreset: by default Xvfb resets when its
# last client leaves, and a client connecting just then is refused.
display=""
for n in $(seq 91 120); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "SKIP: no free display number"; exit 77; }
export DISPLAY=$display

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not start"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || fail "openbox did not start"

: >"$events"
"$smoke" >"$events" 2>"$work/stderr" &
smoke_pid=$!
pids+=("$smoke_pid")

seen=0  # event lines already checked

# expect LINE...: the program prints exactly these lines next, and no more.
expect() {
  local want=$# got
  for _ in $(seq 50); do
    got=$(($(wc -l <"$events") - seen))
    [ "$got" -ge "$want" ] && break
    sleep 0.1
  done
  sleep 0.3  # time for an unexpected extra line to show up
  local actual expected
  actual=$(tail -n +"$((seen + 1))" "$events")
  expected=$(printf '%s\n' "$@")
  [ "$#" -eq 0 ] && expected=""
  if [ "$actual" != "$expected" ]; then
    fail "$(printf 'expected:\n%s\ngot:\n%s' "$expected" "$actual")"
  fi
  seen=$((seen + $#))
}

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

main=$(xdotool search --sync --name '^Velkart Rauchtest$' | head -n 1)
[ -n "$main" ] || fail "main window did not appear"
expect "ready"
# Filling the controls at start-up raises no events, and the window being
# shown gives no field the focus.
sleep 0.5
expect

# Centred digits-only field: letters are refused, digits taken.
click "$main" 45 87
expect "control 2 text=42 state=0"
xdotool key End
xdotool type --delay 60 "x7y8"
expect "control 2 text=427 state=0" "control 2 text=4278 state=0"

# Tab leaves field 2 (it reports losing the focus) for field 3, whose text
# is selected and replaced by typing.
xdotool key Tab
expect "control 2 text=4278 state=0" "control 3 text=Dateiname state=0"
xdotool type --delay 60 "ab"
expect "control 3 text=a state=0" "control 3 text=ab state=0"

# Tab to the slider (2..10, at 5); the keyboard moves it one step at a time.
xdotool key Tab
expect "control 3 text=ab state=0"
xdotool key --delay 80 Right Right Home End Left Page_Up Page_Down
expect "control 4 text= state=6" "control 4 text= state=7" "control 4 text= state=2" \
       "control 4 text= state=10" "control 4 text= state=9" "control 4 text= state=8" \
       "control 4 text= state=9"
# A click puts the thumb under the pointer.
click "$main" 17 110
expect "control 4 text= state=2"

# Options form one group; a click on the selected one still reports.
click "$main" 20 137
expect "control 5 text=genau state=1"
click "$main" 20 137
expect "control 5 text=genau state=1"
click "$main" 86 137
expect "control 6 text=bis zu state=1"
click "$main" 20 157
expect "control 7 text=Häkchen & Co state=1"

# The default button: a click, and Enter typed in a field, which keeps the focus.
click "$main" 290 80
expect "control 8 text=Text analysieren -Probedurchlauf- state=0"
click "$main" 150 87
expect "control 3 text=ab state=0"
xdotool key Return
expect "control 8 text=Text analysieren -Probedurchlauf- state=0"
# Escape is no close request.
xdotool key Escape
expect
command -v import >/dev/null 2>&1 && import -window root "$shots/fltk_smoke.png"

# The message box: centred on the main window, which takes no input meanwhile.
click "$main" 290 155
expect "control 3 text=ab state=0" "control 12 text=Meldung zeigen state=0"
box=$(xdotool search --sync --name '^Information$' | head -n 1)
[ -n "$box" ] || fail "message box did not appear"
sleep 0.3
command -v import >/dev/null 2>&1 && import -window root "$shots/fltk_smoke_message.png"
eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^/MAIN_/')"
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/BOX_/')"
centre_dx=$(((MAIN_X + MAIN_WIDTH / 2) - (BOX_X + BOX_WIDTH / 2)))
centre_dy=$(((MAIN_Y + MAIN_HEIGHT / 2) - (BOX_Y + BOX_HEIGHT / 2)))
[ "${centre_dx#-}" -le 2 ] && [ "${centre_dy#-}" -le 2 ] || fail "message box not centred ($centre_dx, $centre_dy)"
click "$main" 20 157
expect
xdotool windowactivate --sync "$box" 2>/dev/null
xdotool key Return
expect "message closed"

# A second window disables the main one: clicks, keys and its close box do nothing.
click "$main" 290 185
expect "control 13 text=Zweites Fenster state=0" "window 1 opened"
second=$(xdotool search --sync --name '^Zweites Fenster$' | head -n 1)
[ -n "$second" ] || fail "second window did not appear"
sleep 0.3
click "$main" 20 157
click "$main" 100 87
xdotool type "zz"
wmctrl -c 'Velkart Rauchtest'
sleep 0.3
xdotool windowactivate --sync "$second" 2>/dev/null
expect
click "$second" 200 17
expect "control 21 text=text state=0"
xdotool key End
xdotool type "ab"
expect "control 21 text=texta state=0" "control 21 text=textab state=0"
command -v import >/dev/null 2>&1 && import -window root "$shots/fltk_smoke_second.png"
wmctrl -c 'Zweites Fenster'
expect "close 1"
sleep 0.3
[ "$(xdotool getactivewindow)" = "$main" ] || fail "main window not active after the second window closed"
click "$main" 20 157
expect "control 7 text=Häkchen & Co state=0"

# The close request of the main window ends the program.
wmctrl -c 'Velkart Rauchtest'
expect "close 0"
for _ in $(seq 50); do kill -0 "$smoke_pid" 2>/dev/null || break; sleep 0.1; done
wait "$smoke_pid"
status=$?
[ "$status" -eq 0 ] || fail "fltk_smoke exited with $status"
echo "PASS: $(wc -l <"$events") event lines as expected"
