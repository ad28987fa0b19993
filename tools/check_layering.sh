#!/usr/bin/env bash
# Fails when an include points the wrong way: a logic file of a subsystem including a window header (any
# "*/ui/" header), or a window file including another subsystem's windows (platform/ui is shared by all).
# src/app wires everything and may include anything.
set -euo pipefail
src="${1:?usage: check_layering.sh <src folder>}"
cd "$src"
grep -rnE '^#include "[^"]+/ui/[^"]*"' --include='*.h' --include='*.cpp' . |
    awk -F: '
    {
        file = substr($1, 3); split(file, parts, "/"); subsystem = parts[1]
        if (subsystem == "app") next
        match($0, /#include "[^"]+"/); target = substr($0, RSTART + 10, RLENGTH - 11)
        if (file ~ /\/ui\//) {
            if (index(target, subsystem "/ui/") == 1 || index(target, "platform/ui/") == 1) next
            print file ": window file includes another subsystem'"'"'s window header " target; bad = 1
        } else {
            print file ": logic file includes window header " target; bad = 1
        }
    }
    END { if (bad) exit 1; print "layering: every include points the right way" }'
