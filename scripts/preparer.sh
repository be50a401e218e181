#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds the program in build/.
# Sourced by lancer.sh and tester.sh.
set -euo pipefail

racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
construction="$racine/build"

# The caller names the package lists it needs in listes_paquets: building and running the program
# (paquets), and running the tests (paquets-tests).
"$racine/scripts/installer_paquets.sh" "${listes_paquets[@]:-paquets}"

# PESARINE_OPTIONS_CMAKE: more options for the configuration (continuous integration sets -D options there).
# shellcheck disable=SC2086
cmake -S "$racine" -B "$construction" -G Ninja ${PESARINE_OPTIONS_CMAKE:-}
cmake --build "$construction"
