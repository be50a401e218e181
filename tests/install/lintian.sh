#!/usr/bin/env bash
# lintian.sh DOSSIER
# Runs lintian, Debian's package checker, on the one .deb in DOSSIER with every tag shown, pedantic and
# informational ones included: any tag fails. A tag the package keeps on purpose is overridden, with the reason, in
# data/debian/lintian-overrides, which the package carries.
set -euo pipefail

dossier=$1

echec() { echo "ÉCHEC : $*" >&2; exit 1; }

command -v lintian >/dev/null || echec "lintian introuvable : installez lintian (scripts/paquets-tests.txt)"
paquets=("$dossier"/*.deb)
((${#paquets[@]} == 1)) && [[ -f "${paquets[0]}" ]] || echec "pas un seul .deb dans $dossier"

statut=0
sortie=$(lintian --pedantic --display-info --display-experimental --color never --fail-on none "${paquets[0]}" 2>&1) \
    || statut=$?
echo "$sortie"
((statut == 0)) || echec "lintian s'est arrêté avec le code $statut"
if grep -q '^[EWIPX]: ' <<<"$sortie"; then
    echec "lintian trouve à redire au paquet"
fi
echo "${paquets[0]} : lintian ne trouve rien à redire."
