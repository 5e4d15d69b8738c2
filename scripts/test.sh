#!/usr/bin/env bash
# Installs what is needed, builds Globana and runs every test; then the same suite under
# AddressSanitizer + UndefinedBehaviorSanitizer (skip that with GLOBANA_SKIP_SANITIZE=1). A
# compiler warning fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

JOBS="${JOBS:-$(nproc)}"
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
# Settings written by tests must never touch the user's real configuration.
export XDG_CONFIG_HOME="$(mktemp -d)"
export XDG_DATA_HOME="$(mktemp -d)"

start=$(date +%s)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLOBANA_WERROR=ON
cmake --build build -j "$JOBS"
ctest --test-dir build --output-on-failure -j "$JOBS" --timeout 600
echo "normal suite: $(( $(date +%s) - start )) s"

if [ "${GLOBANA_SKIP_SANITIZE:-0}" != "1" ]; then
    start=$(date +%s)
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGLOBANA_SANITIZE=ON -DGLOBANA_WERROR=ON
    cmake --build build-asan -j "$JOBS"
    # Leaks are looked for; scripts/lsan.supp lists those inside the libraries, each with why.
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
        ctest --test-dir build-asan --output-on-failure -j "$JOBS" --timeout 900
    echo "sanitizer suite: $(( $(date +%s) - start )) s"
fi
