#!/bin/sh
# Whole-process time of `numerelle-cli factor N` beside coreutils `factor N`
# on the hardest inputs up to 10^16. Uses hyperfine when installed, else a
# plain loop of RUNS calls per command.
# Usage: bench/factor_vs_coreutils.sh [path/to/numerelle-cli]
set -eu
CLI=${1:-build/numerelle-cli}
RUNS=${RUNS:-200}
NUMBERS="9999999999999937 9999999599999923 9007199254740991 10000000000000000"

if command -v hyperfine >/dev/null 2>&1; then
    table=$(mktemp)
    for n in $NUMBERS; do
        hyperfine -N --style none --warmup 20 --runs "$RUNS" "$CLI factor $n" "factor $n" \
            --export-markdown "$table" >/dev/null 2>&1
        tail -n 2 "$table"
    done
    rm -f "$table"
    exit 0
fi

loop() {
    start=$(date +%s%N)
    i=0
    while [ $i -lt "$RUNS" ]; do
        "$@" >/dev/null
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo "scale=3; ($end - $start) / $RUNS / 1000000" | bc
}

printf '%-20s %14s %14s\n' number "numerelle ms" "coreutils ms"
for n in $NUMBERS; do
    printf '%-20s %14s %14s\n' "$n" "$(loop "$CLI" factor "$n")" "$(loop factor "$n")"
done
