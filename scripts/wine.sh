#!/usr/bin/env bash
# wine.sh PROGRAMME.exe [ARGUMENTS...]
# Runs a Windows program under Debian's 64-bit Wine, in a Wine prefix of the project's own (WINEPREFIX, by default
# build-windows/wine, made at the first run), and returns its exit status. CTest starts the cross-built tests
# through it (CMAKE_CROSSCOMPILING_EMULATOR).
#   - Wine hands no QT_* variable to a program unless it is named WINEQT_*: each one set here is passed on so.
#   - A Windows program without a console sends the toolkit's messages and Qt Test's log to the debugger, which
#     nobody reads here: QT_FORCE_STDERR_LOGGING keeps them on the standard streams.
#   - Qt's offscreen platform on Windows reads its fonts from a folder (QT_QPA_FONTDIR), not from fontconfig: it is
#     given the DejaVu faces that fontconfig gives the Linux tests.
set -euo pipefail

racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine=/usr/lib/wine/wine64
[[ -x "$wine" ]] || { echo "wine.sh: $wine is missing (apt-get install wine64)" >&2; exit 127; }

export WINEPREFIX=${WINEPREFIX:-$racine/build-windows/wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# Neither .NET nor the HTML engine: Wine would offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export QT_FORCE_STDERR_LOGGING=1
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-Z:/usr/share/fonts/truetype/dejavu}
while IFS= read -r variable; do
    export "WINE$variable=${!variable}"
done < <(compgen -e | grep '^QT_' || true)

# The first program to run makes the prefix; those started meanwhile (tests run in parallel) wait for it.
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
            "$wine" wineboot --init >/dev/null 2>&1
            /usr/lib/wine/wineserver -w
        fi
    ) 9>"$WINEPREFIX.verrou"
fi

exec "$wine" "$@"
