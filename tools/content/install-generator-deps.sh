#!/usr/bin/env bash
# Installs what tools/content/generate.sh needs beyond the game's own build dependencies:
# GMT with the GSHHG shorelines (lakes), then the pinned npm packages. The .crp step needs the game's build (scripts/install-deps.sh).
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
PACKAGES=(gmt gmt-gshhg-low)
# Node may come from elsewhere than Debian (with npm inside, which Debian's npm conflicts with):
# add Debian's only when absent.
command -v node >/dev/null || PACKAGES+=(nodejs)
command -v npm >/dev/null || PACKAGES+=(npm)
$SUDO apt-get install -y -q --no-install-recommends "${PACKAGES[@]}"
# mapshaper 0.7.70 asks for Node 20.11 or later; Debian 12's own nodejs is 18.
major="$(node -p 'process.versions.node.split(".")[0]')"
if [ "$major" -lt 20 ]; then
    echo "warning: Node $(node -v) is older than mapshaper's 20.11; install Node 20 (e.g. bookworm-backports or NodeSource)" >&2
fi
cd "$(dirname "$0")"
npm ci --no-audit --no-fund
