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

debut_script=$(date +%s)
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
construction="$racine/build-windows"
taches=${PESARINE_TACHES:-2}

mode=installateur
case "${1:-}" in
    "") ;;
    --tests) mode=tests ;;
    --qt) mode=qt ;;
    *) echo "usage: $0 [--tests | --qt]" >&2; exit 2 ;;
esac

echec() { echo "FAILED: $*" >&2; exit 1; }
debut_etape=0
etape() {
    fin_etape
    printf '\n== %s (%s)\n' "$1" "$(date +%T)"
    nom_etape=$1
    debut_etape=$(date +%s)
}
fin_etape() {
    if ((debut_etape)); then
        echo "-- $nom_etape: $(($(date +%s) - debut_etape)) s"
    fi
    debut_etape=0
}
root=()
[[ $(id -u) -eq 0 ]] || root=(sudo)

etape "Debian packages"
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
        etape "qt6-base $version_debian_qt source (apt-get source)"
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

    etape "static Qt $version_qt for Windows: configuration ($qt)"
    local construction_qt="$cache/construction-qt-$version_qt-$empreinte"
    rm -rf "$construction_qt" "$qt"
    mkdir -p "$construction_qt" "$qt"
    # Qt records the toolchain file it was built with: a copy kept with it outlives the clone.
    cp "$chaine_mingw" "$qt/mingw-w64-x86_64.cmake"
    (cd "$construction_qt" && "$arbre/configure" -prefix "$qt" "${options_qt[@]}" -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >"$cache/qt-configuration.log" 2>&1 \
        || { tail -n 40 "$cache/qt-configuration.log"; echec "Qt configuration (log: $cache/qt-configuration.log)"; }

    etape "static Qt $version_qt for Windows: build (-j$taches, log: $cache/qt-construction.log)"
    nice -n 19 cmake --build "$construction_qt" --parallel "$taches" >"$cache/qt-construction.log" 2>&1 \
        || { tail -n 40 "$cache/qt-construction.log"; echec "Qt build (log: $cache/qt-construction.log)"; }
    cmake --install "$construction_qt" >"$cache/qt-installation.log" 2>&1 \
        || { tail -n 20 "$cache/qt-installation.log"; echec "Qt installation"; }
    rm -rf "$construction_qt"
    touch "$qt/.pesarine-complet"
}

# Two runs at once (continuous integration and a developer) build Qt once: the second waits for the first.
exec 8>"$cache/qt-windows.verrou"
flock 8
if [[ -f "$qt/.pesarine-complet" ]]; then
    echo "Qt for Windows already built: $qt"
else
    construire_qt
fi
flock -u 8
[[ "$mode" == qt ]] && { fin_etape; exit 0; }

# ---- La Pesarine for Windows ---------------------------------------------------------------------------------------

version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' "$racine/CMakeLists.txt" | head -n 1)
installateur="$construction/pesarine-$version-installation.exe"

etape "La Pesarine $version for Windows: configuration ($construction)"
mkdir -p "$construction"
options_cmake=()
# Continuous integration treats the compiler's warnings as errors, as on Linux.
[[ "$mode" == tests ]] && options_cmake+=(-DPESARINE_ERREURS_AVERTISSEMENTS=ON)
# Optimised as the Linux build is (-O2), without its debugging information: g++ 12 at -O3 warns wrongly of
# overlapping copies in std::string (-Wrestrict, GCC bug 105329).
cmake -S "$racine" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$racine/scripts/wine.sh" "${options_cmake[@]}" >"$construction/configuration.log" 2>&1 \
    || { cat "$construction/configuration.log"; echec "configuration of the Windows build"; }
tail -n 1 "$construction/configuration.log"

if [[ "$mode" == tests ]]; then
    etape "La Pesarine for Windows: build of the program, its tests and the installer (-j$taches)"
    nice cmake --build "$construction" --parallel "$taches"
else
    etape "La Pesarine for Windows: build of the program and the installer (-j$taches)"
fi
nice cmake --build "$construction" --parallel "$taches" --target installateur
[[ -f "$installateur" ]] || echec "$installateur is missing"
taille() { numfmt --to=iec --suffix=B "$(stat -c %s "$1")"; }
echo "Program: $construction/pesarine.exe ($(taille "$construction/pesarine.exe"), $(taille \
    "$construction/installateur/pesarine.exe") stripped)"
echo "Installer: $installateur ($(taille "$installateur"))"
if [[ "$mode" != tests ]]; then
    fin_etape
    exit 0
fi

# ---- Tests under Wine ----------------------------------------------------------------------------------------------

wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="

# A private X server for Wine's windows, ended with the script.
affichage=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$affichage" 2>/dev/null &
xvfb=$!
serveurs_wine=()
terminer() {
    local prefixe
    for prefixe in "${serveurs_wine[@]}"; do
        WINEPREFIX=$prefixe /usr/lib/wine/wineserver -k 2>/dev/null || true
    done
    kill "$xvfb" 2>/dev/null || true
    rm -f "$affichage"
}
trap terminer EXIT
for _ in $(seq 100); do
    [[ -s "$affichage" ]] && break
    sleep 0.1
done
[[ -s "$affichage" ]] || echec "Xvfb did not start"
export DISPLAY=":$(cat "$affichage")"

# Waits up to $2 seconds for a mapped window whose title matches $1; prints its id.
attendre_fenetre() {
    local fin=$((SECONDS + $2)) id
    while ((SECONDS < fin)); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        sleep 0.02
    done
    return 1
}

etape "tests under Wine (prefix $construction/wine)"
export WINEPREFIX="$construction/wine"
serveurs_wine+=("$WINEPREFIX")
statut=0
ctest --test-dir "$construction" --output-on-failure -j "$taches" || statut=$?
((statut == 0)) || echec "tests failed under Wine"

etape "start-up under Wine, from the launch to the window mapped, beside a bare window"
# One start of each first, for Wine's own start-up in this prefix; then five of each, alternating.
mesurer() {
    local programme=$1 titre=$2 debut fin pid
    debut=$(date +%s%N)
    "$racine/scripts/wine.sh" "$programme" >/dev/null 2>&1 &
    pid=$!
    attendre_fenetre "$titre" 30 >/dev/null || { kill "$pid"; echec "no window \"$titre\""; }
    fin=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo $(((fin - debut) / 1000000))
}
mediane() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
programme="$construction/pesarine.exe"
nue="$construction/bench_fenetre_nue.exe"
mesurer "$programme" '^La Pesarine' >/dev/null
mesurer "$nue" '^Fenêtre nue' >/dev/null
temps_programme=()
temps_nue=()
for _ in 1 2 3 4 5; do
    temps_programme+=("$(mesurer "$programme" '^La Pesarine')")
    temps_nue+=("$(mesurer "$nue" '^Fenêtre nue')")
done
m_programme=$(mediane "${temps_programme[@]}")
m_nue=$(mediane "${temps_nue[@]}")
echo "La Pesarine: ${m_programme} ms (median of ${temps_programme[*]})"
echo "bare window: ${m_nue} ms (median of ${temps_nue[*]})"
echo "ratio: $(awk -v a="$m_programme" -v b="$m_nue" 'BEGIN { printf "%.2f", a / b }')"
echo "pesarine.exe: $(taille "$programme"), $(taille "$construction/installateur/pesarine.exe") stripped"

etape "installer under Wine: silent install into a fresh prefix, start, silent uninstall"
export WINEPREFIX="$construction/wine-installation"
rm -rf "$WINEPREFIX"
serveurs_wine+=("$WINEPREFIX")
"$wine" wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w
dossier="$WINEPREFIX/drive_c/Program Files/La Pesarine"
raccourci="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/La Pesarine.lnk"
cle='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.example.Pesarine'
"$wine" "$installateur" /S || echec "the installer failed ($?)"
/usr/lib/wine/wineserver -w
for fichier in "$dossier/pesarine.exe" "$dossier/COPYING.txt" "$dossier/desinstaller.exe" "$raccourci"; do
    [[ -f "$fichier" ]] || echec "installed, but ${fichier#"$WINEPREFIX/"} is missing"
    echo "  ${fichier#"$WINEPREFIX/"}"
done
# What "Programs and Features" shows, and what deployment tools run to uninstall.
# Exported as a .reg file (UTF-16): "reg query" would write the console's code page.
"$wine" reg export "$cle" "Z:$construction/inscription.reg" /y >/dev/null 2>&1 || echec "no key $cle"
inscription=$(iconv -f UTF-16 -t UTF-8 "$construction/inscription.reg" | tr -d '\r')
valeur() {
    sed -n "s/^\"$1\"=\"\(.*\)\"\$/\1/p" <<<"$inscription" | sed -e 's/\\"/"/g' -e 's/\\\\/\\/g'
}
attendu() {
    [[ "$(valeur "$1")" == "$2" ]] || echec "$1 is \"$(valeur "$1")\", expected \"$2\""
    echo "  $1 = $2"
}
attendu DisplayName "La Pesarine"
attendu DisplayVersion "$version"
attendu Publisher "Hortense Bauzière"
attendu DisplayIcon 'C:\Program Files\La Pesarine\pesarine.exe,0'
attendu UninstallString '"C:\Program Files\La Pesarine\desinstaller.exe"'
attendu QuietUninstallString '"C:\Program Files\La Pesarine\desinstaller.exe" /S'
"$wine" "C:\\Program Files\\La Pesarine\\pesarine.exe" >/dev/null 2>&1 &
pid=$!
attendre_fenetre '^La Pesarine' 60 >/dev/null || echec "the installed program did not open its window"
echo "  the installed program opened its window"
kill "$pid"
wait "$pid" 2>/dev/null || true
# What a deployment tool runs: the quoted program of QuietUninstallString, with its arguments.
desinstallation=$(valeur QuietUninstallString)
[[ "$desinstallation" =~ ^\"([^\"]+)\"\ (.*)$ ]] || echec "QuietUninstallString: $desinstallation"
# shellcheck disable=SC2086 # the arguments, split as Windows would
"$wine" "${BASH_REMATCH[1]}" ${BASH_REMATCH[2]} || echec "the uninstaller failed"
/usr/lib/wine/wineserver -w
[[ ! -e "$dossier" ]] || echec "uninstalled, but ${dossier#"$WINEPREFIX/"} is left: $(ls "$dossier")"
[[ ! -e "$raccourci" ]] || echec "uninstalled, but the Start-menu entry is left"
"$wine" reg query "$cle" >/dev/null 2>&1 && echec "uninstalled, but the key $cle is left"
echo "  uninstalled: the folder, the Start-menu entry and the uninstall key are gone"
fin_etape
echo "Passed, in $(($(date +%s) - debut_script)) s."
