#!/usr/bin/env bash
# fenetre_x11.sh PROGRAMME FICHIER.desktop, on an X display (xvfb-run).
# Waits for the program's window to be shown, then checks that a desktop can match it with its desktop entry: on X11
# the toolkit does not publish the desktop file's name, so the entry's StartupWMClass must be the window's instance.
set -euo pipefail

programme=$1 bureau=$2

echec() { echo "ÉCHEC : $*" >&2; exit 1; }

for outil in xwininfo xprop; do
    command -v "$outil" >/dev/null || echec "$outil introuvable : installez x11-utils (scripts/paquets.txt)"
done
[[ -n "${DISPLAY:-}" ]] || echec "pas d'écran X : lancez ce test sous xvfb-run"

QT_QPA_PLATFORM=xcb "$programme" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# No window manager runs here, so the program's windows are children of the root window.
fenetre=
for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        statut=0
        wait "$pid" || statut=$?
        echec "le programme s'est arrêté avec le code $statut avant d'ouvrir sa fenêtre"
    fi
    for id in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        if xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$" \
            && xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
            fenetre=$id
        fi
    done
    [[ -n "$fenetre" ]] && break
    sleep 0.1
done
[[ -n "$fenetre" ]] || echec "aucune fenêtre du programme n'est apparue en 10 s"
xwininfo -id "$fenetre" | sed -n 's/^xwininfo: //p'

classe=$(xprop -id "$fenetre" WM_CLASS)
echo "$classe"
instance=$(sed -n 's/^WM_CLASS(STRING) = "\([^"]*\)".*/\1/p' <<<"$classe")
attendue=$(sed -n 's/^StartupWMClass=//p' "$bureau")
[[ -n "$instance" && "$instance" == "$attendue" ]] \
    || echec "la fenêtre a la classe « $instance », l'entrée de bureau attend StartupWMClass=$attendue"

echo "Fenêtre $fenetre ouverte, de la classe que l'entrée de bureau attend."
