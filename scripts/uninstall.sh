#!/usr/bin/env bash
# Removes what `cmake --install build` installed, as build/install_manifest.txt
# lists it (or the manifest given), then each folder this leaves empty.
set -euo pipefail
manifest=${1:-$(dirname "$0")/../build/install_manifest.txt}
[ -f "$manifest" ] || { echo "$manifest is missing: nothing to remove" >&2; exit 1; }
# The manifest has no line break after its last line.
while IFS= read -r file || [ -n "$file" ]; do
    rm -f -- "$file"
done <"$manifest"
# Deepest folders first; rmdir -p goes on upwards while a folder is empty.
while IFS= read -r file || [ -n "$file" ]; do dirname -- "$file"; done <"$manifest" | sort -ru |
    while IFS= read -r folder; do
        rmdir -p --ignore-fail-on-non-empty -- "$folder" 2>/dev/null || true
    done
echo "Removed the files listed in $manifest"
