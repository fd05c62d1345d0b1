#!/bin/sh
# The bash completion, sourced on its own in a bare bash, offers what the
# program itself knows: the commands and options of its help text, the
# setting keys of the sources after --set, the source texts after vocab; and
# the manual pages describe every command and option of the help text.
# Usage: completion_test.sh VELKART_BATCH SOURCE_DIR
set -u
batch=$1
source_dir=$(cd "$2" && pwd)
command -v bash >/dev/null 2>&1 || { echo "SKIP: bash missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Words the completion offers for the given command line (the last word is
# the one being completed), sorted, one per line.
offers() {
  (cd "$work" && bash --norc --noprofile -c '. "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
     _velkart_batch; printf "%s\n" "${COMPREPLY[@]}"' \
     "$source_dir/data/completion/velkart-batch" velkart-batch "$@") | sort
}
same() {  # what, expected, offered
  [ "$2" = "$3" ] || fail "$(printf '%s: the program knows\n%s\nbut the completion offers\n%s' "$1" "$2" "$3")"
}

"$batch" --help > "$work/help.txt" || fail "velkart-batch --help"
commands=$(sed -n '/^Befehle:/,/^$/p' "$work/help.txt" | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p' | sort -u)
options=$(sed -n 's/^  \(--[a-z-]*\).*/\1/p' "$work/help.txt" | sort -u)
keys=$(grep -rhoE '"String_[A-Za-z_]+"' "$source_dir/src" | tr -d '"' | sed 's/$/=/' | sort -u)
[ -n "$commands" ] && [ -n "$options" ] && [ -n "$keys" ] || fail "nothing read from the help text or the sources"
same commands "$commands" "$(offers "")"
same options "$options" "$(offers --)"
same "keys after --set" "$keys" "$(offers --set "")"
same "keys after --set String_f" "String_frequenz=" "$(offers trial --set String_f)"

# The manual pages name every command and option too, in both languages.
for page in "$source_dir/data/man/velkart-batch.1" "$source_dir/data/man/de/velkart-batch.1"; do
  for command in $commands; do
    grep -q "^\.BR\? $command\( \|\$\)" "$page" || fail "$page lacks the command $command"
  done
  for option in $options; do
    grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$page" || fail "$page lacks $option"
  done
done

mkdir "$work/Wortschatz_erweitern"
touch "$work/Wortschatz_erweitern/meinText.txt" "$work/Wortschatz_erweitern/test.txt"
same "vocab names" "$(printf 'meinText\ntest')" "$(offers --seed 1 vocab "")"
same "after a vocab name" "" "$(offers vocab test "")"
echo PASS
