#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file does not name its licence in an SPDX line near its top (after a
# shebang, if any). Source files: C++, CMake, and every script (anything starting with "#!").
# Usage: spdx-check.sh SOURCE_DIR
set -euo pipefail
cd "$1"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files)
else
  files=$(find . -path ./build -prune -o -type f -print | sed 's#^\./##')
fi
missing=0
while IFS= read -r file; do
  case $file in
    *.cpp | *.h | CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.py) ;;
    *) [ "$(head -c 2 "$file" | tr -d '\0')" = '#!' ] || continue ;;
  esac
  if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
    echo "no SPDX-License-Identifier line: $file" >&2
    missing=1
  fi
done <<<"$files"
exit $missing
