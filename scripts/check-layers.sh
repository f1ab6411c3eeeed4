#!/usr/bin/env bash
# Fails when two folders of src/ include each other, directly or through
# others: every #include "folder/file.h" is an arrow from the including
# folder to that folder, and tsort finds any loop among the arrows.
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}
cd "$src"
arrows=$(grep -rHoE '^#include "[a-z]+/' --include='*.h' --include='*.cpp' . |
    sed -E 's|^\./([^/]+)/[^:]*:#include "([a-z]+)/$|\1 \2|' |
    awk '$1 != $2' | sort -u)
printf '%s\n' "$arrows"
if ! loop=$(printf '%s\n' "$arrows" | tsort 2>&1 >/dev/null); then
    printf '%s\n' "$loop" >&2
    echo "A loop between folders of src/: turn one arrow around with a link on a lower floor." >&2
    exit 1
fi
echo "No loop between folders of src/."
