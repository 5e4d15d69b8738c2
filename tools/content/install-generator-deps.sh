#!/usr/bin/env bash
# Installs what tools/content/generate.sh needs beyond the game's own build dependencies:
# Debian's Natural Earth admin-1 data (through R) and GMT with the GSHHG shorelines (lakes),
# then the pinned npm packages.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
    nodejs npm r-base-core r-cran-sp r-cran-rnaturalearthdata gmt gmt-gshhg-low imagemagick
cd "$(dirname "$0")"
npm ci --no-audit --no-fund
