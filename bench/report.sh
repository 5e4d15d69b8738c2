#!/bin/sh
# Builds the benchmarks in Release, runs them (5 repetitions, medians) and writes the figures
# into bench/README.md.  Usage: bench/report.sh [build dir]   (default: build-bench)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLOBANA_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target platform_bench bench_map bench_mapscreen bench_startup bench_peakmemory \
    bench_long_session
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
run() { # run <name> <program> [filter]
    echo "running $1" >&2
    "$2" --benchmark_repetitions=5 --benchmark_out="$out/$1.json" --benchmark_out_format=json \
        ${3:+--benchmark_filter="$3"} >/dev/null
}
"$build/bench/app/bench_peakmemory" "$root/content" >"$out/peakmemory.txt"
echo "running long_session" >&2
"$build/bench/app/bench_long_session" --rounds 10 "$root/content" >"$out/longsession.txt"
largest=$(sed -n 's/^exercise \([A-Z]*_[0-9]*\).*/\1/p' "$out/peakmemory.txt")
run platform "$build/bench/platform/platform_bench" 'WholeImage|Ratio'
run map "$build/bench/map/bench_map"
run screens "$build/bench/screens/bench_mapscreen" "ToFirstQuestion/$largest/"
run startup "$build/bench/app/bench_startup"
python3 "$root/bench/report.py" "$out" >"$root/bench/README.md"
echo "wrote $root/bench/README.md" >&2
