#!/bin/sh
# Builds the Debian package as `make deb` does and checks it the way a
# distribution would: contents against `cmake --install`, stripped programs,
# lintian without errors, manual pages and AppStream metadata; then, as root,
# installs it with dpkg, uses it and purges it, leaving nothing behind.
# Usage: deb_test.sh BUILD_DIR SOURCE_DIR
# VELKART_APT_LOCK names a lock file to hold around dpkg when other
# installations may run at the same moment.
set -u
build=$1
source_dir=$2
for tool in cpack dpkg-deb dpkg-shlibdeps lintian mandoc appstreamcli readelf; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool missing"; exit 77; }
done
work=$(mktemp -d)
installed=no
cleanup() {
  [ "$installed" = yes ] && dpkg_locked --purge velkart >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# dpkg refuses at once while apt holds its lock: wait for it a while.
dpkg_locked() {
  for tries in $(seq 61); do
    ${VELKART_APT_LOCK:+flock "$VELKART_APT_LOCK"} dpkg "$@" >"$work/dpkg.txt" 2>&1
    code=$?
    grep -q 'lock.*locked\|locked.*lock' "$work/dpkg.txt" && [ "$tries" -le 60 ] || break
    sleep 5
  done
  cat "$work/dpkg.txt"
  return $code
}

# The sources are checked where they are written.
mandoc -Tlint "$source_dir"/data/man/*.1 "$source_dir"/data/man/de/*.1 || fail "mandoc -Tlint"
appstreamcli validate --no-net "$source_dir"/data/*.metainfo.xml >"$work/appstream.txt" 2>&1 ||
  fail "appstreamcli: $(cat "$work/appstream.txt")"

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.txt" 2>&1) || fail "cpack: $(cat "$work/cpack.txt")"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$work/out/velkart_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$work/out")"

# One version everywhere it is written.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
head -1 "$source_dir/packaging/changelog" | grep -qF "velkart ($version)" || fail "changelog is not at $version"
grep -qF "<release version=\"$version\"" "$source_dir"/data/*.metainfo.xml || fail "AppStream release is not $version"
for page in "$source_dir"/data/man/*.1 "$source_dir"/data/man/de/*.1; do
  head -1 "$page" | grep -qF "\"Velkart $version\"" || fail "$page is not at $version"
done

[ "$(dpkg-deb -f "$deb" Section)" = hamradio ] || fail "section"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in ebook2cw xdg-utils libc6 libstdc++6; do
  echo "$depends" | grep -q "$needed" || fail "Depends lacks $needed: $depends"
done

# Everything `cmake --install` puts in place, and nothing else.
cmake --install "$build" --prefix "$work/root/usr" >/dev/null || fail "cmake --install"
(cd "$work/root" && find . ! -type d | sed 's|^\.||' | sort) >"$work/installed.txt"
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\.||' | sort >"$work/packaged.txt"
diff "$work/installed.txt" "$work/packaged.txt" >"$work/diff.txt" || fail "contents differ: $(cat "$work/diff.txt")"

dpkg-deb -x "$deb" "$work/unpacked"
for program in velkart velkart-batch; do
  [ -f "$work/unpacked/usr/bin/$program" ] || continue
  readelf -S "$work/unpacked/usr/bin/$program" | grep -q '\.symtab\|\.debug_' && fail "$program is not stripped"
done

lintian --fail-on error "$deb" 2>&1 || fail "lintian reports errors"

if [ "$(id -u)" != 0 ]; then
  echo "SKIP: installing the package needs root (the package itself was checked)"
  exit 77
fi
if dpkg-query -W -f='${Status}' velkart 2>/dev/null | grep -q 'installed'; then
  echo "SKIP: a velkart package is already installed here and is left alone"
  exit 77
fi
dpkg_locked -i "$deb" || fail "dpkg -i"
installed=yes
[ "$(command -v velkart-batch)" = /usr/bin/velkart-batch ] || fail "velkart-batch not on the PATH"
velkart-batch --help >/dev/null || fail "velkart-batch --help"
if grep -qs 'path-exclude.*/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
  echo "NOTE: dpkg here leaves out manual pages; man -w not checked"
else
  [ "$(man -w velkart-batch)" = /usr/share/man/man1/velkart-batch.1.gz ] || fail "man -w velkart-batch"
  [ "$(man -L de -w velkart)" = /usr/share/man/de/man1/velkart.1.gz ] || fail "German page not found"
fi
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate /usr/share/applications/velkart.desktop || fail "desktop entry"
fi

dpkg_locked --purge velkart || fail "dpkg --purge"
installed=no
dpkg-query -W -f='${Status}' velkart 2>/dev/null | grep -q 'installed' && fail "still installed"
left=$(while read -r file; do
  [ -e "$file" ] || [ -L "$file" ] && echo "$file"; done <"$work/packaged.txt")
[ -z "$left" ] || fail "left behind: $left"
for folder in /usr/share/velkart /usr/share/doc/velkart; do
  [ -e "$folder" ] && fail "$folder left behind"
done
echo PASS
