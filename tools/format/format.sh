#!/bin/sh
# Formats the C++ sources with the project's .clang-format, or checks them with --check.
# The generated tables are left as their scripts write them.
set -e
cd "$(dirname "$0")/../.."
files=$(git ls-files '*.cpp' '*.h' | grep -v -e '^src/pdf/font_widths.cpp$' -e '^src/app/program_picture.cpp$')
if [ "$1" = "--check" ]; then
  exec clang-format --dry-run --Werror $files
fi
exec clang-format -i $files
