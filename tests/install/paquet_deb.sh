#!/usr/bin/env bash
# paquet_deb.sh CONSTRUCTION SORTIE ATTENDUS VERSION
# Builds the Debian package with CPack and checks its fields, its dependencies and its contents.
set -euo pipefail

construction=$1 sortie=$2 attendus=$3 version=$4

echec() { echo "ÉCHEC : $*" >&2; exit 1; }

for outil in cpack dpkg-deb dpkg-shlibdeps file; do
    command -v "$outil" >/dev/null || echec "$outil introuvable (scripts/paquets.txt : dpkg-dev, file)"
done

rm -rf "$sortie"
cpack --config "$construction/CPackConfig.cmake" -G DEB -B "$sortie" >"$sortie.journal" 2>&1 \
    || { cat "$sortie.journal"; echec "cpack -G DEB"; }
paquets=("$sortie"/*.deb)
((${#paquets[@]} == 1)) && [[ -f "${paquets[0]}" ]] || echec "cpack n'a pas produit un seul .deb dans $sortie"
deb=${paquets[0]}
dpkg-deb -I "$deb"

[[ "$(dpkg-deb -f "$deb" Package)" == pesarine ]] || echec "le paquet ne s'appelle pas pesarine"
[[ "$(dpkg-deb -f "$deb" Version)" == "$version-1" ]] || echec "version $(dpkg-deb -f "$deb" Version) au lieu de $version-1"
[[ -n "$(dpkg-deb -f "$deb" Maintainer)" ]] || echec "pas de Maintainer"

dependances=$(dpkg-deb -f "$deb" Depends)
# libqt6widgets6 comes from dpkg-shlibdeps; the others are loaded at run time and must be declared.
for requis in libqt6widgets6 libc6 qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core; do
    grep -Eq "(^|, )$requis( |,|$)" <<<"$dependances" || echec "Depends ne contient pas $requis : $dependances"
done

contenu=$(dpkg-deb -c "$deb")
if grep -v '^[-d][rwx-]\{9\} root/root ' <<<"$contenu"; then
    echec "des fichiers ne sont pas à root/root, ou ne sont ni fichiers ni dossiers"
fi
if ! diff -u <(sed 's|^|./usr/|' "$attendus" | sort) <(awk '$1 !~ /^d/ { print $6 }' <<<"$contenu" | sort); then
    echec "le contenu du paquet (+) n'est pas celui attendu (-)"
fi
echo "$deb : conforme."
