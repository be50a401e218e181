#!/usr/bin/env bash
# windows.sh [--tests | --qt]
# Builds La Pesarine for 64-bit Windows on Debian 12, and its installer build-windows/pesarine-VERSION-installation.exe.
#   1. installs what is missing (scripts/paquets-windows.txt): mingw-w64, Wine, NSIS...;
#   2. builds a static Qt for Windows from Debian's own qt6-base source (apt-get source), once: it is kept in a cache
#      outside the clone (/var/cache/pesarine, or ~/.cache/pesarine for a user who cannot write there), in a folder
#      named by the Qt version and a hash of the options below, and reused while they match (about 30 min on two
#      cores the first time);
#   3. cross-builds the program and its tests into build-windows/, and makes the installer.
# --tests then runs, under 64-bit Wine on a private Xvfb: the cross-built tests, a check of the real window, and the
# installer's silent install and uninstall. --qt stops after the Qt build.
# PESARINE_CACHE=FOLDER chooses the cache; PESARINE_TACHES=N the number of parallel jobs (2 at most by default).
set -euo pipefail

racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
construction="$racine/build-windows"
taches=${PESARINE_TACHES:-2}

mode=installateur
case "${1:-}" in
    "") ;;
    --tests) mode=tests ;;
    --qt) mode=qt ;;
    *) echo "usage : $0 [--tests | --qt]" >&2; exit 2 ;;
esac

echec() { echo "ÉCHEC : $*" >&2; exit 1; }
debut_etape=0
etape() {
    fin_etape
    printf '\n== %s (%s)\n' "$1" "$(date +%T)"
    nom_etape=$1
    debut_etape=$(date +%s)
}
fin_etape() {
    if ((debut_etape)); then
        echo "-- $nom_etape : $(($(date +%s) - debut_etape)) s"
    fi
    debut_etape=0
}
root=()
[[ $(id -u) -eq 0 ]] || root=(sudo)

etape "Paquets Debian"
"$racine/scripts/installer_paquets.sh" paquets-windows

# ---- Qt for Windows ------------------------------------------------------------------------------------------------

# Qt's source is the one of the Qt installed here, whose tools (moc, rcc, uic...) serve the cross-build.
version_debian_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
version_qt=${version_debian_qt%%+*}
version_qt=${version_qt%%-*}

# Static and release; only what the program and its tests use (Core, Gui, Widgets, Test, the windows and offscreen
# platforms); the libraries Windows lacks taken from Qt's own copies. Debian's source has no wintab headers, hence no
# tablet events (the program has no use for a pen).
options_qt=(
    -static -release
    -nomake tests -nomake examples
    -no-opengl -no-feature-vulkan -no-dbus
    -no-feature-sql -no-feature-network -no-feature-xml -no-feature-printsupport
    -no-feature-tabletevent
    -no-feature-direct2d1_1
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -no-libjpeg
)
chaine_mingw="$racine/cmake/mingw-w64-x86_64.cmake"
version_mingw=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)

if [[ -n "${PESARINE_CACHE:-}" ]]; then
    cache=$PESARINE_CACHE
elif mkdir -p /var/cache/pesarine 2>/dev/null && [[ -w /var/cache/pesarine ]]; then
    cache=/var/cache/pesarine
else
    cache="${XDG_CACHE_HOME:-$HOME/.cache}/pesarine"
fi
mkdir -p "$cache"
empreinte=$( { echo "$version_debian_qt $version_mingw"; printf '%s\n' "${options_qt[@]}"; cat "$chaine_mingw"; } \
    | sha256sum | cut -c1-12)
qt="$cache/qt-windows-$version_qt-$empreinte"

construire_qt() {
    local sources="$cache/sources" arbre
    mkdir -p "$sources"
    arbre="$sources/qt6-base-${version_debian_qt%-*}"
    if [[ ! -f "$arbre/.pesarine-complet" ]]; then
        etape "Source de qt6-base $version_debian_qt (apt-get source)"
        if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base$'; then
            # No deb-src entry: a copy of the machine's Debian entries, for sources.
            if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
                sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
                    | "${root[@]}" tee /etc/apt/sources.list.d/pesarine-deb-src.sources >/dev/null
            fi
            if [[ -f /etc/apt/sources.list ]] && grep -q '^deb ' /etc/apt/sources.list; then
                sed -n 's/^deb /deb-src /p' /etc/apt/sources.list \
                    | "${root[@]}" tee /etc/apt/sources.list.d/pesarine-deb-src.list >/dev/null
            fi
            "${root[@]}" apt-get update -q
        fi
        rm -rf "$arbre"
        (cd "$sources" && apt-get source -q --only-source "qt6-base=$version_debian_qt")
        touch "$arbre/.pesarine-complet"
    fi

    etape "Qt $version_qt pour Windows, statique : configuration ($qt)"
    local construction_qt="$cache/construction-qt-$version_qt-$empreinte"
    rm -rf "$construction_qt" "$qt"
    mkdir -p "$construction_qt" "$qt"
    # Qt records the toolchain file it was built with: a copy kept with it outlives the clone.
    cp "$chaine_mingw" "$qt/mingw-w64-x86_64.cmake"
    (cd "$construction_qt" && "$arbre/configure" -prefix "$qt" "${options_qt[@]}" -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >"$cache/qt-configuration.log" 2>&1 \
        || { tail -n 40 "$cache/qt-configuration.log"; echec "configuration de Qt (journal : $cache/qt-configuration.log)"; }

    etape "Qt $version_qt pour Windows : construction (-j$taches, journal : $cache/qt-construction.log)"
    nice -n 19 cmake --build "$construction_qt" --parallel "$taches" >"$cache/qt-construction.log" 2>&1 \
        || { tail -n 40 "$cache/qt-construction.log"; echec "construction de Qt (journal : $cache/qt-construction.log)"; }
    cmake --install "$construction_qt" >"$cache/qt-installation.log" 2>&1 \
        || { tail -n 20 "$cache/qt-installation.log"; echec "installation de Qt"; }
    rm -rf "$construction_qt"
    touch "$qt/.pesarine-complet"
}

if [[ -f "$qt/.pesarine-complet" ]]; then
    echo "Qt pour Windows déjà construit : $qt"
else
    construire_qt
fi
[[ "$mode" == qt ]] && { fin_etape; exit 0; }
