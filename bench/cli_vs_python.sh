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

# Best of `rounds` runs: "wall-seconds cpu-seconds" of the run with the shortest wall
# time (CPU = user + system, all threads). Standard output to /dev/null. On a machine
# shared with other work the wall time suffers first; the CPU time shows what the run
# itself needed.
best() {
    local best_wall=999999 best_cpu=0 t wall user sys
    local TIMEFORMAT='%3R %3U %3S'
    for _ in $(seq "$rounds"); do
        t=$( { time "$@" > /dev/null 2>&1; } 2>&1 )
        read -r wall user sys <<< "$t"
        if awk -v a="$wall" -v b="$best_wall" 'BEGIN { exit !(a < b) }'; then
            best_wall=$wall
            best_cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')
        fi
    done
    echo "$best_wall $best_cpu"
}
# "files/s (wall)  files per CPU-second" of a best() result.
rate() {
    awk -v n="$count" -v w="${1% *}" -v c="${1#* }" \
        'BEGIN { printf "%9.0f files/s   %9.0f files per CPU-second", n / w, (c > 0 ? n / c : 0) }'
}

cat "${files[@]}" > /dev/null # the page cache warm
python_t=$(best $python "$here/pressure_drop.py" "${files[@]}")
j1_t=$(best "$cli" json -j 1 "${files[@]}")
j2_t=$(best "$cli" json -j 2 "${files[@]}")
jd_t=$(best "$cli" json "${files[@]}")
one_t=$(best "$cli" json "${files[0]}")

echo "$count files, best of $rounds, $(nproc) processors, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-34s %s\n' "python3 pressure_drop.py (fluids)" "$(rate "$python_t")"
printf '%-34s %s\n' "zeptor-cli json -j 1" "$(rate "$j1_t")"
printf '%-34s %s\n' "zeptor-cli json -j 2" "$(rate "$j2_t")"
printf '%-34s %s\n' "zeptor-cli json (default jobs)" "$(rate "$jd_t")"
"$readloop" "${files[@]}" | sed 's/^/bare /'
awk -v p="${python_t% *}" -v z="${jd_t% *}" 'BEGIN { printf "zeptor-cli / python: %.1f times\n", p / z }'
awk -v t="${one_t% *}" 'BEGIN { printf "one file, process start to exit: %.1f ms\n", t * 1000 }'

/usr/bin/time -f "100,000 files via --files-from: %e s, peak resident memory %M KB" \
    "$cli" json --files-from "$work/100k.list" > /dev/null
