#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a catalogue in translations/ lacks a text of the sources, leaves one unfinished
# or keeps one the sources no longer have: lupdate brings a copy of each catalogue up to date
# with the sources, and the copy must hold finished translations only.
# Usage: catalogue-check.sh LUPDATE SOURCE_DIR
set -euo pipefail
lupdate=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$source"/translations/*.ts; do
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  "$lupdate" -silent -locations none -source-language de "$source/src" -ts "$copy"
  open=$(grep -c 'type="unfinished"' "$copy" || true)
  gone=$(grep -c -E 'type="(vanished|obsolete)"' "$copy" || true)
  if [ "$open" -ne 0 ] || [ "$gone" -ne 0 ]; then
    echo "$(basename "$ts"): $open texts missing or unfinished, $gone no longer in the sources:" >&2
    grep -B1 -E 'type="(unfinished|vanished|obsolete)"' "$copy" | grep '<source>' >&2
    status=1
  fi
done
exit $status
