#!/usr/bin/env bash
# Installs what is needed, builds Globana and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "${JOBS:-$(nproc)}" --target globana

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Globana is a desktop game and needs a display, but none was found (DISPLAY is not set)." >&2
    echo "Start it from a desktop session, or run it on a virtual display:" >&2
    echo "    xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
exec build/game/globana "$@"
