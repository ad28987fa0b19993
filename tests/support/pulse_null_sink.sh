#!/usr/bin/env bash
# The sound card of the wave-player tests: a PulseAudio daemon with one null sink under the runtime folder
# the tests are given (XDG_RUNTIME_DIR). `start` returns once a client can connect; `stop` ends that daemon.
set -euo pipefail

action="$1"
: "${XDG_RUNTIME_DIR:?XDG_RUNTIME_DIR must name the test runtime folder}"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"

reachable() { pactl info >/dev/null 2>&1; }

case "$action" in
    start)
        command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed (./velm test installs it)"; exit 1; }
        reachable && exit 0
        pulseaudio -D --exit-idle-time=-1 -n --disallow-exit --no-cpu-limit \
            --load=module-null-sink --load=module-native-protocol-unix
        for _ in $(seq 100); do
            reachable && exit 0
            sleep 0.05
        done
        echo "the PulseAudio daemon did not become reachable"
        exit 1
        ;;
    stop)
        pulseaudio --kill 2>/dev/null || true
        ;;
esac
