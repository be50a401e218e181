#!/usr/bin/env bash
# valider_metainfo.sh FICHIER.metainfo.xml
# An error or a warning fails; infos pass (the home page is plain http).
set -euo pipefail

if ! command -v appstreamcli >/dev/null; then
    echo "appstreamcli introuvable : installez appstream (scripts/paquets-tests.txt)." >&2
    exit 1
fi
[[ -f "$1" ]] || { echo "$1 introuvable." >&2; exit 1; }

statut=0
sortie=$(appstreamcli validate --no-net --explain "$1" 2>&1) || statut=$?
echo "$sortie"
if ((statut != 0)) || grep -q '^[EW]: ' <<<"$sortie"; then
    echo "appstreamcli refuse $1 (code $statut)." >&2
    exit 1
fi
