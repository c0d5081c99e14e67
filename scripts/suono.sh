#!/usr/bin/env bash
# Starts or stops a private PulseAudio server with a null sink, for the tests that
# play sound and move the mixer for real.
set -uo pipefail
: "${XDG_RUNTIME_DIR:?XDG_RUNTIME_DIR must be set}"
case "${1:-}" in
  avvia)
    pulseaudio --kill >/dev/null 2>&1 || true
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
      --load="module-null-sink sink_name=nullsink" --load=module-native-protocol-unix \
      --log-target=file:"$XDG_RUNTIME_DIR/pa.log" >/dev/null 2>&1 || true
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && exit 0; sleep 0.1; done
    echo "attenzione: il server audio di prova non è partito" >&2
    ;;
  ferma)
    pulseaudio --kill >/dev/null 2>&1 || true
    ;;
  *) echo "uso: $0 avvia|ferma" >&2; exit 2 ;;
esac
