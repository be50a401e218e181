#!/usr/bin/env bash
# Builds La Pesarine (installing what is missing) and runs every test; no display is needed.
set -euo pipefail
listes_paquets=(paquets paquets-tests)
source "$(dirname "$0")/scripts/preparer.sh"
ctest --test-dir "$construction" --output-on-failure -j "$(nproc)"
