#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing Kelvor need,
# but only those that are missing. Needs root (or sudo) when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
  qt6-translations-l10n     # Qt's own dialogs and buttons in German
  qt6-tools-dev qt6-l10n-tools  # lupdate and lrelease: the program's own catalogues
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2 locales xvfb xauth
  libcups2-dev cups-daemon cups-client poppler-utils  # printer details; the printer tests' own CUPS
  clang libclang-rt-14-dev  # the fuzz targets: libFuzzer and clang's sanitizer runtimes
  socat                     # tools/bench-idle talks to the program's probe socket
  libmosquitto-dev mosquitto mosquitto-clients openssl  # publishing; the tests run their own broker
  libmicrohttpd-dev         # kelvor-record's live page (--http)
  iproute2                  # the live page test gives a network namespace of its own an address
  chromium chromium-driver  # a headless browser shows the live page in a test
  desktop-file-utils appstream libxml2-utils  # the install test validates what it installs
  systemd libseccomp-dev    # the service unit's checks; its restrictions applied in a test
  lintian debootstrap       # tools/package checks the Debian package, in a fresh Debian 12
  libreoffice-calc-nogui    # the journal test opens sample journals in a spreadsheet
  libfaketime               # an end-to-end test sets the recorder's wall clock back
  ser2net                   # network ports: the tests serve the simulator through it
  python3                   # the test suite's checks of the code's size limits
)

# German number formats are part of the tests: a locale with a decimal comma.
ensure_german_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  echo "Generating the locale de_DE.UTF-8"
  "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
ensure_german_locale
