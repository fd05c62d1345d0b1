#!/bin/sh
# Velkart-Setup.exe under Wine in a fresh prefix, as a user without an
# administrator would meet it:
# - a silent install puts the programs, the Start-menu entry and the uninstall
#   entry in place; the first start (velkart-starten.exe, what the entry
#   starts) lays out Dokumente\Velkart and runs velkart.exe in it;
# - velkart-batch.exe there makes mp3 files with the bundled encoder, as long
#   as the Linux build's with Debian's ebook2cw for the same seed, although an
#   ebook2cw.conf in the working folder and in the user's home asks for
#   another effective speed and ogg; one decodes back to its text's words;
# - a second start renews a list the user never changed and keeps an edited one;
# - a silent uninstall removes programs, entry and registration, never the
#   working folder.
# Usage: installer_test.sh SETUP_EXE LINUX_BATCH DATADIR
set -u
setup=$1
linux=$2
data=$3
for tool in wine Xvfb openbox wmctrl xdotool sox soxi multimon-ng ebook2cw; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool missing"; exit 77; }
done
work=$(mktemp -d)
server_pid=
wm_pid=
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
cleanup() {
  wineserver -k 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A fresh prefix; Wine links the user's documents to $HOME/Documents.
mkdir -p "$HOME/Documents"
wine wineboot --init >/dev/null 2>&1
wineserver -w
wine "$setup" /S || fail "the silent install ended with $?"
wineserver -w
user_folder=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData 2>/dev/null | head -n 1)
user_folder=${user_folder%/AppData}
programs="$user_folder/AppData/Local/Programs/Velkart"
link="$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velkart.lnk"
for file in velkart.exe velkart-batch.exe velkart-starten.exe ebook2cw.exe Deinstallieren.exe \
            LIESMICH.txt Vorlagen/hilfe.pdf Vorlagen/en1000.txt Quellen/ebook2cw-0.8.5.tar.gz; do
  [ -f "$programs/$file" ] || fail "not installed: $file"
done
[ -f "$link" ] || fail "no Start-menu entry"
registration() { tr -d '\r' <"$WINEPREFIX/user.reg" | sed -n '/Uninstall\\\\Velkart\]/,/^$/p'; }
for line in '"DisplayName"="Velkart"' '"DisplayVersion"="[0-9.]*"' '"Publisher"="The Velkart developers"' \
            '"UninstallString"=".*Deinstallieren.exe\\""'; do
  registration | grep -qx "$line" || fail "uninstall entry without $line: $(registration)"
done

# The first start, on a display of its own; velkart.exe writes its settings
# into its working folder when it is closed.
for number in $(seq 241 300); do
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || { display=":$number"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
server_pid=$!
export DISPLAY="$display"
for i in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm_pid=$!
# start_and_close WHICH: starts Velkart from the Start-menu entry's program,
# waits for its window and closes it.
start_and_close() {
  wine "$programs/velkart-starten.exe" 2>"$work/$1.txt" || fail "$1 start: $(cat "$work/$1.txt")"
  for i in $(seq 600); do xdotool search --name '^Velkart ' >/dev/null 2>&1 && break; sleep 0.1; done
  xdotool search --name '^Velkart ' >/dev/null 2>&1 || fail "no window after the $1 start"
  for i in $(seq 30); do
    sleep 1
    wmctrl -c 'Velkart '
    xdotool search --name '^Velkart ' >/dev/null 2>&1 || break
  done
  wineserver -w
}
start_and_close first
folder="$HOME/Documents/Velkart"
for file in voreinstellungen.pref hilfe.pdf Wortschatz_erweitern/test.txt nicht_loeschen/eigeneDatei.txt \
            nicht_loeschen/de_AllgemAfuTechnik.txt nicht_loeschen/en1000.txt nicht_loeschen/Qgruppe.txt \
            nicht_loeschen/CWabkuerzungen.txt; do
  [ -f "$folder/$file" ] || fail "working folder without $file after the first start"
done
[ -d "$folder/eure_Texte" ] || fail "working folder without eure_Texte"

# A user's own configuration for other work, where ebook2cw on Windows (its
# current folder) and on Linux (~/.ebook2cw) would find it.
mkdir -p "$HOME/.ebook2cw"
printf '[settings]\r\ne=8\r\nO=1\r\n' | tee "$folder/ebook2cw.conf" >"$HOME/.ebook2cw/ebook2cw.conf"
"$(dirname "$0")/../../tools/prepare_workdir.sh" "$work/linux" "$data"
(cd "$work/linux" && "$linux" generate --seed 3 >out.txt 2>err.txt) || fail "Linux run: $(cat "$work/linux/err.txt")"
(cd "$folder" && wine "$programs/velkart-batch.exe" generate --seed 3 >"$work/out.txt" 2>"$work/err.txt") ||
  fail "generate: $(tail -3 "$work/err.txt")"
count=0
for linux_mp3 in "$work"/linux/eure_Texte/*.mp3; do
  name=$(basename "$linux_mp3")
  windows_mp3="$folder/eure_Texte/$name"
  [ -f "$windows_mp3" ] || fail "no $name: $(ls "$folder/eure_Texte" "$folder/nicht_loeschen")"
  [ "$(soxi -t "$windows_mp3")" = mp3 ] || fail "$name is no mp3 file"
  awk -v a="$(soxi -D "$linux_mp3")" -v b="$(soxi -D "$windows_mp3")" \
    'BEGIN { exit !(a - b < 1 && b - a < 1) }' ||
    fail "$name lasts $(soxi -D "$windows_mp3") s, on Linux $(soxi -D "$linux_mp3") s"
  count=$((count + 1))
done
[ "$count" -ge 2 ] || fail "the Linux build wrote $count mp3 files"

# Equal speeds for the decoder: the words come back.
(cd "$folder" && wine "$programs/velkart-batch.exe" generate --seed 3 --set String_effektivgeschw=20 \
   --set String_anzahl_woerter=30 --set String_anzahl_texte=1 --set String_mp_dateiname=Hoeren \
   >/dev/null 2>"$work/err.txt") || fail "generate for the decoder: $(tail -3 "$work/err.txt")"
heard=$(sox "$folder/eure_Texte/Hoeren0000.mp3" -t raw -r 22050 -e signed -b 16 -c 1 - |
        multimon-ng -q -t raw -a MORSE_CW - 2>/dev/null | tr -s ' \r\n' '   ' | sed 's/^ *//; s/ *$//')
written=$(tr -s ' \r\n' '   ' <"$folder/eure_Texte/Hoeren0000_.txt" | sed 's/^ *//; s/ *$//')
[ -n "$written" ] && [ "$heard" = "$written" ] || fail "decoded \"$heard\", written \"$written\""

# The second start: an old shipped list is renewed, an edited one stays.
printf 'ALT\r\n' >"$folder/nicht_loeschen/en1000.txt"
printf '%s  en1000.txt\n' "$(printf 'ALT\r\n' | sha256sum | cut -d' ' -f1)" \
  >>"$programs/Vorlagen/fruehere_fassungen.sha256"
printf 'MEINE\r\n' >"$folder/nicht_loeschen/Qgruppe.txt"
start_and_close second
cmp -s "$folder/nicht_loeschen/en1000.txt" "$programs/Vorlagen/en1000.txt" || fail "old list not renewed"
grep -q "ersetzt: en1000.txt" "$work/second.txt" || fail "renewed list not named: $(cat "$work/second.txt")"
[ "$(cat "$folder/nicht_loeschen/Qgruppe.txt")" = "$(printf 'MEINE\r')" ] || fail "edited list replaced"

wine "$programs/Deinstallieren.exe" /S || fail "the silent uninstall ended with $?"
wineserver -w
[ -e "$programs" ] && fail "programs left: $(find "$programs")"
[ -e "$link" ] && fail "Start-menu entry left"
[ -z "$(registration)" ] || fail "uninstall entry left"
[ -f "$folder/voreinstellungen.pref" ] && [ -f "$folder/eure_Texte/Dateiname0000.mp3" ] ||
  fail "the uninstall touched the working folder"
echo PASS
