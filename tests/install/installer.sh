#!/usr/bin/env bash
# installer.sh CONSTRUCTION PREFIXE ATTENDUS IDENTIFIANT VERSION
# Installs the build into an empty prefix, checks that exactly the files of ATTENDUS are there and that the desktop
# entry, the metainfo and the icons point at one another, then starts the installed program on a private Xvfb.
set -euo pipefail

construction=$1 prefixe=$2 attendus=$3 identifiant=$4 version=$5

echec() { echo "ÉCHEC : $*" >&2; exit 1; }

rm -rf "$prefixe"
cmake --install "$construction" --prefix "$prefixe" >"$prefixe.journal" || { cat "$prefixe.journal"; echec "cmake --install"; }

if ! diff -u <(sort "$attendus") <(cd "$prefixe" && find . ! -type d | sed 's|^\./||' | sort); then
    echec "les fichiers installés (+) ne sont pas ceux attendus (-)"
fi

bureau="$prefixe/share/applications/$identifiant.desktop"
metainfo="$prefixe/share/metainfo/$identifiant.metainfo.xml"
# A key of the entry's main group, not of its actions.
cle() { sed -n "/^\[Desktop Entry\]/,/^\[Desktop Action/s/^$1=//p" "$bureau"; }

[[ -x "$prefixe/bin/$(cle Exec)" ]] || echec "Exec=$(cle Exec) n'est pas un exécutable installé dans bin/"
[[ "$(cle Icon)" == "$identifiant" ]] || echec "Icon=$(cle Icon) au lieu de $identifiant"
grep -q "<launchable type=\"desktop-id\">$identifiant.desktop</launchable>" "$metainfo" \
    || echec "le metainfo ne lance pas $identifiant.desktop"
grep -q "<binary>$(cle Exec)</binary>" "$metainfo" || echec "le metainfo ne fournit pas $(cle Exec)"
grep -q "<release version=\"$version\"" "$metainfo" || echec "le metainfo n'annonce pas la version $version"

# The width and the height are the big-endian words at bytes 16 and 20 of a PNG file.
for icone in "$prefixe"/share/icons/hicolor/*x*/apps/"$identifiant".png; do
    taille=$(basename "$(dirname "$(dirname "$icone")")")
    read -r l1 l2 l3 l4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$icone")
    reelle="$(((l1 << 24) + (l2 << 16) + (l3 << 8) + l4))x$(((h1 << 24) + (h2 << 16) + (h3 << 8) + h4))"
    [[ "$reelle" == "$taille" ]] || echec "$icone mesure $reelle au lieu de $taille"
done

# The installed program starts: its window is shown, and the installed desktop entry recognises it. A window is a
# sign of life that a loaded machine cannot fake nor miss, where "still running after a few seconds" could be both.
"$(dirname "$0")/fenetre_x11.sh" "$prefixe/bin/pesarine" "$bureau" || echec "le programme installé n'a pas ouvert sa fenêtre"
echo "Installation complète dans $prefixe ; le programme installé ouvre sa fenêtre."
