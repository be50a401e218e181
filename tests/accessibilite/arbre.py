"""Reads the program over AT-SPI as a screen reader does, presses its controls, and checks what a
blind pupil is told: the names of the weights in the box and on the plate, no empty place to press,
no internal control name, the labels of the displays, and the verdict after a move."""
import re
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


app = programme()
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

for e in echecs:
    print("ÉCHEC :", e, file=sys.stderr)
print("arbre accessible vérifié" if not echecs else f"{len(echecs)} échec(s)")
sys.exit(1 if echecs else 0)
