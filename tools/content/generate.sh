#!/usr/bin/env bash
# Regenerates every geographic content file (content/AREA1-3.crp, Vatten.crp, Hav1-3.crp,
# Ort1-2.crp, Ovning.crp) from the pinned open data. Needs the packages of
# install-generator-deps.sh and a build of globana_crpgen (built here if missing).
# Usage: tools/content/generate.sh [build dir]   (default: build)
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
BUILD="$(realpath -m "${1:-$ROOT/build}")" # a relative path means from where it is called
WORK="$HERE/work"
mkdir -p "$WORK"
cd "$HERE"
[ -d node_modules ] || npm ci --no-audit --no-fund
node scripts/places.mjs
node scripts/areas.mjs
node scripts/physical.mjs
node scripts/catalogue.mjs
node scripts/spread.mjs
node scripts/landref.mjs
if [ ! -f "$BUILD/build.ninja" ] && [ ! -f "$BUILD/Makefile" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$BUILD" -j2 --target globana_crpgen
"$BUILD/tools/globana_crpgen" "$WORK" "$ROOT/content" "$ROOT/tests/content/masks"
