#!/usr/bin/env bash
# The real program under Xvfb: time from the process start until its main window is
# on screen (found by its caption), and the resident memory of the running program.
#   bench/startup_xvfb.sh [zeptor binary] [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export ZEPTOR_BINARY="$(realpath "${1:-$root/build/shell/zeptor}")"
export ZEPTOR_RUNS="${2:-5}"
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1366x768x24" bash -c '
  set -euo pipefail
  cd "$(mktemp -d)"
  # Another X display started at the same moment may have taken ours: each run
  # checks that the program is alive before it reads anything of it.
  for run in $(seq "$ZEPTOR_RUNS"); do
    start=$(date +%s%N)
    QT_QPA_PLATFORM=xcb "$ZEPTOR_BINARY" 2>zeptor.log &
    pid=$!
    # xdotool --sync waits half a second between looks; look every 10 ms instead.
    for i in $(seq 2000); do
      xdotool search --onlyvisible --name "^Zeptor - \[new\.dvl\]$" >/dev/null 2>&1 && break
      sleep 0.01
    done
    shown=$(date +%s%N)
    sleep 1
    if ! kill -0 $pid 2>/dev/null; then
      echo "run $run: the program ended early:" >&2; cat zeptor.log >&2; exit 1
    fi
    rss=$(awk "/VmRSS/ {print \$2}" /proc/$pid/status)
    kill $pid; wait $pid 2>/dev/null || true
    echo "run $run: shown after $(( (shown - start) / 1000000 )) ms, VmRSS $(( rss / 1024 )) MB"
  done
'
