#!/usr/bin/env bash
# Fails when the floors of src/ do not hold:
# - two folders include each other, directly or through others;
# - a window family (mainwindow, pickers, tray, help) includes another family,
#   which it should reach through a link or a window kind in ui/ instead;
# - a class's file pair (x.h and x.cpp) includes, through others, a pair that
#   includes it back.
# Every #include of a file in src/ is an arrow between file pairs; tsort finds
# any loop among the arrows.
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}
cd "$src"
families=" mainwindow pickers tray help "

# "folder/pair folder/pair" for every include of a header that is in src/.
pairArrows=$(grep -rHoE '^#include "[^"]+\.h"' --include='*.h' --include='*.cpp' . |
    sed -E 's|^\./||; s|:#include "| |; s|"$||' |
    while read -r file header; do
        folder=${file%/*}
        [[ $header == */* ]] || header="$folder/$header"
        [ -f "$header" ] || continue # generated, or not ours
        printf '%s %s\n' "${file%.*}" "${header%.h}"
    done | awk '$1 != $2' | sort -u)
folderArrows=$(printf '%s\n' "$pairArrows" | sed -E 's|/[^ ]*||g' | awk '$1 != $2' | sort -u)
printf '%s\n' "$folderArrows"

failed=0
while read -r from to; do
    if [[ $families == *" $from "* && $families == *" $to "* ]]; then
        echo "The window family $from includes the family $to:" >&2
        printf '%s\n' "$pairArrows" | awk -v a="$from/" -v b="$to/" \
            'index($1, a) == 1 && index($2, b) == 1 { print "  " $1 " -> " $2 }' >&2
        failed=1
    fi
done <<<"$folderArrows"
if ! loop=$(printf '%s\n' "$folderArrows" | tsort 2>&1 >/dev/null); then
    printf '%s\n' "$loop" >&2
    echo "A loop between folders of src/: turn one arrow around with a link on a lower floor." >&2
    failed=1
fi
if ! loop=$(printf '%s\n' "$pairArrows" | tsort 2>&1 >/dev/null); then
    printf '%s\n' "$loop" >&2
    echo "An include loop between file pairs of src/: hand values over instead of including back." >&2
    failed=1
fi
[ $failed -eq 0 ] || exit 1
echo "No loop between folders or file pairs of src/, and no family includes another."
