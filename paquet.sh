#!/usr/bin/env bash
# Builds La Pesarine (installing what is missing) and its Debian package in build/; with --installer, installs it.
set -euo pipefail

installer=false
case "${1:-}" in
    "") ;;
    --installer) installer=true ;;
    *)
        echo "Usage : ./paquet.sh [--installer]" >&2
        exit 2
        ;;
esac

# CPack reads the libraries the program needs with dpkg-shlibdeps (dpkg-dev) and file.
listes_paquets=(paquets paquets-tests)
source "$(dirname "$0")/scripts/preparer.sh"

rm -f "$construction"/pesarine_*.deb
(cd "$construction" && cpack -G DEB)
paquet=$(echo "$construction"/pesarine_*.deb)
echo "Paquet : $paquet"

if ! $installer; then
    echo "Pour l'installer : sudo apt-get install $paquet"
elif [[ $(id -u) -eq 0 ]]; then
    apt-get install -y "$paquet"
else
    sudo apt-get install -y "$paquet"
fi
