#!/usr/bin/env bash
# avec_openbox.sh PROGRAMME, inside xvfb-run: runs a test program under Debian's openbox window manager,
# which hands the keyboard from window to window as a desktop does.
set -euo pipefail
command -v openbox >/dev/null || { echo "ÉCHEC : openbox manque (scripts/paquets-tests.txt)" >&2; exit 1; }
openbox --sm-disable >/dev/null 2>&1 </dev/null &
gestionnaire=$!
trap 'kill $gestionnaire 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "ÉCHEC : openbox ne démarre pas" >&2; exit 1; }
"$@"
