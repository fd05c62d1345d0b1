#!/bin/bash
# Drives fltk_smoke under Xvfb. After every action the program must print exactly the
# expected event lines: a missing, extra or reordered event fails.
# Usage: fltk_smoke_test.sh PATH/TO/fltk_smoke [SHOT_DIR]. Exit 77 = skipped.
set -u
smoke=${1:?usage: fltk_smoke_test.sh PATH/TO/fltk_smoke [SHOT_DIR]}
shots=${2:-}
fail() {
  printf 'FAIL: %s\n--- events so far:\n' "$*"; cat "${events:-/dev/null}"
  echo "--- program errors:"; cat "$work/stderr" 2>/dev/null; exit 1
}
source "$(dirname "$0")/../support/x_session.sh"
events=$work/events.txt
: >"$events"
window() {  # window TITLE: waits for it and sets $win to its id
  wait_until "window '$1' did not appear" xdotool search --name "^$1\$"
  win=$(xdotool search --name "^$1\$" | head -n 1); sleep 0.3
}
# Every caption and field text of both real windows fits its box.
"$smoke" --captions >"$work/cut" 2>&1 || { cat "$work/cut"; fail "texts cut off"; }
"$smoke" >"$events" 2>"$work/stderr" & smoke_pid=$! pids+=($!)

seen=0  # event lines already checked
expect() {  # expect LINE...: the program prints exactly these lines next, and no more
  for _ in $(seq 50); do [ $(($(wc -l <"$events") - seen)) -ge $# ] && break; sleep 0.1; done
  sleep 0.3  # time for an unexpected extra line to show up
  local actual expected=""
  actual=$(tail -n +"$((seen + 1))" "$events")
  [ $# -gt 0 ] && expected=$(printf '%s\n' "$@")
  [ "$actual" = "$expected" ] || fail "$(printf 'expected:\n%s\ngot:\n%s' "$expected" "$actual")"
  seen=$((seen + $#))
}
click() {  # click WINDOW X Y [LINE...]: then exactly these event lines
  xdotool mousemove --window "$1" "$2" "$3" click 1; shift 3; expect "$@"
}
keys() {  # keys 'XDOTOOL ARGS' [LINE...]: press or type, then exactly these event lines
  xdotool $1; shift; expect "$@"
}

# Filling the window raises no events, and showing it focuses no field.
window 'Velkart Rauchtest'; main=$win
expect "ready"
# Digits-only field: letters are refused, digits taken. Tab: it reports losing
# the focus, field 3 gaining it, with its text selected and replaced by typing.
click "$main" 45 87 "control 2 text=42 state=0"
keys 'key End type --delay 60 x7y8' "control 2 text=427 state=0" "control 2 text=4278 state=0"
keys 'key Tab' "control 2 text=4278 state=0" "control 3 text=Dateiname state=0"
keys 'type --delay 60 ab' "control 3 text=a state=0" "control 3 text=ab state=0"
# Tab to the slider (2..10, at 5): each key moves it and reports once; a click
# puts the thumb under the pointer.
keys 'key Tab' "control 3 text=ab state=0"
slider=(); for state in 6 7 2 10 9 8 9; do slider+=("control 4 text= state=$state"); done
keys 'key --delay 80 Right Right Home End Left Page_Up Page_Down' "${slider[@]}"
click "$main" 17 110 "control 4 text= state=2"
# Options form one group; a click on the selected one still reports.
click "$main" 20 137 "control 5 text=genau state=1"
click "$main" 20 137 "control 5 text=genau state=1"
click "$main" 86 137 "control 6 text=bis zu state=1"
click "$main" 20 157 "control 7 text=Häkchen & Co state=1"
# Enter in a field presses no button, not even the default one, and Escape
# is no close request.
click "$main" 150 87 "control 3 text=ab state=0"
keys 'key Return'
keys 'key Escape'

# The message box: centred on the main window, which takes no input meanwhile;
# Enter closes it.
click "$main" 290 155 "control 3 text=ab state=0" "control 12 text=Meldung zeigen state=0"
window 'Information'; box=$win
[ -z "$shots" ] || import -window root "$shots/fltk_smoke.png"
eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^/M_/')"
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/B_/')"
dx=$((M_X + M_WIDTH / 2 - B_X - B_WIDTH / 2)) dy=$((M_Y + M_HEIGHT / 2 - B_Y - B_HEIGHT / 2))
[ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "message box not centred ($dx, $dy)"
click "$main" 20 157
xdotool windowactivate --sync "$box" key Return
expect "message closed"

# The second window disables the main one: clicks, typing and its close box do
# nothing there. Its own close request gives the main window input and focus.
click "$main" 290 185 "control 13 text=Zweites Fenster state=0" "window 1 opened"
window 'Zweites Fenster'; second=$win
click "$main" 20 157
click "$main" 100 87
xdotool type "zz"
wmctrl -c 'Velkart Rauchtest'
sleep 0.3
xdotool windowactivate --sync "$second" 2>/dev/null
expect
click "$second" 200 17 "control 21 text=text state=0"
keys 'key End type ab' "control 21 text=texta state=0" "control 21 text=textab state=0"
wmctrl -c 'Zweites Fenster'
expect "close 1"
[ "$(xdotool getactivewindow)" = "$main" ] || fail "main window not active after closing the second"
click "$main" 20 157 "control 7 text=Häkchen & Co state=0"

# The close request of the main window ends the program with exit code 0.
wmctrl -c 'Velkart Rauchtest'
expect "close 0"
wait_until "fltk_smoke did not end" eval '! kill -0 "$smoke_pid"'
wait "$smoke_pid" || fail "fltk_smoke exited with $?"
echo "PASS: $(wc -l <"$events") event lines as expected"
