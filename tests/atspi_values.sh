#!/usr/bin/env bash
# The accessibility tree of the analysis windows as a screen reader reads it: over
# AT-SPI, in a virtual X display and a D-Bus session of their own.
#   tests/atspi_values.sh HELPER
# Exits 77 (reported as skipped) when xvfb-run, dbus-run-session or pyatspi are missing.
set -euo pipefail

skip=77
for tool in xvfb-run xauth dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit $skip; }
done
# The system's Python, which Debian's python3-pyatspi is installed for.
python=/usr/bin/python3
[ -x "$python" ] || python="$(command -v python3 || true)"
[ -n "$python" ] && "$python" -c 'import pyatspi' 2>/dev/null \
  || { echo "SKIP: python3-pyatspi is not installed" >&2; exit $skip; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed" >&2; exit $skip; }
[ $# -eq 1 ] || { echo "usage: $0 HELPER" >&2; exit 2; }

helper="$(realpath "$1")"
here="$(dirname "$(realpath "$0")")"
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
exec timeout --kill-after=5 110 dbus-run-session -- \
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1366x768x24" \
  "$python" "$here/atspi_values.py" "$helper"
