#!/usr/bin/env bash
# Takes the README's screenshots of two builds of the program with
# scripts/screenshots.sh and compares them pixel for pixel, one line per
# picture. Exits 1 when some picture differs.
#
#   scripts/compare-screenshots.sh OLD_BUILD NEW_BUILD [FOLDER]
#
# Each picture is taken SCREENSHOT_FRAMES times (12 unless told), a tenth of
# a second apart: the main window's glyph changes colour four times a
# second, so two runs seldom catch it in the same phase on their first
# frame. A picture is the same when some frame of the old build equals some
# frame of the new one in every pixel (ImageMagick's `compare -metric AE`
# counts the pixels that differ). The frames are kept in FOLDER, a
# temporary folder unless given, and for a picture that differs the
# closest pair's difference as NAME-diff.png.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 OLD_BUILD NEW_BUILD [FOLDER]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
old_build=$(cd "$1" && pwd)
new_build=$(cd "$2" && pwd)
export SCREENSHOT_FRAMES=${SCREENSHOT_FRAMES:-12}
if [ $# -ge 3 ]; then
    mkdir -p "$3"
    folder=$(cd "$3" && pwd)
else
    folder=$(mktemp -d)
    trap 'rm -rf "$folder"' EXIT
fi

"$root/scripts/screenshots.sh" "$old_build" "$folder/old" >/dev/null
"$root/scripts/screenshots.sh" "$new_build" "$folder/new" >/dev/null

signatures() { # side name: each frame's pixel signature, one a line
    identify -format '%#\n' "$folder/$1/$2"-*.png | sort -u
}
# Pixels that differ between two frames, their difference drawn in the
# third file; "size" when their sizes differ.
differing_pixels() {
    local count
    count=$(compare -metric AE "$1" "$2" "$3" 2>&1 >/dev/null) || true
    case $count in
        '' | *[!0-9.e+]*) echo size ;;
        *) echo "$count" ;;
    esac
}
fewer() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 < b + 0) }'; }

status=0
names=()
for first in "$folder"/old/*-1.png; do
    [ -e "$first" ] && names+=("$(basename "$first" -1.png)")
done
[ ${#names[@]} -gt 0 ] || { echo "no screenshots were taken" >&2; exit 1; }
for name in "${names[@]}"; do
    old_frames=$(signatures old "$name")
    new_frames=$(signatures new "$name")
    shared=$(comm -12 <(echo "$old_frames") <(echo "$new_frames") | wc -l)
    summary="distinct frames: old $(echo "$old_frames" | wc -l), new $(echo "$new_frames" | wc -l)"
    if [ "$shared" -gt 0 ]; then
        printf '%-10s same: 0 pixels differ in %d shared frame(s); %s\n' "$name" "$shared" "$summary"
        continue
    fi
    status=1
    best=
    for a in "$folder/old/$name"-*.png; do
        for b in "$folder/new/$name"-*.png; do
            pixels=$(differing_pixels "$a" "$b" "$folder/$name-candidate.png")
            if [ "$pixels" = size ]; then
                best=size
                break 2
            fi
            if [ -z "$best" ] || fewer "$pixels" "$best"; then
                best=$pixels
                mv "$folder/$name-candidate.png" "$folder/$name-diff.png"
            fi
        done
    done
    rm -f "$folder/$name-candidate.png"
    if [ "$best" = size ]; then
        printf '%-10s DIFFERENT: the sizes differ; %s\n' "$name" "$summary"
    else
        printf '%-10s DIFFERENT: at least %s pixels differ (%s); %s\n' "$name" "$best" \
            "$folder/$name-diff.png" "$summary"
    fi
done
exit $status
