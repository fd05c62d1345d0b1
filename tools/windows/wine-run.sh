#!/bin/sh
# Runs a Windows program under Wine in the build's own Wine prefix, quietly.
# The first start creates the prefix (about ten seconds), once, under a lock
# so tests started side by side do not race for it.
# Usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]   (WINEPREFIX must be set)
set -eu
: "${WINEPREFIX:?WINEPREFIX must name the build's Wine prefix}"
export WINEPREFIX
export WINEDEBUG=-all
# No Mono or Gecko: their installers would ask on the first start.
export WINEDLLOVERRIDES="mscoree=;mshtml="
if [ ! -f "$WINEPREFIX/.velkart-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.velkart-ready" ]; then
      wine wineboot --init >/dev/null 2>&1 || true
      wineserver --wait || true
      [ -f "$WINEPREFIX/system.reg" ] || { echo "wine-run: could not create $WINEPREFIX" >&2; exit 1; }
      touch "$WINEPREFIX/.velkart-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
