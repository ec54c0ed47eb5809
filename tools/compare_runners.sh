#!/usr/bin/env bash
# Runs two scenario runners on the same command files and compares their
# outputs byte for byte: COUNT random sessions made with SEED, and the golden
# scenarios (both from tools/random_scenarios.py).
#
#   tools/compare_runners.sh OLD NEW COUNT SEED [DIR]
#
# OLD and NEW are runners (build/default/tools/efficiency-scenario of two
# trees). DIR/old and DIR/new get the command files and, for each NAME.txt,
# the runner's output as NAME.out with "exit N" last. Without DIR a temporary
# one is used, kept only when outputs differ. OLD may also be the old/
# directory of an earlier comparison: its outputs are compared again, not
# remade, once its command files prove to be the ones COUNT and SEED give.
#
# Prints how many outputs are identical and how many differ, and fails on
# any difference. Two runners at a time at most: a machine of two cores.
set -euo pipefail

if [ $# -lt 4 ] || [ $# -gt 5 ]; then
    echo "usage: $0 OLD NEW COUNT SEED [DIR]" >&2
    exit 2
fi
old=$(readlink -f "$1")
new=$(readlink -f "$2")
count=$3
seed=$4
tools=$(dirname "$(readlink -f "$0")")
if [ $# -eq 5 ]; then
    dir=$5
    keep_dir=1
else
    dir=$(mktemp -d)
    keep_dir=0
fi
trap '[ "$keep_dir" -eq 1 ] || rm -rf "$dir"' EXIT
if [ ! -x "$new" ] || { [ ! -d "$old" ] && [ ! -x "$old" ]; }; then
    echo "$0: OLD and NEW must be runners (OLD may be an earlier old/ directory)" >&2
    exit 2
fi
if [ -e "$dir/old" ] || [ -e "$dir/new" ]; then
    echo "$0: $dir already holds a comparison; give a new DIR" >&2
    exit 2
fi

scenarios() {
    python3 "$tools/random_scenarios.py" random --count "$count" --seed "$seed" --out "$1" >/dev/null
    python3 "$tools/random_scenarios.py" goldens --source "$tools/../tests/ui/scenario_test.cpp" \
        --out "$1" >/dev/null
}

# The runner on every command file in the directory, two at a time. The
# locale is the one the program is written for: its numbers have decimal commas.
run_all() {
    local runner=$1 out=$2 start=$SECONDS
    # shellcheck disable=SC2016 # expanded by the sh that xargs starts
    find "$out" -maxdepth 1 -name '*.txt' -print0 | sort -z |
        LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8 QT_QPA_PLATFORM=offscreen xargs -0 -n 1 -P 2 \
            sh -c '"$0" <"$1" >"${1%.txt}.out" 2>/dev/null; echo "exit $?" >>"${1%.txt}.out"' \
            "$runner"
    echo "$runner: $(find "$out" -maxdepth 1 -name '*.txt' | wc -l) files in $((SECONDS - start)) s"
}

mkdir -p "$dir/new"
scenarios "$dir/new"
if [ -d "$old" ]; then
    for file in "$dir"/new/*.txt; do
        if ! cmp -s "$file" "$old/$(basename "$file")"; then
            echo "$0: $old holds other command files than COUNT $count and SEED $seed give" \
                "($(basename "$file"))" >&2
            exit 2
        fi
    done
    old_out=$old
else
    mkdir -p "$dir/old"
    scenarios "$dir/old"
    run_all "$old" "$dir/old"
    old_out=$dir/old
fi
run_all "$new" "$dir/new"

identical=0
different=0
for file in "$dir"/new/*.txt; do
    name=$(basename "$file" .txt)
    if cmp -s "$old_out/$name.out" "$dir/new/$name.out"; then
        identical=$((identical + 1))
    else
        different=$((different + 1))
        [ "$different" -gt 10 ] || echo "different: $name"
    fi
done
echo "identical: $identical, different: $different"
if [ "$different" -gt 0 ]; then
    keep_dir=1
    echo "the outputs are in $dir"
    exit 1
fi
