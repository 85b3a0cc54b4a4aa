#!/bin/bash
# Runs the same zeptor-cli command lines with two binaries and names every line whose
# standard output, standard error or exit status differ: the byte comparison that proves
# a refactor. The cases are examples/, COUNT generated files (bench/gen_cases.py) and a
# mixed set with prompts, load failures and bad tables.
# Usage: tools/compare_outputs.sh OLD_CLI NEW_CLI [COUNT]   (default 10000)
# NEW_CURVE_ARGS: options given to the new binary's curve commands only (for instance
# --extra-loss fixed, to compare with a release whose curve kept the extra loss fixed).
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
old=$(realpath "$1")
new=$(realpath "$2")
count=${3:-10000}
work=${ZEPTOR_COMPARE_DIR:-/tmp/zeptor-compare}
mkdir -p "$work/out"
[ -f "$work/gen/case$(printf %06d $((count - 1))).dvl" ] || python3 "$here/bench/gen_cases.py" "$work/gen" "$count"

# The mixed set: a case that prompts for its density, one whose turbulent points prompt
# for the roughness, a file that cannot be loaded, a folder, a missing file, bad tables.
mixed=$work/mixed
mkdir -p "$mixed/folder.dvl"
sed '2s/.*/0/' "$here/examples/turbulent.dvl" > "$mixed/no-density.dvl"
sed '8s/.*/0/' "$here/examples/turbulent.dvl" > "$mixed/no-roughness.dvl"
printf 'not a project\n' > "$mixed/bad.dvl"
printf 'flow [l/h],head [m]\n0,30\n1000,x\n' > "$mixed/bad-pump.csv"
printf 'size,inner diameter [mm]\nDN 50,-1\n' > "$mixed/bad-table.csv"
printf 'flow [m3/h],head [m],efficiency [%%],npshr [m]\n0,40,0,1\n10,38,60,1.5\n20,30,75,2\n30,15,70,3.5\n' > "$mixed/pump-m3h.csv"

cases=("$here"/examples/*.dvl "$mixed"/*.dvl)
generated=("$work"/gen/case*.dvl)
sample=("${generated[@]:0:200}")
pumps=("$here/examples/pump-curve.csv" "$mixed/pump-m3h.csv" "$mixed/bad-pump.csv")

lines=()
lines+=("json ${cases[*]} $mixed/missing.dvl $mixed/folder.dvl")
lines+=("report ${cases[*]} $mixed/missing.dvl")
lines+=("json -j 2 ${generated[*]}")
lines+=("report -j 2 ${generated[*]}")
for f in "${cases[@]}" "${sample[@]}"; do
    lines+=("curve $f" "curve $f --format csv" "curve $f --points 7 --to 20000")
    for p in "${pumps[@]}"; do
        lines+=("curve $f --pump $p" "curve $f --pump $p --format csv")
    done
    lines+=("size $f" "size $f --format csv" "size $f --standard DIN"
        "size $f --table $here/examples/steel-pipes.csv" "size $f --table $mixed/bad-table.csv")
done
for t in -5 0.01 4 20 60 99.9 100 150 180; do
    lines+=("fluid water --temperature $t" "fluid water --temperature $t --pressure 12")
    for g in ethylene-glycol propylene-glycol; do
        for c in 0 10 30 60 70; do lines+=("fluid $g --concentration $c --temperature $t"); done
    done
done

differ=0
for line in "${lines[@]}"; do
    read -r -a args <<< "$line"
    "$old" "${args[@]}" > "$work/out/old.out" 2> "$work/out/old.err"; os=$?
    extra=()
    [ "${args[0]}" = curve ] && [ -n "${NEW_CURVE_ARGS:-}" ] && read -r -a extra <<< "$NEW_CURVE_ARGS"
    "$new" "${args[@]}" "${extra[@]}" > "$work/out/new.out" 2> "$work/out/new.err"; ns=$?
    if [ $os != $ns ] || ! cmp -s "$work/out/old.out" "$work/out/new.out" \
        || ! cmp -s "$work/out/old.err" "$work/out/new.err"; then
        differ=$((differ + 1))
        echo "DIFFERS (status $os -> $ns): ${line:0:200}"
    fi
done
echo "${#lines[@]} command lines, $differ differ"
[ $differ -eq 0 ]
