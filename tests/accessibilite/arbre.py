"""Reads the program over AT-SPI as a screen reader does, presses its controls, and checks what a
blind pupil is told: the names of the weights in the box and on the plate, no empty place to press,
no internal control name, the labels of the displays and their whole values, the verdict after a move
(a message of a status bar, which a screen reader speaks without its role), the help box's text, the
answer field named by its prompt and the Stop button by its name."""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

echecs = []


def verifier(condition, message):
    if not condition:
        echecs.append(message)


def noeuds(racine):
    yield racine
    for enfant in racine:
        if enfant is not None:
            yield from noeuds(enfant)


def programme():
    fin = time.time() + 15
    while time.time() < fin:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "La Pesarine" and app.childCount > 0:
                return app
        time.sleep(0.1)
    sys.exit("ÉCHEC : le programme n'apparaît pas sur le bus d'accessibilité")


def pressables(app):
    """The nodes that offer to be pressed and are on view."""
    vus = []
    for n in noeuds(app):
        if "Action" not in n.get_interfaces():
            continue
        action = n.queryAction()
        if any(action.getName(i) == "Press" for i in range(action.nActions)) \
                and n.getState().contains(pyatspi.STATE_SHOWING):
            vus.append(n)
    return vus


def presser(app, nom):
    for n in pressables(app):
        if n.name == nom:
            action = n.queryAction()
            action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))
            return True
    echecs.append(f"rien à presser nommé « {nom} »")
    return False


def attendre(secondes):
    fin = time.time() + secondes
    while time.time() < fin:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)


def touche(nom):
    """A key of the real keyboard, to the window that has it (xdotool)."""
    subprocess.run(["xdotool", "key", nom], check=True)


def fenetre_nommee(app, role, nom, secondes=5):
    fin = time.time() + secondes
    while time.time() < fin:
        for n in noeuds(app):
            if n.getRoleName() == role and n.name == nom and n.getState().contains(pyatspi.STATE_SHOWING):
                return n
        attendre(0.1)
    return None


app = programme()

# The help box: F1 opens it, and its whole text is there for the screen reader to speak.
# No window manager runs here: the window is given the keyboard as a desktop would.
subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^La Pesarine  ", "windowfocus", "--sync"],
               check=True, timeout=10)
attendre(0.5)
touche("F1")
aide = fenetre_nommee(app, "alert", "La Pesarine: Aide")
if aide is None:
    echecs.append("F1 n'ouvre aucune boîte d'aide")
else:
    textes = [n.name for n in noeuds(aide) if n.getRoleName() == "label"] + [aide.description or ""]
    verifier(any("Mode d'emploi" in t and "Cliquer sur le bouton Stop pour arrêter le chronomètre" in t
                 and "Déplacer la boîte de dialogue" in t for t in textes),
             f"la boîte d'aide n'offre pas son texte : {textes}")
    touche("Return")
    attendre(1.0)
noms_internes = re.compile(r"^(Command[12]|maxi|Text[12]|pesees|Err|tempo|rend|Image[123]|Shape1|Label[1-8]|"
                           r"trop|manque|equilibre|mini|(boite|baim|Picture2)\(\d+\))$")
masses = ["500 grammes", "200 grammes", "100 grammes", "100 grammes", "50 grammes", "20 grammes", "10 grammes",
          "10 grammes", "5 grammes", "2 grammes", "2 grammes", "1 gramme"]

# At rest the plate is empty: nothing on it may be offered to press.
au_repos = [n.name for n in pressables(app)]
verifier(not any("plateau" in nom or not nom.strip() for nom in au_repos),
         f"au repos, des places vides se pressent : {au_repos}")

annonces = []


def noter(evenement):
    if evenement.source.getRoleName() == "notification" and evenement.detail1 == 1:
        annonces.append(evenement.source.name)


# Qt 6.8 and later tell the verdict as an announcement of its text; earlier, as a notification that appears.
def noter_annonce(evenement):
    annonces.append(str(evenement.any_data))


pyatspi.Registry.registerEventListener(noter, "object:state-changed:showing")
pyatspi.Registry.registerEventListener(noter_annonce, "object:announcement")

presser(app, "Démarrer")
attendre(1.5)
boite = sorted(n.name for n in pressables(app) if n.name.endswith(", dans la boîte"))
verifier(boite == sorted(m + ", dans la boîte" for m in masses), f"la boîte se lit : {boite}")

annonces.clear()
presser(app, "500 grammes, dans la boîte")
attendre(1.5)
noms = [n.name for n in pressables(app)]
verifier("500 grammes, sur le plateau" in noms, f"le poids posé ne se lit pas sur le plateau : {noms}")
verifier("500 grammes, dans la boîte" not in noms, "la place vide du poids posé se presse encore")
verifier(not any(not nom.strip() for nom in noms), "un nœud sans nom se presse")
message = next((n for n in noeuds(app) if n.name == "Message de la Pesarine"), None)
texte = message.queryText().getText(0, -1) if message else None
verdicts = {"Il y a trop de poids.", "Il manque du poids.", "La balance est équilibrée."}
verifier(texte in verdicts, f"la ligne de message lit {texte!r}")
verifier(annonces == [texte], f"le verdict annoncé après le mouvement : {annonces}, la ligne lit {texte!r}")

# A second move with the same verdict is told again.
if texte == "Il y a trop de poids.":
    annonces.clear()
    presser(app, "200 grammes, dans la boîte")
    attendre(1.5)
    verifier(annonces == ["Il y a trop de poids."], f"le même verdict n'est pas redit : {annonces}")

presser(app, "500 grammes, sur le plateau")
attendre(1.0)

for n in noeuds(app):
    verifier(not noms_internes.match(n.description or ""), f"description interne : {n.description!r}")
    verifier(not noms_internes.match(n.name or ""), f"nom interne : {n.name!r}")

# The counters are read with their labels: each display is related to the label beside it.
def etiquettes(n):
    return [r.getTarget(i).name for r in n.getRelationSet() if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(r.getNTargets())]


champs = [n for n in noeuds(app) if n.getRoleName() == "text"]
for etiquette in ["Pesées réussies:", "Erreurs de calcul:", "Chrono:", "Rendement par minute:", "Maximum:"]:
    lies = [n for n in champs if etiquette in etiquettes(n)]
    verifier(len(lies) == 1, f"« {etiquette} » n'est lié à aucun champ")

# The displays give their whole value, the last character too ("0" of a counter is not nothing).
for nom, attendu in [("Nombre de pesées réussies dans cette série", "0"), ("Nombre d'erreurs de calcul", "0"),
                     ("Masse maximum autorisée", "1000")]:
    n = next((c for c in champs if c.name == nom), None)
    if n is None:
        echecs.append(f"aucun champ nommé « {nom} »")
        continue
    texte = n.queryText()
    # A screen reader asks for the line at the caret, or at the last character when the caret ends the text.
    for position, unite in [(p, u) for p in {0, len(attendu) - 1}
                            for u in (pyatspi.TEXT_BOUNDARY_LINE_START, pyatspi.TEXT_BOUNDARY_LINE_END)]:
        ligne = texte.getTextAtOffset(position, unite)
        verifier((ligne[0], ligne[1], ligne[2]) == (attendu, 0, len(attendu))
                 and texte.getText(ligne[1], ligne[2]) == attendu,
                 f"la ligne de « {nom} » se lit {tuple(ligne)!r}, et non {attendu!r} de 0 à {len(attendu)}")
    verifier(not n.getState().contains(pyatspi.STATE_EDITABLE), f"« {nom} » se présente comme modifiable")

# The verdicts are messages of a status bar.
notification = next((n for n in noeuds(app) if n.getRoleName() == "notification"), None)
verifier(notification is not None and notification.parent.getRoleName() == "status bar",
         "le verdict n'est pas le message d'une barre d'état")

# The Stop button is called Stop, its tooltip describes it.
stop = [n for n in noeuds(app) if (n.description or "").startswith("Cliquer ici pour arrêter le chronomètre")]
verifier([n.name for n in stop] == ["Stop"], f"le bouton d'arrêt se nomme {[n.name for n in stop]}")

# A weighing to its end: the box's weights in turn, the heaviest first, each taken off again when it is too
# much; then the answer box, whose field is named by the prompt.
def message_lu():
    return message.queryText().getText(0, -1) if message else ""


invite = "Tu as réussi à équilibrer la balance, Bravo ! Calcule et tape la masse du paquet en grammes:"
reponse = None
for n in pressables(app):
    if n.name.endswith(", sur le plateau"):
        presser(app, n.name)
        attendre(0.5)
for m in masses:
    nom = f"{m}, dans la boîte"
    if not presser(app, nom):
        echecs.append(f"la pesée s'arrête au message {message_lu()!r}")
        break
    attendre(0.7)
    reponse = fenetre_nommee(app, "dialog", "La balance est équilibrée, BRAVO!", 0.5)
    if reponse is not None:
        break
    if message_lu() == "Il y a trop de poids.":
        presser(app, f"{m}, sur le plateau")
        attendre(0.7)
if reponse is None:
    echecs.append("la balance ne s'équilibre pas, ou la boîte de réponse ne s'ouvre pas")
else:
    champ = next((n for n in noeuds(reponse) if n.getRoleName() == "text"), None)
    verifier(champ is not None and champ.name == invite, f"le champ de réponse se nomme {champ and champ.name!r}")

for e in echecs:
    print("ÉCHEC :", e, file=sys.stderr)
print("arbre accessible vérifié" if not echecs else f"{len(echecs)} échec(s)")
sys.exit(1 if echecs else 0)
