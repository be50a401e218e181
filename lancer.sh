#!/usr/bin/env bash
# Builds La Pesarine (installing what is missing) and runs it.
set -euo pipefail

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "Pas d'écran graphique : lancez ./lancer.sh depuis le bureau, ou sans écran avec « xvfb-run ./lancer.sh »." >&2
    exit 1
fi
source "$(dirname "$0")/scripts/preparer.sh"
exec "$construction/app/pesarine"
