#!/usr/bin/env bash
# Fails when an include points the wrong way: a logic file of a subsystem including a window header (any
# "*/ui/" header), or a window file including another subsystem's windows (platform/ui is shared by all).
# src/app wires everything and may include anything.
set -euo pipefail
src="${1:?usage: check_layering.sh <src folder>}"
status=0
while IFS= read -r -d '' file; do
    rel="${file#"$src"/}"
    subsystem="${rel%%/*}"
    [ "$subsystem" = app ] && continue
    while IFS= read -r line; do
        target="$(sed -E 's/^[0-9]+:#include "([^"]+)".*/\1/' <<<"$line")"
        case "$rel" in
        */ui/*)
            case "$target" in
            "$subsystem"/ui/* | platform/ui/*) ;;
            */ui/*) echo "$rel: window file includes another subsystem's window header $target"; status=1 ;;
            esac
            ;;
        *)
            case "$target" in
            */ui/*) echo "$rel: logic file includes window header $target"; status=1 ;;
            esac
            ;;
        esac
    done < <(grep -n -E '^#include "[^"]+"' "$file" || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
[ "$status" -eq 0 ] && echo "layering: every include points the right way"
exit "$status"
