#!/usr/bin/env bash
# Draws the game's icon at the usual sizes into packaging/icons/<size>.png (committed; the
# install step copies them). Needs g++ and qt6-base-dev.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O1 -fPIC "$here/globe_icon.cpp" -o "$work/globe_icon" $(pkg-config --cflags --libs Qt6Gui)
mkdir -p "$root/packaging/icons"
for size in 16 32 48 64 128 256; do
    "$work/globe_icon" "$size" "$root/packaging/icons/$size.png"
done
echo "icons written to $root/packaging/icons"
