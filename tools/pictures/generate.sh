#!/usr/bin/env bash
# Regenerates the flag bitmaps (content/flags/<iso2>.bmp) and the built-in pictures
# (app/pictures: the seven world-part maps, the five language pictures, pictures.qrc).
# Same sources, same bytes.
#   tools/pictures/generate.sh            (builds in $GLOBANA_BUILD_DIR, default build/)
# Needs rsvg-convert and the npm packages: tools/pictures/install-deps.sh installs both.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="${GLOBANA_BUILD_DIR:-$repo/build}"
export LC_ALL=C

if [ ! -d "$here/node_modules/svg-country-flags" ]; then
    (cd "$here" && npm ci --no-audit --no-fund)
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build "$build" -j2 --target globana_pictures
tool="$build/tools/pictures/globana_pictures"
svg="$here/node_modules/svg-country-flags/svg"

# Every flag of the package: the game's countries and more territories than it ships.
rm -rf "$repo/content/flags"
"$tool" flags "$svg" "$repo/content/flags"

pictures="$repo/app/pictures"
mkdir -p "$pictures"
"$tool" lang "$svg" "$pictures"
node "$here/worldparts.mjs" "$pictures"

# Each country of the game's table must have its flag.
table="$repo/tools/content/tables/countries.csv"
if [ -f "$table" ]; then
    missing=0
    while IFS=, read -r iso3 iso2 _; do
        [ "$iso3" = iso3 ] || [ -z "$iso2" ] && continue
        code="$(printf '%s' "$iso2" | tr '[:upper:]' '[:lower:]')"
        if [ ! -f "$repo/content/flags/$code.bmp" ]; then
            echo "no flag for $iso3 ($iso2)" >&2
            missing=1
        fi
    done < "$table"
    [ "$missing" = 0 ] || exit 1
fi

{
    echo '<!DOCTYPE RCC><RCC version="1.0">'
    echo '<qresource prefix="/pictures">'
    for f in $(cd "$pictures" && ls *.bmp); do
        echo "    <file>$f</file>"
    done
    echo '</qresource>'
    echo '</RCC>'
} > "$pictures/pictures.qrc"

echo "flags written to $repo/content/flags, pictures to $pictures"
