#!/bin/sh
# Velkart-Windows.zip holds exactly these files and folders: nothing drops out
# (or comes in) unnoticed.
# Usage: zip_contents_test.sh ZIP
set -u
command -v unzip >/dev/null 2>&1 || { echo "SKIP: unzip missing"; exit 77; }
unzip -Z1 "$1" | sort >"${TMPDIR:-/tmp}/velkart-zip-$$.txt" || { echo "FAIL: cannot list $1"; exit 1; }
sort <<'LIST' | diff - "${TMPDIR:-/tmp}/velkart-zip-$$.txt"
Velkart/
Velkart/LIESMICH.txt
Velkart/Lizenzen/
Velkart/Lizenzen/FLTK-COPYING.txt
Velkart/Lizenzen/LAME-COPYING.txt
Velkart/Lizenzen/Velkart-LICENSE.txt
Velkart/Lizenzen/Wortlisten-Quellen.txt
Velkart/Lizenzen/ebook2cw-COPYING.txt
Velkart/Quellen/
Velkart/Quellen/build-deps.sh
Velkart/Quellen/ebook2cw-0.8.5.tar.gz
Velkart/Quellen/gnu_getopt.h
Velkart/Quellen/lame-3.100.tar.gz
Velkart/Wortschatz_erweitern/
Velkart/Wortschatz_erweitern/test.txt
Velkart/eure_Texte/
Velkart/hilfe.pdf
Velkart/nicht_loeschen/
Velkart/nicht_loeschen/CWabkuerzungen.txt
Velkart/nicht_loeschen/Qgruppe.txt
Velkart/nicht_loeschen/de_AllgemAfuTechnik.txt
Velkart/nicht_loeschen/ebook2cw.exe
Velkart/nicht_loeschen/eigeneDatei.txt
Velkart/nicht_loeschen/en1000.txt
Velkart/velkart-batch.exe
Velkart/velkart.exe
LIST
code=$?
rm -f "${TMPDIR:-/tmp}/velkart-zip-$$.txt"
[ "$code" = 0 ] || { echo "FAIL: the zip's content changed (< expected, > found)"; exit 1; }
echo PASS
