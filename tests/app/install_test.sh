#!/bin/sh
# Installs into a temporary prefix and starts the installed launcher for a
# user whose home is fresh, then again with a deleted word list, then with a
# home that cannot be written. Without a display the program itself only
# says so (exit 1), which is enough to see the working folder it was given.
# Usage: install_test.sh BUILD_DIR
set -u
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$root/prefix" >/dev/null || fail "cmake --install"
for file in bin/velkart-batch bin/velkart-starten share/velkart/hilfe.pdf share/velkart/test.txt \
            share/velkart/wordlists/de_AllgemAfuTechnik.txt share/velkart/wordlists/SOURCES.txt \
            share/velkart/wordlists/fruehere_fassungen.sha256 \
            share/applications/velkart.desktop share/icons/hicolor/32x32/apps/velkart.png; do
  [ -f "$root/prefix/$file" ] || fail "$file not installed"
done
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$root/prefix/share/applications/velkart.desktop" || fail "desktop entry"
fi
if [ ! -x "$root/prefix/bin/velkart" ]; then
  echo "SKIP: built without the windows"
  exit 77
fi

mkdir -p "$root/home"
HOME="$root/home" DISPLAY= "$root/prefix/bin/velkart-starten" 2>"$root/first.txt"
[ $? = 1 ] || fail "without a display the program should end with 1"
grep -q "grafische Oberfläche" "$root/first.txt" || fail "no German message: $(cat "$root/first.txt")"
work="$root/home/Velkart"
for file in nicht_loeschen/en1000.txt eure_Texte Wortschatz_erweitern/test.txt hilfe.pdf; do
  [ -e "$work/$file" ] || fail "$file missing in the working folder"
done
cmp -s "$work/hilfe.pdf" "$root/prefix/share/velkart/hilfe.pdf" || fail "help document"

# Nothing the user changed is overwritten; a deleted list comes back; a list
# we shipped before (here a made-up old version) is renewed and named.
printf 'MEIN WORT\r\n' > "$work/nicht_loeschen/eigeneDatei.txt"
printf 'ALT\r\n' | tee "$work/nicht_loeschen/en1000.txt" | sha256sum | sed 's/-$/en1000.txt/' \
  >> "$root/prefix/share/velkart/wordlists/fruehere_fassungen.sha256"
printf 'ALT\r\n' > "$work/nicht_loeschen/Qgruppe.txt"
printf '[voreinstellungen]\r\n' > "$work/voreinstellungen.pref"
rm "$work/nicht_loeschen/CWabkuerzungen.txt"
HOME="$root/home" DISPLAY= "$root/prefix/bin/velkart-starten" 2>"$root/second.txt"
[ "$(cat "$work/nicht_loeschen/eigeneDatei.txt")" = "$(printf 'MEIN WORT\r')" ] || fail "own list overwritten"
[ -f "$work/nicht_loeschen/CWabkuerzungen.txt" ] || fail "deleted list not restored"
grep -q "CWabkuerzungen.txt" "$root/second.txt" || fail "restored list not mentioned"
cmp -s "$work/nicht_loeschen/en1000.txt" "$root/prefix/share/velkart/wordlists/en1000.txt" || fail "old list not renewed"
grep -q "ersetzt: en1000.txt$" "$root/second.txt" || fail "renewed list not named: $(cat "$root/second.txt")"
[ "$(cat "$work/nicht_loeschen/Qgruppe.txt")" = "$(printf 'ALT\r')" ] || fail "changed list renewed"

# A home that cannot hold the folder: said in German, and the work goes on elsewhere.
printf 'x' > "$root/not_a_folder"
HOME="$root/not_a_folder" TMPDIR="$root/tmp" DISPLAY= "$root/prefix/bin/velkart-starten" 2>"$root/third.txt"
grep -q "kann nicht angelegt" "$root/third.txt" || fail "read-only home not reported: $(cat "$root/third.txt")"
ls "$root"/tmp/Velkart-*/nicht_loeschen/en1000.txt >/dev/null 2>&1 || fail "no fallback folder"
echo PASS
