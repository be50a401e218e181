#!/usr/bin/env bash
# essai_racine_neuve.sh SUITE
# Runs the README's test command (./tester.sh, warnings as errors) from a clean clone of this repository's HEAD in a
# freshly bootstrapped Debian SUITE (bookworm: Debian 12, trixie: Debian 13), as on a newcomer's machine: nothing
# comes from this machine but the clone, and every package comes from the Debian archive.
#
# Needs root, debootstrap, git and access to the archive (MIROIR=... to choose a mirror). The bootstrapped base is
# kept in /var/cache/pesarine/racines/SUITE.tar and reused for a week (RACINE_NEUVE=1 bootstraps it again); each run
# unpacks it into a new folder of /var/tmp, removed at the end (GARDER=1 keeps it to look at).
set -euo pipefail

racine_depot=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
miroir=${MIROIR:-http://deb.debian.org/debian}
cache=/var/cache/pesarine/racines

echec() { echo "FAILED: $*" >&2; exit 1; }
etape() { printf '== %s (%s)\n' "$*" "$(date +%T)"; }

if [[ "${1:-}" != --dans-l-espace ]]; then
    (($# == 1)) || echec "usage: $0 bookworm|trixie"
    case $1 in bookworm | trixie) ;; *) echec "unknown suite $1 (bookworm or trixie)" ;; esac
    (($(id -u) == 0)) || echec "run as root (debootstrap, chroot, mounts)"
    for outil in debootstrap unshare chroot git; do
        command -v "$outil" >/dev/null || echec "$outil not found (apt-get install debootstrap util-linux git)"
    done
    # Private mount and process namespaces: the root's mounts, and every process started there, end with this
    # script whatever happens.
    exec unshare --mount --propagation private --pid --fork --mount-proc -- "$0" --dans-l-espace "$1"
fi
suite=$2
debut=$(date +%s)

# The base: debootstrap's minimal system, nothing more. Its tarball is written whole or not at all.
base=$cache/$suite.tar
if [[ -n "${RACINE_NEUVE:-}" || ! -f "$base" || -n "$(find "$base" -mtime +7)" ]]; then
    etape "Bootstrapping a minimal Debian $suite ($miroir)"
    mkdir -p "$cache"
    amorce=$(mktemp -d /var/tmp/pesarine-amorce.XXXXXX)
    debootstrap --variant=minbase "$suite" "$amorce" "$miroir" >"$amorce.journal" 2>&1 \
        || { tail -n 30 "$amorce.journal"; rm -rf --one-file-system "$amorce" "$amorce.journal"; echec "debootstrap"; }
    tar -C "$amorce" --numeric-owner -cf "$base.partiel" .
    mv "$base.partiel" "$base"
    rm -rf --one-file-system "$amorce" "$amorce.journal"
else
    etape "Minimal Debian $suite bootstrapped on $(date -r "$base" +%F), from $base"
fi

racine=$(mktemp -d "/var/tmp/pesarine-$suite.XXXXXX")
nettoyer() {
    umount -R -l "$racine/dev" "$racine/proc" "$racine/sys" 2>/dev/null || true
    if [[ -n "${GARDER:-}" ]]; then
        echo "Root kept: $racine"
    else
        rm -rf --one-file-system "$racine" || echo "Cannot remove $racine" >&2
    fi
}
trap nettoyer EXIT
tar -C "$racine" --numeric-owner -xf "$base"
chmod 755 "$racine" # apt downloads as its own user
securite=http://security.debian.org/debian-security
cat >"$racine/etc/apt/sources.list" <<EOF
deb $miroir $suite main
deb $miroir $suite-updates main
deb $securite $suite-security main
EOF
rm -f "$racine"/etc/apt/sources.list.d/*
cp /etc/resolv.conf "$racine/etc/resolv.conf"
mount --rbind /dev "$racine/dev"
mount -t tmpfs tmpfs "$racine/dev/shm"
mount -t proc proc "$racine/proc"
mount -t sysfs sysfs "$racine/sys"

# The committed tree only: what a newcomer clones.
git clone --quiet --no-local "$racine_depot" "$racine/root/main"
git -C "$racine/root/main" log -1 --format='Clone of %h: %s'

etape "./tester.sh in Debian $suite, warnings as errors"
statut=0
chroot "$racine" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME=/root TERM=dumb \
    DEBIAN_FRONTEND=noninteractive PESARINE_OPTIONS_CMAKE=-DPESARINE_ERREURS_AVERTISSEMENTS=ON \
    bash -c 'cd /root/main && . /etc/os-release && echo "$PRETTY_NAME" && ./tester.sh' || statut=$?
echo "Debian $suite: $(($(date +%s) - debut)) s in all"
((statut == 0)) || echec "./tester.sh failed in a fresh Debian $suite (status $statut)"
etape "Passed: the README's test command in a fresh Debian $suite"
