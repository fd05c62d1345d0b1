#!/bin/sh
# velkart-batch.exe under Wine prints what the Linux velkart-batch prints for
# the same seed and settings (Windows ends its lines with CR LF; nothing else
# may differ), and writes the same text files and sheets.
# Usage: batch_same_as_linux_test.sh LINUX_BATCH WINDOWS_BATCH DATADIR
set -u
linux=$1
windows=$2
data=$3
command -v wine >/dev/null 2>&1 || { echo "SKIP: wine missing"; exit 77; }
run_wine=$(dirname "$0")/../../tools/windows/wine-run.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for side in linux windows; do
  "$(dirname "$0")/../../tools/prepare_workdir.sh" "$work/$side" "$data"
done
for seed in 1 4242 4000000000; do
  for settings in "" "--set String_umlaute_austauschen=0 --set String_woerter_englisch=1"; do
    # shellcheck disable=SC2086 # the settings are words
    (cd "$work/linux" && "$linux" trial --seed "$seed" $settings >out.txt 2>err.txt)
    # shellcheck disable=SC2086
    (cd "$work/windows" && "$run_wine" "$windows" trial --seed "$seed" $settings >out.txt 2>err.txt)
    tr -d '\r' <"$work/windows/out.txt" >"$work/windows/out.lf"
    cmp -s "$work/linux/out.txt" "$work/windows/out.lf" ||
      fail "trial --seed $seed $settings: $(diff "$work/linux/out.txt" "$work/windows/out.lf" | head -5)"
  done
done
# A generation run without an encoder: same files, byte for byte, the PDF
# files included once both carry the same time.
for side in linux windows; do
  batch=$linux; wrap=
  [ "$side" = windows ] && { batch=$windows; wrap=$run_wine; }
  (cd "$work/$side" && SOURCE_DATE_EPOCH=1299402303 $wrap "$batch" generate --seed 7 \
     --set 'String_mp_dateiname=Kurs 1' --set String_anzahl_texte=3 >out.txt 2>err.txt)
done
for name in "eure_Texte/Kurs 1.pdf" "eure_Texte/Kurs 1_Mitschrift.pdf" "eure_Texte/Kurs 10000_.txt" \
            "eure_Texte/Kurs 10001_.txt" "eure_Texte/Kurs 10002_.txt" nicht_loeschen/mp3_temp.txt; do
  [ -f "$work/linux/$name" ] || fail "Linux wrote no $name"
  cmp -s "$work/linux/$name" "$work/windows/$name" || fail "$name differs"
done
grep -q 'D:20110306090503' "$work/linux/eure_Texte/Kurs 1.pdf" || fail "the sheet does not carry SOURCE_DATE_EPOCH's time"
echo PASS
