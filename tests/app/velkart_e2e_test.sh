#!/bin/bash
# The real program under Xvfb with a window manager, driven like a course
# leader would: clicks at the controls' places, typing, arrow keys, close
# requests; then a small course from the course window. A recording encoder
# stands in for ebook2cw. Then the files, the
# encoder's arguments and the settings file are checked byte for byte.
# Usage: velkart_e2e_test.sh VELKART DATADIR [SCREENSHOT_DIR]
set -u
velkart=$1
data=$2
shots=${3:-}
fail() { echo "FAIL: $*"; cat "$work/stderr.txt" 2>/dev/null; exit 1; }
command -v xprop >/dev/null 2>&1 || { echo "SKIP: xprop is not installed"; exit 77; }
source "$(dirname "$0")/../support/x_session.sh"
app_pid=

"$(dirname "$0")/../../tools/prepare_workdir.sh" "$work" "$data"
# The encoder writes its three files one by one, each only once the test
# says "goK": the test decides what the status line has to show.
cat > "$work/nicht_loeschen/ebook2cw.exe" <<'SCRIPT'
#!/bin/sh
# A course lesson's encoder (its own input file) leaves one file per chapter
# under the prefix after -o, the last word.
for word in "$@"; do in=$prefix_word; prefix_word=$option; option=$word; done
case "$in" in
  *_Lektion04*) printf 'ID3' > "$(printf '%s%04d.mp3' "$option" 0)"   # works until stopped
                for i in $(seq 300); do sleep 0.1; done; exit 0 ;;
  *_Lektion*) chapters=$(grep -o ' <> ' "$in" | wc -l)
              for k in $(seq 0 "$chapters"); do printf 'ID3' > "$(printf '%s%04d.mp3' "$option" "$k")"; done
              exit 0 ;;
esac
for word in "$@"; do printf '%s\n' "$word"; done > encoder_argv.txt
for k in 0 1 2; do
  : > "eure_Texte/Kurs1000$k.mp3"
  for i in $(seq 300); do [ -e "go$k" ] && break; sleep 0.1; done
done
SCRIPT
# A desktop without a PDF viewer: xdg-open fails for the help document.
mkdir "$work/bin"
cat > "$work/bin/xdg-open" <<'SCRIPT'
#!/bin/sh
printf '%s\n' "$1" >> opened.txt
case $1 in *.pdf) exit 3 ;; esac
SCRIPT
chmod +x "$work/bin/xdg-open"
: > "$work/hilfe.pdf"
chmod +x "$work/nicht_loeschen/ebook2cw.exe"
printf 'Haus Maus, Baum\r\nhaus Rakete x\r\n' > "$work/Wortschatz_erweitern/quelle.txt"

cd "$work" || exit 1
PATH="$work/bin:$PATH" VELKART_TEXT_RECORD="$work/texts.txt" "$velkart" 2>"$work/stderr.txt" &
app_pid=$!
pids+=($app_pid)
wait_for() { wait_until "timed out waiting for $1" "${@:2}"; }
window_of() { xdotool search --name "$1" 2>/dev/null | head -n 1; }

wait_for "the main window" xdotool search --name '^Velkart '
main=$(window_of '^Velkart ')
sleep 0.3
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }
type_into() {  # type_into WINDOW X Y TEXT: replaces the field's text
  click "$1" "$2" "$3"
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --delay 20 "$4"
  sleep 0.2
}

shown() { grep -qxF "$1" texts.txt; }      # shown CONTROL<TAB>TEXT: the program set it
message_box() {  # waits for a message box and confirms it with Enter
  wait_for "a message box" xdotool search --name '^Information$'
  xdotool windowactivate --sync "$(window_of '^Information$')" key Return
  wait_for "the message box to close" sh -c '! xdotool search --name "^Information\$"'
}
open_window() {  # open_window VAR X Y TITLE: a click on the main window at X Y opens it
  click "$main" "$2" "$3"
  wait_for "the window $4" xdotool search --name "^$4\$"
  sleep 0.3
  printf -v "$1" '%s' "$(window_of "^$4\$")"
}
close_window() {  # close_window TITLE: its close box, then it is gone
  wmctrl -c "$1"
  wait_for "the window $1 to close" sh -c "! xdotool search --name '^$1\$'"
  sleep 0.3
}

click "$main" 30 277                        # Enter in field 28 starts no run:
xdotool key Return
click "$main" 330 639                        # "Ordner öffnen", handled after the Enter
wait_for "the folder to be opened" grep -qx eure_Texte opened.txt
[ -z "$(ls eure_Texte)" ] && [ ! -e encoder_argv.txt ] || fail "Enter in a field started a run"
click "$main" 430 10                        # help: the viewer fails, the help shows inside
wait_for "the help window" xdotool search --name '^Velkart - Hilfe und Informationen$'
sleep 0.5
[ -n "$shots" ] && import -window root "$shots/help_window.png"
wmctrl -c 'Velkart - Hilfe und Informationen'
wait_for "the help window to close" sh -c '! xdotool search --onlyvisible --name "^Velkart - Hilfe"'
click "$main" 422 639                        # "Anhören" before any run: no list yet
message_box
click "$main" 510 225                      # "Text analysieren -Probedurchlauf-"
type_into "$main" 280 327 "Kurs1"           # base name
type_into "$main" 22 437 "3x"               # number of texts: the x is refused
click "$main" 170 237                        # slider "Wortlänge" has the focus ...
xdotool key Left Left Left Left Home End Left Left Left
sleep 0.2                                    # ... 5 -> 2 (its end) -> Home 2 -> End 10 -> 7
type_into "$main" 305 477 "2"               # QRQ: effective speed follows the character speed
[ -n "$shots" ] && import -window root "$shots/main_window.png"
click "$main" 510 365                        # "Text analysieren -mp3 erstellen-"
wait_for "the encoder" test -s encoder_argv.txt
wait_for "the status line" shown "$(printf '80\tmp3-Dateien: 0 von 3 fertig')"
# While the encoder works the window still answers: a trial run with a word
# list gone shows its message.
mv nicht_loeschen/eigeneDatei.txt eigeneDatei.txt
click "$main" 20 42                          # tick "eigeneDatei.txt"
click "$main" 510 225
message_box
click "$main" 20 42
mv eigeneDatei.txt nicht_loeschen/eigeneDatei.txt
touch go0
wait_for "one file finished" shown "$(printf '80\tmp3-Dateien: 1 von 3 fertig')"
touch go1 go2
wait_for "all files finished" shown "$(printf '80\tAlle 3 mp3-Dateien sind fertig.')"
grep -q "$(printf '^79\tWortvorrat: [0-9]* Wörter · ein Text dauert etwa [0-9]*:[0-5][0-9] min$')" texts.txt || fail "no word pool shown"
click "$main" 422 639                        # "Anhören": the run's playlist in the player
wait_for "the playlist to be opened" grep -qx eure_Texte/Kurs1.m3u opened.txt
[ -n "$shots" ] && import -window root "$shots/main_window_done.png"

open_window builder 146 10 Wortschatzgenerator
xprop -id "$builder" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$main")" \
  || fail "the builder is not kept above the main window"
wmctrl -c 'Velkart ' ; sleep 0.5             # refused while the builder is open
kill -0 "$app_pid" 2>/dev/null || fail "the main window closed while the builder was open"
xdotool windowactivate "$main" 2>/dev/null
click "$main" 20 42                          # ignored, but brings the builder forward
wait_for "the builder to come forward" sh -c "[ \"\$(xdotool getactivewindow)\" = $builder ]"
type_into "$builder" 150 237 "quelle"
click "$builder" 160 307                     # "Text analysieren, bearbeiten und neu speichern"
wait_for "the word list" test -s Wortschatz_erweitern/quelle_bearbeitet_ABC.txt
[ -n "$shots" ] && import -window root "$shots/builder_window.png"
click "$builder" 510 307                     # "Als eigene Wortliste übernehmen"
wait_for "the question" xdotool search --name '^Frage$'
xdotool windowactivate --sync "$(window_of '^Frage$')" key shift+Tab space   # "Ja"
message_box                                  # "Übernommen: ..."
close_window Wortschatzgenerator

open_window course 95 662 'Kurspaket erstellen'
type_into "$course" 180 87 "4"               # lesson 4 alone, two texts: its encoder
type_into "$course" 245 87 "4"               # works until "Abbrechen" ends it
type_into "$course" 180 107 "2"
click "$course" 175 245                      # start
wait_for "the progress bar" shown "$(printf '122\t0 von 1 Lektionen fertig · 0 von 2 mp3-Dateien')"
[ -n "$shots" ] && import -window root "$shots/course_window_running.png"
click "$course" 635 330                      # "Abbrechen"
wait_for "the end of the stopped run" sh -c "grep '^121	' texts.txt | tail -n 1 | grep -q 'E N D E'"
grep '^121	' texts.txt | tail -n 1 | grep -q 'Keine Lektion ist vollständig.' \
  || fail "stopped run: $(grep '^121	' texts.txt | tail -n 1)"
grep '^121	' texts.txt | tail -n 1 | grep -q 'BITTE WARTEN' && fail "BITTE WARTEN stayed"
[ -e eure_Texte/Kurs1_Lektion04/Kurs1_Lektion04_0000.mp3 ] && fail "a cut-off mp3 file stayed"
[ -n "$shots" ] && import -window root "$shots/course_window_stopped.png"
rm eure_Texte/Kurs1_Kursuebersicht.pdf
type_into "$course" 180 87 "2"               # lessons 2 ...
type_into "$course" 245 87 "3"               # ... to 3
type_into "$course" 180 107 "2"              # two texts each
click "$course" 20 127                       # effective speed ramp ...
type_into "$course" 180 127 "5"              # ... from 5
type_into "$course" 245 127 "8"              # ... to 8 WpM
click "$course" 250 172                      # letter groups always
click "$course" 175 245                      # start
wait_for "the course overview" test -s eure_Texte/Kurs1_Kursuebersicht.pdf
sleep 0.5
[ -n "$shots" ] && import -window root "$shots/course_window.png"
close_window 'Kurspaket erstellen'

open_window scoring 285 662 'Mitschriften auswerten'
click "$scoring" 310 69                      # ">" stays on the newest set, lesson 3
type_into "$scoring" 200 91 "Anna"
type_into "$scoring" 200 114 "$(tr -d '\r\n' < eure_Texte/Kurs1_Lektion03/Kurs1_Lektion03_0000_.txt)"
click "$scoring" 175 357                     # "Auswerten"
wait_for "the register" test -s eure_Texte/Auswertung/Auswertungen.csv
grep -q "^[0-9.]*;Anna;Kurs1_Lektion03;0;" eure_Texte/Auswertung/Auswertungen.csv \
  || fail "register: $(cat eure_Texte/Auswertung/Auswertungen.csv)"
[ -n "$shots" ] && import -window root "$shots/scoring_window.png"
close_window 'Mitschriften auswerten'

click "$main" 475 662                        # "Hörbedingungen ..."
wait_for "the listening window" xdotool search --name 'rbedingungen$'
listening=$(window_of 'rbedingungen$')
sleep 0.3
click "$listening" 17 57                     # noise on
click "$listening" 17 227                    # fading on, at the depth it offers
[ -n "$shots" ] && import -window root "$shots/listening_window.png"
click "$listening" 350 352                   # "Übernehmen"
wait_for "the listening window to close" sh -c '! xdotool search --name "rbedingungen$"'
sleep 0.3
wmctrl -c 'Velkart '
for i in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid"; code=$?
[ "$code" = 0 ] || fail "exit code $code: $(cat stderr.txt)"

# What the run left behind.
for k in 0 1 2; do
  file="eure_Texte/Kurs1000${k}_.txt"
  [ -f "$file" ] || fail "$file missing"
  [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$file does not end in CR LF"
done
[ -f eure_Texte/Kurs10003_.txt ] && fail "one text too many"
printf '%s\n' -w 20 -f 650 -Q 2 -q 9 -s 16000 -c '<>' -t Kurs1 nicht_loeschen/mp3_temp.txt -o eure_Texte/Kurs1 \
  > expected_argv.txt
cmp -s encoder_argv.txt expected_argv.txt || fail "encoder arguments: $(tr '\n' ' ' < encoder_argv.txt)"
for lesson in 02 03; do
  set=Kurs1_Lektion$lesson
  for file in _0000_.txt _0001_.txt _0000.mp3 _0001.mp3 _Loesung.pdf _Mitschrift.pdf .m3u; do
    [ -f "eure_Texte/$set/$set$file" ] || fail "eure_Texte/$set/$set$file missing"
  done
  [ -f "nicht_loeschen/mp3_temp_Lektion$lesson.txt" ] || fail "encoder input of lesson $lesson"
done
[ "$(tr -d 'KM \r\n' < eure_Texte/Kurs1_Lektion02/Kurs1_Lektion02_0000_.txt)" = "" ] || fail "lesson 2 letters"
tr ' ' '\n' < eure_Texte/Kurs1_Lektion03/Kurs1_Lektion03_0001_.txt | tr -d '\r' | grep -v U | grep -q . \
  && fail "a group of lesson 3 without U"
printf 'BAUM HAUS MAUS RAKETE \r\n' | cmp -s - Wortschatz_erweitern/quelle_bearbeitet_ABC.txt \
  || fail "word list: $(cat Wortschatz_erweitern/quelle_bearbeitet_ABC.txt)"
cmp -s Wortschatz_erweitern/quelle_bearbeitet_ABC.txt nicht_loeschen/eigeneDatei.txt \
  || fail "the word list was not adopted as own list"

printf '%s\r\n' '[voreinstellungen]' 'String_woerter_eigen_Datei = 1' 'String_woerter_deutsch = 1' \
  'String_woerter_englisch = 0' 'String_woerter_Qgruppen = 0' 'String_woerter_CWabkuerzungen = 0' \
  'String_erlaubte_zeichen = kmuresniat' 'String_verpflichtende_zeichen = ' 'String_wortlaenge = 7' \
  'String_anzahl_woerter = 300' 'String_sz_austauschen = 1' 'String_umlaute_austauschen = 1' \
  'String_biszu_Wortlaenge = 1' 'String_mp_dateiname = Kurs1' 'String_wiederholungsschleife = 1' \
  'String_anzahl_texte = 3' 'String_zeichengeschw = 20' 'String_effektivgeschw = 20' 'String_frequenz = 650' \
  'String_zwischenraume = 0' 'String_QRQ = 2' 'String_wortschatz_datei = quelle' \
  'String_kurs_von = 2' 'String_kurs_bis = 3' 'String_kurs_texte = 2' 'String_kurs_rampe = 1' \
  'String_kurs_effektiv_von = 5' 'String_kurs_effektiv_bis = 8' 'String_kurs_gruppen = immer' \
  'String_kurs_minuten = 5' \
  'String_hoer_rauschen = 1' 'String_hoer_snr = 3' 'String_hoer_filter = 500' \
  'String_hoer_ton_zufall = 0' 'String_hoer_ton_von = 500' 'String_hoer_ton_bis = 900' \
  'String_hoer_fading = 50' 'String_hoer_fading_periode = 8' 'String_hoer_pause = 0' > expected.pref
cmp -s voreinstellungen.pref expected.pref || { diff expected.pref voreinstellungen.pref; fail "settings file"; }

# Closed while the encoder works, the program asks; "Ja" lets it finish
# alone. The next start shows it in the status line, and "mp3 abbrechen" ends it.
encoding() { pgrep -f 'nicht_loeschen/ebook2cw[.]exe' >/dev/null; }
rm -f go0 go1 go2 encoder_argv.txt texts.txt
start_program() {
  PATH="$work/bin:$PATH" VELKART_TEXT_RECORD="$work/texts.txt" "$velkart" 2>>"$work/stderr.txt" &
  app_pid=$!
  pids+=($app_pid)
  wait_for "the main window" xdotool search --name '^Velkart '
  main=$(window_of '^Velkart ')
  sleep 0.3
}
start_program
click "$main" 510 365                        # "Text analysieren -mp3 erstellen-"
wait_for "the encoder" test -s encoder_argv.txt
wmctrl -c 'Velkart '
wait_for "the question" xdotool search --name '^Frage$'
[ -n "$shots" ] && import -window root "$shots/close_question.png"
xdotool windowactivate --sync "$(window_of '^Frage$')" key shift+Tab space   # "Ja"
for i in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid"; code=$?
[ "$code" = 0 ] || fail "exit code $code after the question"
encoding || fail "the encoder did not go on after Ja"
start_program
wait_for "the encoder in the status line" shown "$(printf '80\tmp3-Dateien: 0 von 3 fertig')"
click "$main" 517 639                        # "mp3 abbrechen"
wait_for "the encoder to end" sh -c "! pgrep -f 'nicht_loeschen/ebook2cw[.]exe'"
wait_for "the status after cancelling" shown "$(printf '80\tmp3 abgebrochen: 0 von 3 fertig.')"
[ -e eure_Texte/Kurs10000.mp3 ] && fail "the unfinished mp3 file is still there"
wmctrl -c 'Velkart '
for i in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid"; code=$?
[ "$code" = 0 ] || fail "exit code $code at the end"
echo "PASS"
