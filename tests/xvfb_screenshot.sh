#!/usr/bin/env bash
# Runs the real program in a virtual X display, finds the main window by its caption
# and saves screenshots: the start-up with the About splash in front, and the main
# window once the splash has closed itself.
#   tests/xvfb_screenshot.sh [zeptor binary] [output folder]
# Needs xvfb, xauth, xdotool and imagemagick (import).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
binary="$(realpath "${1:-$root/build/shell/zeptor}")"
out="$(realpath -m "${2:-$root/docs}")"
mkdir -p "$out"

for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done
[ -x "$binary" ] || { echo "no program at $binary (build the zeptor target first)" >&2; exit 2; }

export ZEPTOR_BINARY="$binary" ZEPTOR_OUT="$out"
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1366x768x24" bash -c '
  set -euo pipefail
  cd "$(mktemp -d)"
  QT_QPA_PLATFORM=xcb "$ZEPTOR_BINARY" &
  pid=$!
  trap "kill $pid 2>/dev/null || true" EXIT
  # The caption of a new case identifies the main window.
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "^Zeptor - \[new\.dvl\]$" | head -1)
  sleep 1
  import -window root "$ZEPTOR_OUT/zeptor-startup.png"
  # The About splash closes itself after five seconds.
  sleep 5
  import -window "$id" "$ZEPTOR_OUT/zeptor-main.png"
  echo "main window $id: $(xdotool getwindowgeometry "$id" | tail -n +2 | tr -s " " | paste -sd" ")"
'
echo "screenshots in $out"
