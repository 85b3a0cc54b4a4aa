#!/usr/bin/env bash
# Drives the real program in a virtual X display the way a user would: waits for the
# main window and for the About splash to close itself, types a case into the entry
# fields with Enter between them, saves it with File > Save, checks the saved file and
# its recalculation by zeptor-cli, and ends the program with File > Exit.
#   tests/xvfb_smoke.sh ZEPTOR_BINARY [ZEPTOR_CLI_BINARY]
# Exits 77 (reported as skipped) when xvfb-run, xauth or xdotool are missing.
set -euo pipefail

skip=77
if [ "${1:-}" != "--inside" ]; then
  for tool in xvfb-run xauth xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit $skip; }
  done
  [ $# -ge 1 ] || { echo "usage: $0 ZEPTOR_BINARY [ZEPTOR_CLI_BINARY]" >&2; exit 2; }
  binary="$(realpath "$1")"
  cli="$(realpath "${2:-$(dirname "$binary")/../cli/zeptor-cli}")"
  [ -x "$binary" ] || { echo "no program at $binary" >&2; exit 2; }
  [ -x "$cli" ] || { echo "no zeptor-cli at $cli" >&2; exit 2; }
  # A random start number keeps parallel runs from racing for the same display;
  # the outer timeout is a last resort, every wait inside has its own limit.
  exec timeout --kill-after=5 55 \
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1366x768x24" \
    "$0" --inside "$binary" "$cli"
fi

binary="$2"
cli="$3"
workdir="$(mktemp -d)"
cd "$workdir"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    sleep 0.5
    kill -9 "$pid" 2>/dev/null || true
  fi
  cd /
  rm -rf "$workdir"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$workdir/zeptor.log" ] && sed 's/^/  zeptor: /' "$workdir/zeptor.log" >&2
  exit 1
}

# Polls a command every quarter second until it succeeds or the seconds run out.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 4))
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.25
  done
}
visible() { xdotool search --onlyvisible --name "$1"; }
not_visible() { ! visible "$1"; }

caption='^Zeptor - \[new\.dvl\]$'
splash='\[information\]'

QT_QPA_PLATFORM=xcb "$binary" >"$workdir/zeptor.log" 2>&1 &
pid=$!

wait_for 20 visible "$caption" || fail "no main window with the caption Zeptor - [new.dvl]"
main="$(visible "$caption" | head -1)"
echo "main window $main: $(xdotool getwindowgeometry "$main" | tail -n +2 | tr -s ' ' | paste -sd' ')"

# The window manager gets the program icon in every bundled size. _NET_WM_ICON holds
# width, height and the pixels of each size in turn (xprop from x11-utils).
if command -v xprop >/dev/null; then
  icon_sizes="$(xprop -id "$main" -notype 32c _NET_WM_ICON | sed 's/^[^=]*=//' | tr -d ' ' | tr ',' '\n' |
    awk 'NF { v[n++] = $1 } END { i = 0; while (i + 1 < n) { printf "%sx%s ", v[i], v[i+1]; i += 2 + v[i] * v[i+1] } }')"
  echo "window icon sizes: $icon_sizes"
  for size in 24x24 48x48 256x256; do
    grep -qw "$size" <<<"$icon_sizes" || fail "the window icon lacks $size (has: $icon_sizes)"
  done
fi

# The splash stands in front of the menu bar and closes itself after five seconds.
wait_for 5 visible "$splash" || fail "the About splash did not appear"
wait_for 12 not_visible "$splash" || fail "the About splash did not close itself"

# Without a window manager there is no active window to ask for; plain focus does.
timeout 3 xdotool windowactivate --sync "$main" 2>/dev/null ||
  xdotool windowfocus --sync "$main"
sleep 0.3

# Flow rate, density, viscosity, inner diameter, roughness, length, elevation, extra
# loss: the order in which Enter moves on. The flow-rate field has the focus first.
for value in 10000 1000 1 50 0.01 100 0 0; do
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 15 "$value"
  xdotool key Return
  sleep 0.1
done

# Opens the File menu by clicking its title, the first item of the menu bar at the
# top left of the window, and picks its n-th item with the Down key. The popup is a
# top-level window of its own: one more visible window than before the click.
window_count() { xdotool search --onlyvisible --name '' | wc -l; }
more_windows_than() { [ "$(window_count)" -gt "$1" ]; }
menu_item() {
  local downs=$1 before
  before="$(window_count)"
  xdotool mousemove --window "$main" 16 9 click 1
  wait_for 3 more_windows_than "$before" || return 1
  # The popup takes the keyboard a moment after it is mapped.
  sleep 0.4
  for _ in $(seq "$downs"); do xdotool key Down; done
  xdotool key Return
}

saved() { [ -f new.dvl ] && [ "$(wc -l <new.dvl)" -eq 32 ]; }
for attempt in 1 2 3; do
  if menu_item 2 && wait_for 5 saved; then break; fi
  xdotool key Escape
  [ "$attempt" -lt 3 ] || fail "File > Save wrote no new.dvl of 32 lines in $workdir"
done

expected=(10000 1000 1 50 100 0 0 0.01)
mapfile -t lines < <(tr -d '\r' <new.dvl)
for i in "${!expected[@]}"; do
  [ "${lines[$i]}" = "${expected[$i]}" ] ||
    fail "new.dvl line $((i + 1)) holds '${lines[$i]}', expected '${expected[$i]}'"
done
[ "${lines[8]}" = '"new.dvl"' ] || fail "new.dvl line 9 holds '${lines[8]}'"
grep -q $'\r$' new.dvl || fail "new.dvl lines do not end with CR LF"
visible "$caption" >/dev/null || fail "Save changed the caption"

json="$("$cli" json new.dvl)" || fail "zeptor-cli json new.dvl failed"
grep -q '"status":"Flow is Turbulent"' <<<"$json" || fail "status is not Flow is Turbulent: $json"
grep -q '"13":"0.0201"' <<<"$json" || fail "friction factor field 13 is not 0.0201: $json"

# File > Exit is the seventh row; the two separators are skipped by the Down key.
menu_item 5 || fail "the File menu did not open for Exit"
for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
kill -0 "$pid" 2>/dev/null && fail "File > Exit did not end the program"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS: typed case saved as new.dvl, recalculated by zeptor-cli, program ended by File > Exit"
