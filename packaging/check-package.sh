#!/usr/bin/env bash
# Builds the Debian package as it is shipped (Release, /usr prefix, stripped) and runs lintian on
# it: any error or warning fails. First checks that packaging/copyright names every source of
# content/SOURCES.md with its versions and licences, so the two cannot drift apart.
# Usage: check-package.sh <work dir> [build dir]
# The build dir is reused when it is a Release build for /usr; otherwise a Release build of the
# program alone is made under the work dir (ccache makes a second run quick).
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$1"
work="$(cd "$1" && pwd)"
reuse="${2:-}"

# --- packaging/copyright against content/SOURCES.md ---
# The copyright file with its continuation lines joined and spaces collapsed, so a name broken
# over two lines is still found.
copyright="$(tr -s ' \n' '  ' < "$src/packaging/copyright")"
missing=0
need() { # <what> <text that must be in the copyright file>
    if ! grep -qiF -- "$2" <<< "$copyright"; then
        echo "packaging/copyright lacks $1: $2" >&2
        missing=1
    fi
}
versions() { grep -oE '[0-9]+(\.[0-9]+)+' <<< "$1" || true; }
# The first table: | source | version | licence | used for |
while IFS= read -r row; do
    IFS='|' read -r _ source version licence _ <<< "$row"
    plain="$(sed -E 's/ \(.*//; s/`//g; s/^ +//; s/ +$//' <<< "$source")"
    IFS=',' read -ra names <<< "$plain"
    for name in "${names[@]}"; do
        need "source" "$(sed -E 's/^ +//; s/ +$//' <<< "$name")"
    done
    for v in $(versions "$source $version"); do need "version of $plain" "$v"; done
    known=0
    while IFS='=' read -r phrase short; do
        if grep -qF -- "$phrase" <<< "$licence"; then
            need "licence of $plain" "License: $short"
            need "licence of $plain" "$short"
            known=1
        fi
    done <<'MAP'
BSD-3-Clause=BSD-3-clause
ISC=ISC
LGPL-3+=LGPL-3+
GPL-2+=GPL-2+
CC BY 4.0=CC-BY-4.0
Unicode License v3=Unicode-3.0
MIT=Expat
MPL-2.0=MPL-2.0
public domain=public-domain
as the project=GPL-3+
MAP
    if [ "$known" = 0 ]; then
        echo "check-package.sh does not know the licence of $plain:$licence (add it to MAP)" >&2
        missing=1
    fi
    # An attribution the source asks for, quoted in the table, is quoted in the copyright too.
    while IFS= read -r quoted; do
        [ -n "$quoted" ] && need "attribution of $plain" "$quoted"
    done < <(grep -oE '"[^"]+"' <<< "$licence" | tr -d '"')
done < <(awk '/^\| source \|/ {t = 1; next} t && /^\|---/ {next} t && /^\|/ {print; next} t {exit}' \
    "$src/content/SOURCES.md")
# The other sections name their sources in bold with their versions: **name 1.2.3**.
while IFS= read -r bold; do
    need "source" "$(sed -E 's/ [0-9.]+$//' <<< "$bold")"
    for v in $(versions "$bold"); do need "version of $bold" "$v"; done
done < <(grep -oE '\*\*[^*]+ [0-9]+(\.[0-9]+)+\*\*' "$src/content/SOURCES.md" | tr -d '*')
if [ "$missing" != 0 ]; then
    echo "packaging/copyright and content/SOURCES.md differ: name the sources above in the copyright file" >&2
    exit 1
fi

# --- the package ---
is_release_for_usr() {
    [ -f "$1/CMakeCache.txt" ] &&
        grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$1/CMakeCache.txt" &&
        grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/usr' "$1/CMakeCache.txt"
}
if [ -n "$reuse" ] && is_release_for_usr "$reuse"; then
    build="$reuse"
else
    build="$work/build"
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DGLOBANA_TESTS=OFF -DGLOBANA_BENCH=OFF > "$work/configure.log"
fi
start=$(date +%s)
cmake --build "$build" --target globana -j "${JOBS:-2}" > "$work/build.log" ||
    { tail -30 "$work/build.log"; exit 1; }
rm -rf "$work/deb"
(cd "$build" && cpack -G DEB -B "$work/deb" > "$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/deb/globana_*.deb)"
echo "built $deb from $build in $(( $(date +%s) - start )) s"
lintian --fail-on error,warning "$deb"
echo "lintian: no errors, no warnings"
