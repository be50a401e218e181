#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds the program in build/.
# Sourced by lancer.sh and tester.sh.
set -euo pipefail

racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
construction="$racine/build"

manquants=()
while read -r paquet; do
    [[ -z "$paquet" || "$paquet" == \#* ]] && continue
    dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "install ok installed" || manquants+=("$paquet")
done < "$racine/scripts/paquets.txt"

if ((${#manquants[@]})); then
    echo "Installation des paquets manquants : ${manquants[*]}"
    if [[ $(id -u) -eq 0 ]]; then
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${manquants[@]}"
    else
        sudo apt-get update
        sudo DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${manquants[@]}"
    fi
fi

# PESARINE_OPTIONS_CMAKE: more options for the configuration (continuous integration sets -D options there).
# shellcheck disable=SC2086
cmake -S "$racine" -B "$construction" -G Ninja ${PESARINE_OPTIONS_CMAKE:-}
cmake --build "$construction"
