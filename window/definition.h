#pragma once

#include "controles.h"

#include <QString>

#include <optional>
#include <span>

// The window's definition as data: every control with its place in twips, its texts, font, colours,
// tab position and whether it shows at load. The window builds its widgets from this table, in the
// table's order, which is the drawing order from back to front.

inline constexpr int twipsParPixel = 15;
inline constexpr int largeurClient = 8820;
inline constexpr int hauteurClient = 7530;

enum class Alignement { Gauche, Centre, Droite };

struct Police {
    const char* famille = nullptr; // nullptr: the toolkit's default font
    double points = 0;
    bool gras = false;
    bool italique = false;
};

struct DefinitionControle {
    Controle controle; // its kind comes with it
    int gauche, haut, largeur, hauteur; // twips
    const char* texte = ""; // caption or text at load
    const char* infobulle = "";
    Police police {};
    std::optional<Couleur> couleurTexte {}; // none: the desktop's usual colour
    std::optional<Couleur> couleurFond {};
    Alignement alignement = Alignement::Centre;
    int tabulation = -1; // buttons and text displays: the tab position; -1 for the other controls
    bool montre = true;
    const char* image = nullptr; // resource shown at load
    const char* icone = nullptr; // buttons: the icon's name, without its size
    bool ajusteAuTexte = false;
    const char* nomAccessible = nullptr; // what a screen reader says of a control that shows no text
    std::optional<Controle> champ {}; // labels: the text display whose value the label names
};

std::span<const DefinitionControle> definitionFenetre();

// "boite(3)" for an element of an array, "Command1" otherwise: the widget's object name.
QString nomControle(Controle c);

enum class Commande { Aide, propos, Siteweb, Quitter };

struct DefinitionMenu {
    Commande commande;
    const char* nom;
    const char* legende;
    const char* raccourci;
};

inline constexpr const char* legendeMenu = "&Menu ";
std::span<const DefinitionMenu> definitionMenu();

QString legendeFenetre();
QString texteAide();
QString texteAPropos();
QString pageAccueil();
