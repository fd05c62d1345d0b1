#!/bin/bash
# velkart.exe under Wine on Xvfb with a window manager, driven like the Linux
# end-to-end run. First every caption of both windows is measured in the font
# Wine draws it with (fltk_smoke.exe --captions); then a trial run, a generation run with a base name holding a
# blank and a recording encoder (recording_encoder.exe as
# nicht_loeschen\ebook2cw.exe), then the close request. Checked: the text
# files, the encoder input and command line, the solution sheet, the settings.
# Usage: velkart_wine_e2e_test.sh VELKART_EXE RECORDING_ENCODER_EXE DATADIR FLTK_SMOKE_EXE [SCREENSHOT_DIR]
set -u
velkart=$1
encoder=$2
data=$3
smoke=$4
shots=${5:-}
command -v wine >/dev/null 2>&1 || { echo "SKIP: wine is not installed"; exit 77; }
run_wine=$(cd "$(dirname "$0")/../../tools/windows" && pwd)/wine-run.sh
fail() { echo "FAIL: $*"; [ -f "$work/stderr.txt" ] && tail -5 "$work/stderr.txt"; exit 1; }
wait_seconds=60  # Wine starts slowly
source "$(dirname "$0")/../support/x_session.sh"
trap 'WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null; cleanup' EXIT
# A Wine server left running by the tests before us started its desktop
# without this display, and our windows would never show: start afresh.
WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null
WINEPREFIX=$WINEPREFIX wineserver -w 2>/dev/null

"$(dirname "$0")/../../tools/prepare_workdir.sh" "$work" "$data"
cp "$encoder" "$work/nicht_loeschen/ebook2cw.exe"

cd "$work" || exit 1
"$run_wine" "$smoke" --captions >"$work/cut" 2>&1 || fail "texts cut off: $(cat "$work/cut")"
"$run_wine" "$velkart" 2>"$work/stderr.txt" &
app_pid=$! pids+=($!)

window_of() { xdotool search --name "$1" 2>/dev/null | head -n 1; }

wait_until "the main window did not appear" xdotool search --name '^Velkart '
main=$(window_of '^Velkart ')
sleep 1
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
type_into() {  # type_into WINDOW X Y TEXT: replaces the field's text
  click "$1" "$2" "$3"
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --delay 40 "$4"
  sleep 0.3
}

click "$main" 510 225                      # "Text analysieren -Probedurchlauf-"
type_into "$main" 280 327 "Kurs 1"          # base name with a blank
type_into "$main" 22 437 "2"                # number of texts
[ -n "$shots" ] && import -window root "$shots/wine_main_window.png"
click "$main" 510 365                        # "Text analysieren -mp3 erstellen-"
wait_until "the encoder did not start" test -s nicht_loeschen/encoder_argv.txt
wait_until "no solution sheet" test -s "eure_Texte/Kurs 1.pdf"
sleep 0.5
wmctrl -c 'Velkart '
for i in $(seq 300); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid"; code=$?
[ "$code" = 0 ] || fail "exit code $code"

for k in 0 1; do
  file="eure_Texte/Kurs 1000${k}_.txt"
  [ -f "$file" ] || fail "$file missing"
  [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$file does not end in CR LF"
done
[ -f "eure_Texte/Kurs 10002_.txt" ] && fail "one text too many"
# The encoder input: both texts, each followed by the chapter marker but the last.
expected_input="$(tr -d '\r\n' <"eure_Texte/Kurs 10000_.txt") <> $(tr -d '\r\n' <"eure_Texte/Kurs 10001_.txt") <"
[ "$(tr -d '\r\n' <nicht_loeschen/mp3_temp.txt)" = "$expected_input" ] || fail "encoder input: $(cat nicht_loeschen/mp3_temp.txt)"
{
  printf '%s\n' 'command line: "nicht_loeschen\ebook2cw.exe" -w 20 -e 5 -f 650 -q 9 -s 16000 -c <> -t "Kurs 1" ..\nicht_loeschen\mp3_temp.txt -o "..\eure_Texte\Kurs 1"'
  printf '%s\n' -w 20 -e 5 -f 650 -q 9 -s 16000 -c '<>' -t 'Kurs 1' '..\nicht_loeschen\mp3_temp.txt' -o '..\eure_Texte\Kurs 1'
} >expected_argv.txt
# The encoder runs in its home, where it keeps its configuration on Windows.
cmp -s nicht_loeschen/encoder_argv.txt expected_argv.txt ||
  { diff expected_argv.txt nicht_loeschen/encoder_argv.txt; fail "encoder command line"; }
qpdf --check "eure_Texte/Kurs 1.pdf" >/dev/null 2>&1 || fail "the solution sheet does not pass qpdf --check"
sheet=$(pdftotext "eure_Texte/Kurs 1.pdf" - | tr -s " \n" "  ")
for k in 0 1; do
  case "$sheet" in *"$(tr -d "\r\n" <"eure_Texte/Kurs 1000${k}_.txt" | cut -c1-40)"*) ;; *) fail "text $k missing from the sheet" ;; esac
done
[ "$(tail -c 2 voreinstellungen.pref | od -An -c | tr -d ' ')" = '\r\n' ] || fail "settings file without CR LF"
for line in 'String_mp_dateiname = Kurs 1' 'String_anzahl_texte = 2'; do
  tr -d '\r' <voreinstellungen.pref | grep -qx "$line" || fail "settings file: $(cat voreinstellungen.pref)"
done
echo "PASS"
