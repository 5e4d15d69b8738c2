#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) and runs each one until it has
# made 1,000,000 executions or run for 10 minutes, whichever comes first. New inputs that
# widen coverage go to a scratch folder, not into the committed seed corpora; crashes are kept
# in fuzz/findings/. Writes the executions per target to fuzz/REPORT.md.
#   fuzz/run-all.sh [build dir] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD="${1:-build-fuzz}"
shift || true
RUNS="${FUZZ_RUNS:-1000000}"
SECONDS_EACH="${FUZZ_SECONDS:-600}"

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLOBANA_FUZZ=ON -DGLOBANA_BENCH=OFF -DGLOBANA_TESTS=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
cmake --build "$BUILD" -j 2 --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p fuzz/findings
logs="$(mktemp -d)"
report=fuzz/REPORT.md
{
    echo "# Fuzzing report"
    echo
    echo "Written by \`fuzz/run-all.sh\` on $(date -u +%Y-%m-%d), $(nproc) cores, clang $(clang --version | sed -n 's/.*version \([0-9.]*\).*/\1/p' | head -1)."
    echo "Each target ran until $RUNS executions or $SECONDS_EACH s, starting from its seed corpus."
    echo
    echo "| target | executions | seconds | coverage (edges) | findings |"
    echo "|---|---:|---:|---:|---|"
} >"$report"

status=0
for t in "${targets[@]}"; do
    scratch="$(mktemp -d)"
    start=$(date +%s)
    set +e
    "$BUILD/fuzz/$t" -runs="$RUNS" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="fuzz/findings/$t-" "$scratch" "fuzz/corpus/$t" >"$logs/$t.log" 2>&1
    rc=$?
    set -e
    took=$(( $(date +%s) - start ))
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$t.log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$logs/$t.log" | tail -1 | cut -d' ' -f2)
    finding="none"
    if [ $rc -ne 0 ]; then
        finding="exit $rc, see fuzz/findings/"
        cp "$logs/$t.log" "fuzz/findings/$t.log"
        status=1
    fi
    echo "| $t | ${execs:-?} | $took | ${cov:-?} | $finding |" >>"$report"
    echo "$t: ${execs:-?} executions in $took s, $finding"
    rm -rf "$scratch"
done
{
    echo
    echo "Edges count only the game's own code: Qt's BMP reader, giflib and QSettings are not"
    echo "instrumented, so inputs reaching them are mutated without coverage guidance there."
} >>"$report"
rm -rf "$logs"
exit $status
