#!/bin/sh
# Builds FLTK, LAME and the encoder ebook2cw (from third_party/) and
# GoogleTest (from Debian's sources) for 64-bit Windows with the MinGW-w64
# cross compiler, each once: a stamp named after the inputs' checksum keeps a
# finished build until the inputs change. ebook2cw.exe lands in deps/bin.
# Usage: build-deps.sh BUILD_FOLDER   (installs into BUILD_FOLDER/deps)
set -eu
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
jobs=${JOBS:-2}
toolchain=$source_dir/cmake/mingw-w64-x86_64.cmake
prefix=$out/deps
mkdir -p "$prefix"

# Only one build of the dependencies at a time in one folder.
exec 9>"$out/deps.lock"
flock 9

fltk_archive=$source_dir/third_party/fltk-1.3.8.tar.gz
fltk_stamp=$prefix/fltk-$(cat "$fltk_archive" "$toolchain" | sha256sum | cut -c1-16).done
if [ ! -f "$fltk_stamp" ]; then
  echo "Building FLTK 1.3.8 for Windows (once)"
  rm -f "$prefix"/fltk-*.done
  # An interrupted build goes on where it stopped; new sources start afresh.
  if [ ! -f "$out/fltk-src/.unpacked" ] || [ "$(cat "$out/fltk-src/.unpacked")" != "$fltk_stamp" ]; then
    rm -rf "$out/fltk-src" "$out/fltk-build"
    mkdir -p "$out/fltk-src"
    tar -xzf "$fltk_archive" -C "$out/fltk-src" --strip-components=1
    echo "$fltk_stamp" >"$out/fltk-src/.unpacked"
  fi
  cmake -S "$out/fltk-src" -B "$out/fltk-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DOPTION_USE_GL=OFF -DOPTION_BUILD_EXAMPLES=OFF -DFLTK_BUILD_TEST=OFF \
    -DOPTION_USE_SYSTEM_LIBJPEG=OFF -DOPTION_USE_SYSTEM_LIBPNG=OFF -DOPTION_USE_SYSTEM_ZLIB=OFF \
    -DOPTION_BUILD_HTML_DOCUMENTATION=OFF -DOPTION_BUILD_PDF_DOCUMENTATION=OFF >"$out/fltk-configure.log"
  # Only the core library: the program uses no image formats or forms.
  cmake --build "$out/fltk-build" -j"$jobs" --target fltk >"$out/fltk-build.log" 2>&1 \
    || { tail -40 "$out/fltk-build.log"; exit 1; }
  rm -rf "$prefix/include/FL"
  mkdir -p "$prefix/include" "$prefix/lib"
  cp -r "$out/fltk-src/FL" "$prefix/include/"
  cp "$out/fltk-build/FL/abi-version.h" "$prefix/include/FL/"
  cp "$out/fltk-build/lib/libfltk.a" "$prefix/lib/"
  touch "$fltk_stamp"
fi

gtest_source=/usr/src/googletest
gtest_stamp=$prefix/gtest-$( (find "$gtest_source" -type f -name '*.cc' -o -name '*.h' -o -name CMakeLists.txt | sort | xargs cat; cat "$toolchain") | sha256sum | cut -c1-16).done
if [ ! -f "$gtest_stamp" ]; then
  echo "Building GoogleTest for Windows (once)"
  rm -rf "$out/gtest-build" "$prefix"/gtest-*.done
  cmake -S "$gtest_source" -B "$out/gtest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=OFF \
    -DCMAKE_CXX_FLAGS=-static >"$out/gtest-configure.log"
  cmake --build "$out/gtest-build" -j"$jobs" >"$out/gtest-build.log" 2>&1 \
    || { tail -40 "$out/gtest-build.log"; exit 1; }
  cmake --install "$out/gtest-build" >/dev/null
  touch "$gtest_stamp"
fi

# The encoder: LAME as a static library, then ebook2cw linked with it
# statically, mp3 only (no Ogg Vorbis for Windows).
lame_archive=$source_dir/third_party/lame-3.100.tar.gz
lame_stamp=$prefix/lame-$(cat "$lame_archive" | sha256sum | cut -c1-16).done
if [ ! -f "$lame_stamp" ]; then
  echo "Building LAME 3.100 for Windows (once)"
  rm -rf "$out/lame-src" "$prefix"/lame-*.done
  mkdir -p "$out/lame-src"
  tar -xzf "$lame_archive" -C "$out/lame-src" --strip-components=1
  (cd "$out/lame-src" &&
     ./configure --host=x86_64-w64-mingw32 --disable-frontend --disable-shared --enable-static \
       --disable-decoder --prefix="$prefix" CC=x86_64-w64-mingw32-gcc-posix &&
     make -j"$jobs" && make install) >"$out/lame-build.log" 2>&1 || { tail -40 "$out/lame-build.log"; exit 1; }
  touch "$lame_stamp"
fi

encoder_archive=$source_dir/third_party/ebook2cw-0.8.5.tar.gz
encoder_getopt=$source_dir/tools/windows/ebook2cw/gnu_getopt.h
# A new LAME (its stamp's name) links the encoder afresh.
encoder_stamp=$prefix/ebook2cw-$( (cat "$encoder_archive" "$encoder_getopt"; echo "$lame_stamp") | sha256sum | cut -c1-16).done
if [ ! -f "$encoder_stamp" ]; then
  echo "Building ebook2cw 0.8.5 for Windows (once)"
  rm -rf "$out/ebook2cw-src" "$prefix"/ebook2cw-*.done
  mkdir -p "$out/ebook2cw-src" "$prefix/bin"
  tar -xzf "$encoder_archive" -C "$out/ebook2cw-src" --strip-components=1
  # DESTDIR only names where Linux keeps the example configuration.
  x86_64-w64-mingw32-gcc-posix -O2 -static -D LAME -D 'DESTDIR=""' -D 'VERSION="0.8.5"' \
    -include "$encoder_getopt" -I "$prefix/include" "$out/ebook2cw-src/ebook2cw.c" -L "$prefix/lib" -lmp3lame -lm \
    -o "$prefix/bin/ebook2cw.exe" >"$out/ebook2cw-build.log" 2>&1 || { cat "$out/ebook2cw-build.log"; exit 1; }
  x86_64-w64-mingw32-strip "$prefix/bin/ebook2cw.exe"
  touch "$encoder_stamp"
fi
