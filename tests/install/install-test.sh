#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what a desktop and a user get from it:
# every file in its place, the desktop entry, metainfo and icon valid, the man pages readable,
# the service template accepted by systemd and rated by it at most 2.5 exposed, and the
# installed program taking its alarm sound from the prefix, not from the build.
# Usage: install-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
prefix=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$prefix" "$home"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/kelvor bin/kelvor-record bin/kelvor-metersim share/kelvor/alarm.wav share/kelvor/kelvor_en.qm \
            share/applications/org.kelvor.Kelvor.desktop \
            share/icons/hicolor/scalable/apps/org.kelvor.Kelvor.svg \
            share/metainfo/org.kelvor.Kelvor.metainfo.xml \
            share/man/man1/kelvor.1.gz share/man/man1/kelvor-metersim.1.gz \
            share/man/man1/kelvor-record.1.gz lib/systemd/system/kelvor-record@.service \
            share/doc/kelvor/copyright share/doc/kelvor/examples/60-kelvor-meters.rules; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done

desktop-file-validate "$prefix/share/applications/org.kelvor.Kelvor.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.kelvor.Kelvor.metainfo.xml" >/dev/null ||
  fail "metainfo"
grep -q "version=\"$version\"" "$prefix/share/metainfo/org.kelvor.Kelvor.metainfo.xml" ||
  fail "metainfo names no release $version"
icon=$prefix/share/icons/hicolor/scalable/apps/org.kelvor.Kelvor.svg
xmllint --noout "$icon" || fail "icon is no well-formed XML"
[ "$(xmllint --xpath 'local-name(/*)' "$icon")" = svg ] || fail "icon is no SVG"
for page in kelvor kelvor-record kelvor-metersim; do
  zcat "$prefix/share/man/man1/$page.1.gz" | grep -q "^\.TH" || fail "man page $page"
done

[ "$("$prefix/bin/kelvor" --version)" = "kelvor $version" ] || fail "--version"
[ "$("$prefix/bin/kelvor-record" --version)" = "kelvor-record $version" ] || fail "record --version"

# The unit as an instance, its program moved into the prefix; its manual page from there too.
if command -v systemd-analyze >/dev/null; then
  unit=$home/kelvor-record@COM33.service
  sed "s#^ExecStart=[^ ]*/kelvor-record #ExecStart=$prefix/bin/kelvor-record #" \
    "$prefix/lib/systemd/system/kelvor-record@.service" >"$unit"
  grep -q "^ExecStart=$prefix/bin/kelvor-record --port %i" "$unit" || fail "unit runs no kelvor-record"
  out=$(MANPATH=$prefix/share/man systemd-analyze verify "$unit" 2>&1) && [ -z "$out" ] ||
    fail "systemd-analyze verify: $out"
  # How exposed systemd rates the service, from 0 (locked down) to 10: at most 2.5.
  out=$(systemd-analyze security --offline=yes "$unit" 2>&1) || fail "systemd-analyze security: $out"
  level=$(sed -n 's/.*Overall exposure level for [^:]*: \([0-9.]*\).*/\1/p' <<<"$out")
  [ -n "$level" ] || fail "systemd-analyze security named no exposure level: $out"
  echo "service exposure level: $level (at most 2.5)"
  awk -v level="$level" 'BEGIN { exit !(level <= 2.5) }' ||
    fail "service exposure level $level is above 2.5; exposed by: $(grep -E ' [0-9.]+$' <<<"$out")"
else
  echo "skipped: systemd-analyze verify and security (systemd-analyze is not installed)"
fi
# Started from the prefix (its port is missing, so it waits at the message until stopped).
log=$(cd "$home" && env -u KELVOR_PROBE XDG_CONFIG_HOME="$home" QT_QPA_PLATFORM=offscreen \
        QT_LOGGING_RULES="kelvor.sound.info=true" timeout 5 "$prefix/bin/kelvor" 2>&1 || true)
grep -qxF "kelvor.sound: alarm sound $prefix/share/kelvor/alarm.wav" <<<"$log" ||
  fail "the installed program took another sound: $log"
echo "installed and checked in $prefix"
