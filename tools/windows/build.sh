#!/bin/sh
# The Windows build: FLTK and GoogleTest cross-built once (build-deps.sh),
# then both programs and the unit tests, then Velkart-Windows.zip with the
# working folder the program expects beside velkart.exe.
# Usage: build.sh BUILD_FOLDER HELP_PDF LINUX_BUILD_FOLDER
# (the Linux build's velkart-batch is the reference the Windows tests compare with)
set -eu
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
help_pdf=$2
linux_build=$3
jobs=${JOBS:-2}

"$source_dir/tools/windows/build-deps.sh" "$out"

cmake -S "$source_dir" -B "$out/velkart" \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELKART_BENCH=OFF -DVELKART_WERROR="${WERROR:-OFF}" \
  -DVELKART_FLTK_ROOT="$out/deps" -DGTest_DIR="$out/deps/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$source_dir/tools/windows/wine-run.sh" \
  -DVELKART_LINUX_BUILD="$linux_build" >/dev/null
cmake --build "$out/velkart" -j"$jobs"

# What the user unpacks: one folder, the programs with their working folder.
stage=$out/package/Velkart
rm -rf "$out/package" "$out/Velkart-Windows.zip"
mkdir -p "$stage/Lizenzen"
"$source_dir/tools/prepare_workdir.sh" "$stage" "$source_dir/data" "$help_pdf"
cp "$out/velkart/src/app/velkart.exe" "$out/velkart/src/app/velkart-batch.exe" "$stage/"
x86_64-w64-mingw32-strip "$stage/velkart.exe" "$stage/velkart-batch.exe"
# Written as UTF-8 here; Windows-1252 like every text of the program.
iconv -f UTF-8 -t WINDOWS-1252 "$source_dir/tools/windows/LIESMICH.txt" >"$stage/LIESMICH.txt"
cp "$source_dir/LICENSE" "$stage/Lizenzen/Velkart-LICENSE.txt"
cp "$source_dir/third_party/fltk-COPYING" "$stage/Lizenzen/FLTK-COPYING.txt"
cp "$source_dir/data/wordlists/SOURCES.txt" "$stage/Lizenzen/Wortlisten-Quellen.txt"
# Text files for Windows editors: CR LF.
for text in "$stage/LIESMICH.txt" "$stage"/Lizenzen/*.txt; do
  sed -i 's/\r*$/\r/' "$text"
done
(cd "$out/package" && zip -q -r -X "$out/Velkart-Windows.zip" Velkart)
echo "Windows package: $out/Velkart-Windows.zip"
