# Sourced by the tests that drive real windows: skips (exit 77) without the
# tools, starts Xvfb on a display number nobody uses with openbox on it (so
# close requests and focus behave as on a desktop), and stops everything in
# $pids when the test ends (its trap calls cleanup). Defines wait_until; the
# sourcing script defines fail. The Xvfb runs under Linux and under Wine share it.
for tool in Xvfb openbox xdotool wmctrl; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
# What the program moves to the trash stays in the test's folder.
export XDG_DATA_HOME=$work/Daten
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; wait; rm -rf "$work"; }
trap cleanup EXIT
wait_until() {  # wait_until WHAT COMMAND...: fails unless COMMAND succeeds in $wait_seconds (10)
  local what=$1; shift
  for _ in $(seq $((${wait_seconds:-10} * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "$what"
}
# -noreset: by default Xvfb resets when its last client leaves, and a client
# connecting just then is refused.
display=""
for n in $(seq 91 180); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
[ -n "$display" ] || { echo "SKIP: no free display number"; exit 77; }
export DISPLAY=$display
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 & pids+=($!)
wait_until "Xvfb did not start" xdotool getdisplaygeometry
openbox >/dev/null 2>&1 & pids+=($!)
wait_until "openbox did not start" wmctrl -m
