#!/bin/bash
# zeptor-cli json from outside, beside a Python script that does the least of the same
# work (bench/pressure_drop.py, with python3-fluids) and beside the bare open, read and
# close of the same files (readloop): files per second of each, in one run, best of
# ROUNDS. Then 100,000 files through --files-from with the peak resident memory.
# Usage: bench/cli_vs_python.sh [BUILD_DIR]   (default: build; needs zeptor-cli, readloop)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
cli=$build/cli/zeptor-cli
readloop=$build/bench/readloop
work=${ZEPTOR_BENCH_DIR:-/tmp/zeptor-bench}
rounds=${ROUNDS:-5}
python=/usr/bin/python3

[ -x "$cli" ] && [ -x "$readloop" ] || { echo "build zeptor-cli and readloop in $build first" >&2; exit 1; }
$python -c 'import fluids' 2>/dev/null || { echo "python3-fluids is missing (apt-get install python3-fluids)" >&2; exit 1; }

[ -f "$work/10k/case009999.dvl" ] || $python "$here/gen_cases.py" "$work/10k" 10000
[ -f "$work/100k/case099999.dvl" ] || $python "$here/gen_cases.py" "$work/100k" 100000
(cd "$work/100k" && ls | sed "s|^|$work/100k/|") > "$work/100k.list"
cd "$work/10k"
files=(case*.dvl)
count=${#files[@]}

# Best wall time of `rounds` runs, in seconds; standard output to /dev/null.
best() {
    local best_ns=999999999999 start end
    for _ in $(seq "$rounds"); do
        start=$(date +%s%N)
        "$@" > /dev/null
        end=$(date +%s%N)
        (( end - start < best_ns )) && best_ns=$((end - start))
    done
    echo "$best_ns"
}
rate() { awk -v n="$count" -v ns="$1" 'BEGIN { printf "%9.0f", n / (ns / 1e9) }'; }

cat "${files[@]}" > /dev/null # the page cache warm
py_ns=$(best $python "$here/pressure_drop.py" "${files[@]}")
j1_ns=$(best "$cli" json -j 1 "${files[@]}")
j2_ns=$(best "$cli" json -j 2 "${files[@]}")
jd_ns=$(best "$cli" json "${files[@]}")
one_ns=$(best "$cli" json "${files[0]}")

echo "$count files, best of $rounds, $(nproc) processors, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-34s %s files/s\n' "python3 pressure_drop.py (fluids)" "$(rate "$py_ns")"
printf '%-34s %s files/s\n' "zeptor-cli json -j 1" "$(rate "$j1_ns")"
printf '%-34s %s files/s\n' "zeptor-cli json -j 2" "$(rate "$j2_ns")"
printf '%-34s %s files/s\n' "zeptor-cli json (default jobs)" "$(rate "$jd_ns")"
"$readloop" "${files[@]}" | sed 's/^/bare /'
awk -v p="$py_ns" -v z="$jd_ns" 'BEGIN { printf "zeptor-cli / python: %.1f times\n", p / z }'
awk -v ns="$one_ns" 'BEGIN { printf "one file, process start to exit: %.1f ms\n", ns / 1e6 }'

/usr/bin/time -f "100,000 files via --files-from: %e s, peak resident memory %M KB" \
    "$cli" json --files-from "$work/100k.list" > /dev/null
