#!/usr/bin/env bash
# Speaks the voice navigation prompts with espeak-ng (American English voice) into data/<Name>.wav. Run by
# hand when a text changes; the program never runs it. Usage: tools/make_voice_prompts.sh [OUTPUT_FOLDER]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/data}"
command -v espeak-ng >/dev/null || { echo "espeak-ng is not installed (apt-get install espeak-ng)" >&2; exit 1; }
mkdir -p "$out"

# Prompt name (the file's name without .wav) and what it says.
prompts=(
    "Call|Call sign"
    "SPC|State, province or country"
    "RstRcvd|Report received"
    "RstSnt|Report sent"
    "VelmPwr|Member number or power"
    "Dupe|Duplicate"
    "NavEn|Voice navigation on"
    "NavDis|Voice navigation off"
)

for entry in "${prompts[@]}"; do
    name="${entry%%|*}"
    text="${entry#*|}"
    espeak-ng -v en-us -s 170 -w "$out/$name.wav" "$text"
    echo "$out/$name.wav: $text"
done
