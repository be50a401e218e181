#!/usr/bin/env bash
# fenetre_x11.sh PROGRAMME FICHIER.desktop
# Waits for the program's window to be shown on X, then checks that a desktop can match it with its desktop entry:
# on X11 the toolkit does not publish the desktop file's name, so the entry's StartupWMClass must be the window's
# instance. Without DISPLAY it starts its own Xvfb on a free display, so that tests run side by side never share or
# race for one.
set -euo pipefail

programme=$1 bureau=$2

echec() { echo "ÉCHEC : $*" >&2; exit 1; }

# A loaded machine may take long to start a program; a window that never comes still fails within this limit.
delai=60

for outil in xwininfo xprop; do
    command -v "$outil" >/dev/null || echec "$outil introuvable : installez x11-utils (scripts/paquets-tests.txt)"
done

pids=()
arreter() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap arreter EXIT

# A display number that no server holds: neither a lock nor a socket in this /tmp, nor an abstract socket, which a
# server of another mount namespace (a sandbox, a chroot) may hold without any file here and which clients try
# first. Xvfb tells on descriptor 3 when it is ready; if another server took the number meanwhile, try another.
# Without -noreset the server resets each time its last client leaves, and a program connecting just then is
# refused: the checks below connect and leave many times while the program starts.
demarrer_xvfb() {
    local n pret journal debut
    pret=$(mktemp) journal=$(mktemp)
    for _ in $(seq 20); do
        n=$((200 + RANDOM % 800))
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null && continue
        : >"$pret"
        Xvfb ":$n" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$pret" 2>"$journal" &
        pids+=($!)
        debut=$SECONDS
        while [[ ! -s "$pret" ]] && kill -0 "$!" 2>/dev/null && ((SECONDS - debut < delai)); do
            sleep 0.1
        done
        if [[ -s "$pret" ]]; then
            export DISPLAY=":$n"
            rm -f "$pret" "$journal"
            return
        fi
        kill "$!" 2>/dev/null || true
    done
    cat "$journal" >&2
    echec "Xvfb n'a pu démarrer sur aucun écran libre"
}

if [[ -z "${DISPLAY:-}" ]]; then
    command -v Xvfb >/dev/null || echec "Xvfb introuvable : installez xvfb (scripts/paquets-tests.txt)"
    demarrer_xvfb
fi
xwininfo -root >/dev/null || echec "l'écran $DISPLAY ne répond pas"

# Starts a command line and waits for the window of its process; sets fenetre.
# No window manager runs here, so the program's windows are children of the root window.
attendre_fenetre() {
    QT_QPA_PLATFORM=xcb "$@" &
    pid=$!
    pids=("$pid" "${pids[@]}")
    fenetre=
    local debut=$SECONDS
    while ((SECONDS - debut < delai)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            statut=0
            wait "$pid" || statut=$?
            echec "« $* » s'est arrêté avec le code $statut avant d'ouvrir sa fenêtre"
        fi
        for id in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
            if xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$" \
                && xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
                fenetre=$id
            fi
        done
        [[ -n "$fenetre" ]] && return
        sleep 0.1
    done
    echec "aucune fenêtre de « $* » n'est apparue en $delai s"
}

largeur() { xwininfo -id "$1" | sed -n 's/^ *Width: //p'; }
hauteur() { xwininfo -id "$1" | sed -n 's/^ *Height: //p'; }

attendre_fenetre "$programme"
xwininfo -id "$fenetre" | sed -n 's/^xwininfo: //p'

classe=$(xprop -id "$fenetre" WM_CLASS)
echo "$classe"
instance=$(sed -n 's/^WM_CLASS(STRING) = "\([^"]*\)".*/\1/p' <<<"$classe")
attendue=$(sed -n 's/^StartupWMClass=//p' "$bureau")
[[ -n "$instance" && "$instance" == "$attendue" ]] \
    || echec "la fenêtre a la classe « $instance », l'entrée de bureau attend StartupWMClass=$attendue"

echo "Fenêtre $fenetre ouverte, de la classe que l'entrée de bureau attend."
largeur1=$(largeur "$fenetre") hauteur1=$(hauteur "$fenetre")
kill "$pid"

# Each action of the entry (the whiteboard sizes) opens the window that much larger: its command line is the
# entry's own, with this build's program in place of the installed one.
actions=$(sed -n 's/^Actions=//p' "$bureau" | tr ';' ' ')
[[ -n "$actions" ]] || echec "l'entrée de bureau n'offre aucune action"
facteurs=()
for action in $actions; do
    ligne=$(sed -n "/^\[Desktop Action $action\]/,/^\[/s/^Exec=//p" "$bureau")
    facteur=$(sed -n 's/.*QT_SCALE_FACTOR=\([0-9.]*\).*/\1/p' <<<"$ligne")
    [[ -n "$facteur" ]] || echec "l'action $action ne donne pas d'échelle : $ligne"
    facteurs+=("$facteur")
    read -r -a mots <<<"$ligne"
    for i in "${!mots[@]}"; do [[ "${mots[$i]}" == pesarine ]] && mots[$i]=$programme; done
    attendre_fenetre "${mots[@]}"
    attendue=$(awk -v l="$largeur1" -v f="$facteur" 'BEGIN { printf "%d", l * f + 0.5 }')
    vue=$(largeur "$fenetre")
    (( vue >= attendue - 2 && vue <= attendue + 2 )) \
        || echec "l'action $action ($ligne) ouvre une fenêtre de $vue pixels de large, et non $attendue ($largeur1 × $facteur)"
    echo "Action $action : fenêtre de ${vue} × $(hauteur "$fenetre") pixels (${largeur1} × ${hauteur1} sans échelle)."
    kill "$pid"
done
[[ "$(printf '%s\n' "${facteurs[@]}" | sort -n | tr '\n' ' ')" == "1.5 2 " ]] \
    || echec "les actions ouvrent la fenêtre aux échelles ${facteurs[*]}, et non 2 et 1,5"
