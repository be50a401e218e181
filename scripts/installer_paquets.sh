#!/usr/bin/env bash
# installer_paquets.sh LISTE...
# Installs the Debian packages of the given lists (scripts/LISTE.txt, one package a line) that are missing:
# apt-get update, then apt-get install, as root or through sudo.
set -euo pipefail

dossier=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

manquants=()
for liste in "$@"; do
    while read -r paquet; do
        [[ -z "$paquet" || "$paquet" == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "install ok installed" || manquants+=("$paquet")
    done < "$dossier/$liste.txt"
done

if ((${#manquants[@]})); then
    echo "Installation des paquets manquants : ${manquants[*]}"
    root=()
    [[ $(id -u) -eq 0 ]] || root=(sudo)
    # Another apt-get (an update of the machine, another build) may hold the lock: wait for it.
    "${root[@]}" apt-get -o DPkg::Lock::Timeout=900 update
    "${root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y \
        --no-install-recommends "${manquants[@]}"
fi
