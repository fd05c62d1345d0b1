#!/bin/sh
# A generation run and a vocabulary run on a really full disk: both say
# "Konnte Datei nicht erstellen!", exit 1 and leave every earlier file as it was.
# Usage: full_disk_test.sh VELKART_BATCH DATA_FOLDER
batch=$1
data=$2
if [ "$(id -u)" != 0 ]; then
  echo "SKIP: mounting a small tmpfs needs root"
  exit 77
fi
work=$(mktemp -d)
log=$(mktemp -d)
if ! mount -t tmpfs -o size=256k tmpfs "$work" 2>/dev/null; then
  echo "SKIP: this machine does not permit mounting a tmpfs"
  rmdir "$work"
  rm -r "$log"
  exit 77
fi
trap 'cd /; umount "$work"; rmdir "$work"; rm -r "$log"' EXIT INT TERM
cd "$work" || exit 1
mkdir nicht_loeschen eure_Texte Wortschatz_erweitern
cp "$data/wordlists/de_AllgemAfuTechnik.txt" nicht_loeschen/
printf 'old 0\r\n' > eure_Texte/Dateiname0000_.txt
printf 'old sheet' > eure_Texte/Dateiname.pdf
printf 'old input\r\n' > nicht_loeschen/mp3_temp.txt
printf 'Haus Maus Baum\r\n' > Wortschatz_erweitern/test.txt
printf 'old abc' > Wortschatz_erweitern/test_bearbeitet_ABC.txt
printf 'old size' > Wortschatz_erweitern/test_bearbeitet_Groesse.txt
find . -type f | sort | xargs md5sum > "$log/before"
dd if=/dev/zero of=pad bs=4k 2>/dev/null

failed=0
for command in generate vocab; do
  "$batch" "$command" --no-wait >"$log/out" 2>"$log/err"
  code=$?
  [ "$code" = 1 ] || { echo "FAIL: $command exited $code"; failed=1; }
  grep -q 'Konnte Datei nicht erstellen!' "$log/err" || { echo "FAIL: $command gave no message"; failed=1; }
done
rm pad
find . -type f ! -name velkart.lock | sort | xargs md5sum > "$log/after"
diff "$log/before" "$log/after" || { echo "FAIL: files changed or left behind"; failed=1; }
exit $failed
