#!/bin/bash
# Usage: check-translations.sh CMAKE GENERATE_PROJECT PROJECT_CMAKE LUPDATE LRELEASE TS...
# Each catalogue, brought up to date with the sources into a scratch copy as update_translations would,
# must gain no text and hold no unfinished translation. The catalogues themselves are not touched.
set -euo pipefail
cmake=$1 generate=$2 project=$3 lupdate=$4 lrelease=$5
shift 5
[ $# -gt 0 ] || { echo "no catalogue given" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$cmake" -DIN_FILE="$project" -DOUT_FILE="$scratch/project.json" -P "$generate"
status=0
for ts in "$@"; do
    name=$(basename "$ts")
    cp "$ts" "$scratch/$name"
    # The options update_translations passes; a text lupdate adds is one the catalogue lacks.
    collected=$("$lupdate" -project "$scratch/project.json" -source-language ru_RU -locations none -no-obsolete \
        -ts "$scratch/$name" 2>&1)
    if ! grep -q '(0 new and' <<<"$collected"; then
        echo "$name lacks texts of the sources: run the update_translations target and translate them" >&2
        echo "$collected" >&2
        status=1
    fi
    if ! cmp -s "$ts" "$scratch/$name"; then
        echo "$name is not as update_translations leaves it:" >&2
        diff -u "$ts" "$scratch/$name" >&2 || true
        status=1
    fi
    released=$("$lrelease" "$scratch/$name" -qm "$scratch/${name%.ts}.qm" 2>&1)
    echo "$released"
    if ! grep -qE '\([0-9]+ finished and 0 unfinished\)' <<<"$released" || grep -q 'untranslated' <<<"$released"; then
        echo "$name has texts without a translation" >&2
        status=1
    fi
done
exit $status
