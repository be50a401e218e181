#!/usr/bin/env bash
# essai_debian_neuf.sh [PAQUET.deb]
# Installs the Debian package (by default the one ./paquet.sh left in build/) on a freshly bootstrapped Debian 12,
# as a school's machine would get it, then checks that its files are where the desktop looks for them and that the
# program opens its window there, under Xvfb, as an ordinary user.
# Needs root, debootstrap and access to the Debian archive (MIROIR=... to choose a mirror); takes a few minutes and
# about 1.5 GB in /var/tmp, removed at the end (GARDER=1 keeps the root to look at it).
set -euo pipefail

racine_depot=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
miroir=${MIROIR:-http://deb.debian.org/debian}
identifiant=org.example.Pesarine

echec() { echo "ÉCHEC : $*" >&2; exit 1; }
etape() { echo "== $*"; }

if [[ "${1:-}" != --dans-l-espace ]]; then
    (($(id -u) == 0)) || echec "à lancer en root (debootstrap, chroot, montages)"
    for outil in debootstrap unshare chroot; do
        command -v "$outil" >/dev/null || echec "$outil introuvable (apt-get install debootstrap util-linux)"
    done
    if (($# > 0)); then
        paquet=$(realpath "$1")
    else
        paquets=("$racine_depot"/build/pesarine_*.deb)
        [[ -f "${paquets[0]}" ]] || echec "pas de paquet dans build/ : lancez d'abord ./paquet.sh, ou donnez le .deb"
        paquet=${paquets[0]}
    fi
    [[ -f "$paquet" ]] || echec "$paquet introuvable"
    # Private mount and process namespaces: the mounts made for the new root, and every process started there,
    # end with this script whatever happens.
    exec unshare --mount --propagation private --pid --fork --mount-proc -- "$0" --dans-l-espace "$paquet"
fi
paquet=$2

racine=$(mktemp -d /var/tmp/pesarine-debian12.XXXXXX)
chmod 755 "$racine" # apt downloads as its own user
# Detached at once even if a program started in the root (an accessibility bus, say) still holds them: every process
# of this namespace ends with the script anyway.
nettoyer() {
    umount -R -l "$racine/dev" "$racine/proc" "$racine/sys" 2>/dev/null || true
    if [[ -n "${GARDER:-}" ]]; then
        echo "Racine gardée : $racine"
    else
        rm -rf --one-file-system "$racine" || echo "Ne peut retirer $racine" >&2
        rm -f "$racine.deb"
    fi
}
trap nettoyer EXIT
# The package as it is now: a build during the bootstrap may replace it.
cp "$paquet" "$racine.deb"
paquet="$racine.deb"

etape "Debian 12 minimale dans $racine ($miroir)"
debootstrap --variant=minbase bookworm "$racine" "$miroir" >"$racine.journal" 2>&1 \
    || { tail -n 30 "$racine.journal"; echec "debootstrap"; }
rm -f "$racine.journal"
cat >"$racine/etc/apt/sources.list" <<EOF
deb $miroir bookworm main
deb $miroir bookworm-updates main
deb http://security.debian.org/debian-security bookworm-security main
EOF
mount --rbind /dev "$racine/dev"
mount -t proc proc "$racine/proc"
mount -t sysfs sysfs "$racine/sys"
cp /etc/resolv.conf "$racine/etc/resolv.conf"

dedans() { chroot "$racine" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

etape "Installation du paquet avec apt-get, comme sur un poste d'école"
cp "$paquet" "$racine/tmp/pesarine.deb"
dedans apt-get update -q
installes() { dedans dpkg-query -W -f='${Status}\n' | grep -c 'install ok installed'; }
avant=$(installes)
dedans apt-get install -y -q /tmp/pesarine.deb | tail -n 3
dedans dpkg-query -W -f='${Status} ${Version}\n' pesarine | grep -q '^install ok installed ' \
    || echec "pesarine n'est pas installé"
echo "Le paquet a fait installer $(($(installes) - avant)) paquets, lui compris ; $(du -sh --exclude=proc --exclude=sys --exclude=dev "$racine" | cut -f1) en tout."

etape "Les fichiers là où le bureau les cherche"
bureau=/usr/share/applications/$identifiant.desktop
for fichier in /usr/bin/pesarine "$bureau" "/usr/share/metainfo/$identifiant.metainfo.xml" \
    /usr/share/icons/hicolor/{32x32,48x48,256x256}/apps/$identifiant.png \
    "/usr/share/icons/hicolor/scalable/apps/$identifiant.svg" /usr/share/man/man6/pesarine.6.gz \
    /usr/share/doc/pesarine/copyright /usr/share/doc/pesarine/changelog.Debian.gz; do
    [[ -f "$racine$fichier" ]] || echec "$fichier manque"
    echo "  $fichier"
done
executable=$(sed -n 's/^Exec=//p' "$racine$bureau")
[[ "$(dedans sh -c "command -v '$executable'")" == /usr/bin/pesarine ]] \
    || echec "Exec=$executable ne se trouve pas dans le PATH"
icone=$(sed -n 's/^Icon=//p' "$racine$bureau")
[[ -f "$racine/usr/share/icons/hicolor/48x48/apps/$icone.png" ]] || echec "Icon=$icone n'est pas dans le thème hicolor"

etape "Le programme ouvre sa fenêtre, lancé par un élève"
dedans apt-get install -y -q --no-install-recommends xvfb xauth x11-utils | tail -n 1
dedans useradd --create-home eleve
cp "$racine_depot/tests/install/fenetre_x11.sh" "$racine/tmp/"
chmod 755 "$racine/tmp/fenetre_x11.sh"
dedans runuser -u eleve -- env HOME=/home/eleve xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -noreset" \
    /tmp/fenetre_x11.sh /usr/bin/pesarine "$bureau" || echec "la fenêtre ne s'est pas ouverte"

etape "Réussi : le paquet s'installe sur une Debian 12 neuve et le programme y démarre."
