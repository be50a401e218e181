#!/usr/bin/env bash
# paquet_deb.sh CONSTRUCTION SORTIE ATTENDUS VERSION
# Builds the Debian package with CPack and checks its fields, its dependencies and its contents.
set -euo pipefail

construction=$1 sortie=$2 attendus=$3 version=$4

echec() { echo "ÉCHEC : $*" >&2; exit 1; }

for outil in cpack dpkg-deb dpkg-shlibdeps dpkg-parsechangelog file readelf; do
    command -v "$outil" >/dev/null || echec "$outil introuvable (scripts/paquets.txt : dpkg-dev, file, g++)"
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

extrait="$sortie/extrait"
dpkg-deb -x "$deb" "$extrait"

# The program as Debian builds its own: position-independent, relocations read-only and bound at start, a stack
# protector, and stripped of the compiler's notes.
programme="$extrait/usr/bin/pesarine"
elf=$(readelf -hlSdW --dyn-syms "$programme")
grep -Eq '^ *Type: +DYN' <<<"$elf" || echec "le programme n'est pas un exécutable indépendant de sa position (PIE)"
grep -q 'GNU_RELRO' <<<"$elf" || echec "le programme n'a pas de relocations en lecture seule (RELRO)"
grep -Eq '\(FLAGS\) +BIND_NOW|\(FLAGS_1\) +Flags:.* NOW' <<<"$elf" || echec "le programme n'est pas lié avec -z now"
grep -q ' __stack_chk_fail' <<<"$elf" || echec "le programme n'a pas de protection de la pile"
if grep -Eo '\] \.(comment|note|symtab|debug_[a-z]+) ' <<<"$elf"; then
    echec "le programme garde des sections inutiles"
fi

# The package's changelog is the repository's, and its newest entry is this package.
zcat "$extrait/usr/share/doc/pesarine/changelog.Debian.gz" >"$sortie/changelog"
[[ "$(dpkg-parsechangelog -l "$sortie/changelog" -S Version)" == "$version-1" ]] \
    || echec "le changelog.Debian.gz ne commence pas par la version $version-1"
[[ "$(head -n1 "$extrait/usr/share/doc/pesarine/copyright")" \
    == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] \
    || echec "le fichier copyright n'est pas au format lisible par les machines de Debian"

echo "$deb : conforme."
