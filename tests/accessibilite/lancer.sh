#!/usr/bin/env bash
# lancer.sh PROGRAMME SCRIPT.py, inside dbus-run-session and xvfb-run: starts the accessibility bus
# and its registry, then the program, then the script that reads it as a screen reader does.
set -euo pipefail
programme=$1 script=$2
echec() { echo "ÉCHEC : $*" >&2; exit 1; }
[[ -x /usr/libexec/at-spi-bus-launcher ]] || echec "at-spi2-core manque (scripts/paquets-tests.txt)"

pids=()
fin() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap fin EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 </dev/null &
pids+=($!)
for _ in $(seq 100); do
    adresse=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        2>/dev/null | tr -d ' ') && [[ -n "$adresse" ]] && break
    sleep 0.05
done
[[ -n "${adresse:-}" ]] || echec "le bus d'accessibilité ne répond pas"
/usr/libexec/at-spi2-registryd >/dev/null 2>&1 </dev/null &
pids+=($!)
sleep 0.5

# Without a screen reader running, the toolkit publishes nothing unless asked to.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$programme" &
pids+=($!)
/usr/bin/python3 "$script"
