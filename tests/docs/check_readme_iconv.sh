#!/bin/sh
# Runs the README's recipe for turning a UTF-8 settings file into the
# program's Windows-1252, CR LF form exactly as the README shows it (the
# indented block that starts with "iconv"), on a file with both kinds of
# line end, and compares the result byte for byte.
#
#   check_readme_iconv.sh README.md
set -u

readme=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk '/^    iconv / { inside = 1 }
     inside && /^$/ { exit }
     inside { sub(/^    /, ""); print }' "$readme" >"$work/recipe.sh"
if [ ! -s "$work/recipe.sh" ]; then
    echo "FAIL: no indented iconv command in $readme"
    exit 1
fi
echo "recipe:"
cat "$work/recipe.sh"

# "Ñoño" with an LF end, "Martín" with a CR LF end.
printf '\303\221o\303\261o\nMart\303\255n\r\nok\n' >"$work/mine.ini"
printf '\321o\361o\r\nMart\355n\r\nok\r\n' >"$work/expected"

(cd "$work" && sh ./recipe.sh) || { echo "FAIL: the recipe failed"; exit 1; }
if ! cmp "$work/expected" "$work/brisquel.ini"; then
    echo "FAIL: the recipe wrote:"
    od -c "$work/brisquel.ini"
    exit 1
fi
echo "the recipe converts as the README says"
