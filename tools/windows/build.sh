#!/bin/sh
# The Windows build: FLTK, LAME, the encoder ebook2cw and GoogleTest
# cross-built once (build-deps.sh), then the programs and the unit tests, then
#   Velkart-Windows.zip  one folder: the programs with the working folder the
#                        program expects beside velkart.exe, the encoder in it;
#   Velkart-Setup.exe    the installer (packaging/windows/velkart.nsi).
# Both carry the encoder's and LAME's source archives and licences.
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
  -DVELKART_LINUX_BUILD="$linux_build" -DVELKART_WINDOWS_PACKAGES="$out" >/dev/null
cmake --build "$out/velkart" -j"$jobs"

deps=$out/deps
version=$(sed -n 's/^project(velkart VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")

# What goes beside the programs in both packages: the read-me, the licences,
# and the sources the GPL and LGPL ask for beside the encoder.
add_documents() {
  mkdir -p "$1/Lizenzen" "$1/Quellen"
  # Written as UTF-8 here; Windows-1252 like every text of the program.
  iconv -f UTF-8 -t WINDOWS-1252 "$source_dir/tools/windows/LIESMICH.txt" >"$1/LIESMICH.txt"
  cp "$source_dir/LICENSE" "$1/Lizenzen/Velkart-LICENSE.txt"
  cp "$source_dir/third_party/fltk-COPYING" "$1/Lizenzen/FLTK-COPYING.txt"
  cp "$source_dir/third_party/ebook2cw-COPYING" "$1/Lizenzen/ebook2cw-COPYING.txt"
  cp "$source_dir/third_party/lame-COPYING" "$1/Lizenzen/LAME-COPYING.txt"
  cp "$source_dir/data/wordlists/SOURCES.txt" "$1/Lizenzen/Wortlisten-Quellen.txt"
  # Text files for Windows editors: CR LF.
  for text in "$1/LIESMICH.txt" "$1"/Lizenzen/*.txt; do
    sed -i 's/\r*$/\r/' "$text"
  done
  cp "$source_dir/third_party/ebook2cw-0.8.5.tar.gz" "$source_dir/third_party/lame-3.100.tar.gz" \
     "$source_dir/tools/windows/build-deps.sh" "$source_dir/tools/windows/ebook2cw/gnu_getopt.h" \
     "$1/Quellen/"
}
programs="$out/velkart/src/app/velkart.exe $out/velkart/src/app/velkart-batch.exe"

# What the user unpacks: one folder, the programs with their working folder.
stage=$out/package/Velkart
rm -rf "$out/package" "$out/Velkart-Windows.zip"
mkdir -p "$stage"
"$source_dir/tools/prepare_workdir.sh" "$stage" "$source_dir/data" "$help_pdf"
# shellcheck disable=SC2086 # two paths without blanks
cp $programs "$stage/"
x86_64-w64-mingw32-strip "$stage/velkart.exe" "$stage/velkart-batch.exe"
cp "$deps/bin/ebook2cw.exe" "$stage/nicht_loeschen/"
add_documents "$stage"
(cd "$out/package" && zip -q -r -X "$out/Velkart-Windows.zip" Velkart)
echo "Windows package: $out/Velkart-Windows.zip"

# What the installer puts into the program folder; velkart-starten.exe lays
# out the working folder from Vorlagen\ on the first start.
install=$out/install/Velkart
rm -rf "$out/install" "$out/Velkart-Setup.exe"
mkdir -p "$install/Vorlagen"
# shellcheck disable=SC2086
cp $programs "$out/velkart/src/app/velkart-starten.exe" "$deps/bin/ebook2cw.exe" "$install/"
x86_64-w64-mingw32-strip "$install/velkart.exe" "$install/velkart-batch.exe" "$install/velkart-starten.exe"
for list in eigeneDatei.txt de_AllgemAfuTechnik.txt en1000.txt Qgruppe.txt CWabkuerzungen.txt \
            fruehere_fassungen.sha256; do
  cp "$source_dir/data/wordlists/$list" "$install/Vorlagen/"
done
cp "$source_dir/data/test.txt" "$help_pdf" "$install/Vorlagen/"
add_documents "$install"
# The uninstaller removes exactly these files, then the folders if empty.
(cd "$install" &&
  find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
) >"$out/install/files.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$install" -DFILES="$out/install/files.nsh" \
  -DICON="$source_dir/data/velkart.ico" -DOUTFILE="$out/Velkart-Setup.exe" \
  -DSIZE_KB="$(du -sk "$install" | cut -f1)" "$source_dir/packaging/windows/velkart.nsi" >"$out/makensis.log" \
  || { cat "$out/makensis.log"; exit 1; }
echo "Windows installer: $out/Velkart-Setup.exe"
