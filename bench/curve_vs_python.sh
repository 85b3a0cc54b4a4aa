#!/bin/bash
# zeptor-cli curve --format csv beside bench/curve_python.py (python3-fluids) for the same
# points of the same case: CPU seconds (user + system) of each, best of ROUNDS, and the
# ratio. Usage: bench/curve_vs_python.sh [BUILD_DIR] [POINTS]   (default build, 200000)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
points=${2:-200000}
rounds=${ROUNDS:-5}
case_file=$here/../examples/turbulent.dvl
/usr/bin/python3 -c 'import fluids' 2>/dev/null || { echo "python3-fluids is missing (apt-get install python3-fluids)" >&2; exit 1; }

# The least CPU time of `rounds` runs, in seconds.
best_cpu() {
    local best=999999 t user sys
    local TIMEFORMAT='%3U %3S'
    for _ in $(seq "$rounds"); do
        t=$( { time "$@" > /dev/null 2>&1; } 2>&1 )
        read -r user sys <<< "$t"
        best=$(awk -v b="$best" -v u="$user" -v s="$sys" 'BEGIN { c = u + s; print (c < b ? c : b) }')
    done
    echo "$best"
}

cli=$(best_cpu "$build/cli/zeptor-cli" curve "$case_file" --points "$points" --format csv)
python=$(best_cpu /usr/bin/python3 "$here/curve_python.py" "$case_file" "$points")
awk -v n="$points" -v c="$cli" -v p="$python" 'BEGIN {
    printf "%d points of examples/turbulent.dvl, CPU time, best of runs\n", n
    printf "  zeptor-cli curve --format csv  %7.3f s  %6.2f us/point\n", c, c / n * 1e6
    printf "  python3 + fluids               %7.3f s  %6.2f us/point\n", p, p / n * 1e6
    printf "  zeptor-cli is %.1f times faster\n", p / c
}'
