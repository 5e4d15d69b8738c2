#!/usr/bin/env bash
# Installs what tools/pictures/generate.sh needs beyond the project's own build dependencies
# (scripts/install-deps.sh): rsvg-convert, node and npm, and the pinned npm packages.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
PACKAGES=(librsvg2-bin)
# Node may come from elsewhere than Debian (with npm inside); only add Debian's when absent.
command -v node >/dev/null || PACKAGES+=(nodejs)
command -v npm >/dev/null || PACKAGES+=(npm)
$SUDO apt-get install -y -q --no-install-recommends "${PACKAGES[@]}"
cd "$here" && npm ci --no-audit --no-fund
