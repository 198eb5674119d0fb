#!/usr/bin/env bash
# Compares the figures two builds of kymata write, setting by setting: the JSON and SVG exports
# and the printed page as JSON, for both constructions, both languages, worksheets and the wave
# view (each lens, the plane wave, a moment of the moving crests and a flash). A
# refactoring that must not change what users see passes it with no difference.
#
#   tools/compare_figures.sh OLD_KYMATA NEW_KYMATA [SETTINGS]
#
# SETTINGS (default 300) are spread over the four scroll bars by a fixed rule. Exits 1 and names
# the first differing file when anything differs.
set -euo pipefail
old=$1 new=$2 count=${3:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

differences=0 files=0
for ((i = 0; i < count; i++)); do
    source=$(( -3 - (i * 37) % 198 ))
    focus=$(( 1 + (i * 13) % 50 ))
    index=$(( 105 + (i * 29) % 146 ))
    thickness=$(( 1 + (i * 7) % 20 ))
    args=(--source "$source" --focus "$focus" --index "$(printf '%d.%02d' $((index / 100)) $((index % 100)))"
          --thickness "$thickness" --lang "$([ $((i % 2)) = 0 ] && echo el || echo en)")
    [ $((i % 3)) = 1 ] && args+=(--hyperbola)
    [ $((i % 5)) = 2 ] && args+=(--worksheet)
    if [ $((i % 4)) = 3 ]; then
        args+=(--view waves)
        [ $((i % 7)) = 2 ] && [ $((i % 3)) != 1 ] && args+=(--lens perfect)
        [ $((i % 11)) = 5 ] && args+=(--parallel-beam)
        [ $((i % 13)) = 6 ] && args+=(--phase 0.35)
        [ $((i % 17)) = 4 ] && [ $((i % 13)) != 6 ] && args+=(--flash 30)
    fi
    for build in old new; do
        binary=${!build}
        "$binary" "${args[@]}" --export "$work/$build.json" >/dev/null
        "$binary" "${args[@]}" --export "$work/$build.svg" >/dev/null
        "$binary" "${args[@]}" --print-to "$work/$build-page.json" >/dev/null
    done
    for kind in .json .svg -page.json; do
        files=$((files + 1))
        if ! cmp -s "$work/old$kind" "$work/new$kind"; then
            differences=$((differences + 1))
            echo "differs: ${args[*]} ($kind)"
        fi
    done
done
echo "compared $files files of $count settings: $differences differ"
[ "$differences" = 0 ]
