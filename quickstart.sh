#!/usr/bin/env bash
# Quick start on a Debian 12 machine: installs what is missing, then builds and
#   bash quickstart.sh run    starts the program
#   bash quickstart.sh test   runs every test
set -euo pipefail
cd "$(dirname "$0")"

# clang-format and clang-tidy: `make test` fails on a formatting difference or a tidy finding.
# dbus-daemon, at-spi2-core and python3-pyatspi: the check of what a screen reader hears.
packages=(make cmake g++ python3 clang-format clang-tidy qt6-base-dev qt6-svg-dev libgl-dev libbenchmark-dev
          xvfb xauth xdotool poppler-utils locales dpkg-dev desktop-file-utils appstream lintian
          x11-utils dbus-daemon at-spi2-core python3-pyatspi)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests run a second time under a comma-decimal locale, which glibc must have generated.
if ! locale -a 2>/dev/null | grep -qi '^nl_NL\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo sed -i 's/^# *nl_NL.UTF-8/nl_NL.UTF-8/' /etc/locale.gen
  $sudo locale-gen
fi

exec make "${1:-run}"
