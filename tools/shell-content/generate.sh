#!/usr/bin/env bash
# Regenerates the application shell's content in content/: lang.crp, the three sounds,
# good.mid, logo.gif, bmptest.bmp, help/ and README.TXT. Same sources, same bytes.
#   tools/shell-content/generate.sh            (builds in $GLOBANA_BUILD_DIR, default build/)
# A PNG of the logo is left in the build folder (shell-content-preview/) for looking at.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="${GLOBANA_BUILD_DIR:-$repo/build}"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build "$build" -j2 --target shellcontent_gen

QT_QPA_PLATFORM=offscreen "$build/tools/shell-content/shellcontent_gen" \
    "$here" "$repo/content" "$build/shell-content-preview"
echo "shell content written to $repo/content"
