#!/usr/bin/env bash
# valider_bureau.sh FICHIER.desktop
# desktop-file-validate only prints what it finds, hints included, and exits 0 on hints: any output fails here.
set -euo pipefail

if ! command -v desktop-file-validate >/dev/null; then
    echo "desktop-file-validate introuvable : installez desktop-file-utils (scripts/paquets-tests.txt)." >&2
    exit 1
fi
[[ -f "$1" ]] || { echo "$1 introuvable." >&2; exit 1; }

statut=0
sortie=$(desktop-file-validate "$1" 2>&1) || statut=$?
if ((statut != 0)) || [[ -n "$sortie" ]]; then
    echo "$sortie"
    echo "desktop-file-validate refuse $1 (code $statut)." >&2
    exit 1
fi
echo "$1 : valide."
