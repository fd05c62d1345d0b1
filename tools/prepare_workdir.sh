#!/bin/sh
# Lays out a working folder as the program expects it beside itself:
#   nicht_loeschen/        the word lists (and the encoder's input file later)
#   eure_Texte/            practice texts, mp3 files and the solution sheet
#   Wortschatz_erweitern/  source texts for the vocabulary builder (with an example)
#   hilfe.pdf              the help document, when it has been built
# Files already there are kept: a user may have edited a list.
set -eu
target=${1:?usage: prepare_workdir.sh TARGET DATADIR [HELP_PDF]}
data=${2:?usage: prepare_workdir.sh TARGET DATADIR [HELP_PDF]}
help=${3:-}
mkdir -p "$target/nicht_loeschen" "$target/eure_Texte" "$target/Wortschatz_erweitern"
for list in eigeneDatei.txt de_AllgemAfuTechnik.txt en1000.txt Qgruppe.txt CWabkuerzungen.txt; do
  if [ ! -e "$target/nicht_loeschen/$list" ]; then
    cp "$data/wordlists/$list" "$target/nicht_loeschen/$list"
  fi
done
[ -e "$target/Wortschatz_erweitern/test.txt" ] || cp "$data/test.txt" "$target/Wortschatz_erweitern/test.txt"
if [ -n "$help" ] && [ -f "$help" ] && [ ! -e "$target/hilfe.pdf" ]; then
  cp "$help" "$target/hilfe.pdf"
fi
