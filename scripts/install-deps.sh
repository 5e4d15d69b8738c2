#!/usr/bin/env bash
# Installs every Debian 12 package Globana needs to build, run, test, benchmark and fuzz.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

PACKAGES=(
    # build
    g++ cmake ninja-build pkg-config ccache
    # toolkit, pictures, sound
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
    libgif-dev libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
    fonts-liberation2 fonts-dejavu-core
    # tests, benchmarks, fuzzing, sanitizers
    libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
    # running windows without a display, screenshots, the end-to-end test's mouse and keys
    xvfb xauth x11-utils imagemagick xdotool
    # the random-play test's window pinger
    libxcb1-dev
    # packaging: dependencies of the .deb, checking the AppStream metadata, the desktop entry and
    # the package itself (lintian), showing the manual page
    dpkg-dev appstream desktop-file-utils lintian man-db
)

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${PACKAGES[@]}"
