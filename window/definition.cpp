#include "definition.h"

#include "identite.h"

#include <array>

namespace {

constexpr Police verdana105 { "Verdana", 10.5 };
constexpr Police verdana9Gras { "Verdana", 9, true };
constexpr Police verdana75Gras { "Verdana", 7.5, true };
constexpr Police verdana75GrasItalique { "Verdana", 7.5, true, true };
constexpr Police arial105Gras { "Arial", 10.5, true };
constexpr Police arial75Gras { "Arial", 7.5, true };

constexpr Couleur blanc { 255, 255, 255 };
constexpr Couleur noir { 0, 0, 0 };
constexpr Couleur vertVif { 0, 255, 0 };
constexpr Couleur vertFonce { 0, 128, 0 };
constexpr Couleur marine { 0, 0, 128 };
// Each text stands out from its fixed background by at least 4.5 to 1 in luminance, the contrast a
// pupil with low vision needs: so the red on white is a shade darker than pure red, and the reds on
// the black plates a shade lighter than a dark red.
constexpr Couleur rougeSurBlanc { 228, 0, 0 };
constexpr Couleur briqueSurNoir { 216, 72, 0 };
constexpr Couleur rougeSurNoir { 240, 0, 0 };

// From back to front: what is drawn on the window's surface first, then the windowed controls,
// which lie above it all.
constexpr DefinitionControle controles[] = {
    { .controle = Image2, .gauche = 1800, .haut = 2760, .largeur = 6852, .hauteur = 2640, .infobulle = "Le plateau", .image = "plateau" },
    { .controle = Image1, .gauche = 120, .haut = 0, .largeur = 8730, .hauteur = 2880, .infobulle = "La Pesarine", .image = "balance" },
    { .controle = boite(0), .gauche = 480, .haut = 5040, .largeur = 1512, .hauteur = 2292, .montre = false, .image = "poids500" },
    { .controle = boite(1), .gauche = 2160, .haut = 5640, .largeur = 1212, .hauteur = 1560, .montre = false, .image = "poids200" },
    { .controle = boite(2), .gauche = 3600, .haut = 5880, .largeur = 972, .hauteur = 1320, .montre = false, .image = "poids100" },
    { .controle = boite(3), .gauche = 4800, .haut = 5880, .largeur = 936, .hauteur = 1320, .montre = false, .image = "poids100" },
    { .controle = boite(4), .gauche = 5880, .haut = 6240, .largeur = 732, .hauteur = 876, .montre = false, .image = "poids50" },
    { .controle = baim(0), .gauche = 2400, .haut = 3840, .largeur = 972, .hauteur = 1092 },
    { .controle = baim(1), .gauche = 3360, .haut = 3960, .largeur = 612, .hauteur = 972 },
    { .controle = baim(2), .gauche = 3960, .haut = 4080, .largeur = 612, .hauteur = 852 },
    { .controle = baim(3), .gauche = 4560, .haut = 4080, .largeur = 612, .hauteur = 852 },
    { .controle = baim(4), .gauche = 5160, .haut = 4200, .largeur = 492, .hauteur = 732 },
    { .controle = baim(5), .gauche = 5640, .haut = 4320, .largeur = 492, .hauteur = 612 },
    { .controle = baim(6), .gauche = 6120, .haut = 4440, .largeur = 372, .hauteur = 492 },
    { .controle = baim(7), .gauche = 6480, .haut = 4440, .largeur = 372, .hauteur = 492 },
    { .controle = baim(8), .gauche = 6840, .haut = 4560, .largeur = 372, .hauteur = 372 },
    { .controle = baim(9), .gauche = 7200, .haut = 4680, .largeur = 372, .hauteur = 252 },
    { .controle = baim(10), .gauche = 7560, .haut = 4680, .largeur = 372, .hauteur = 252 },
    { .controle = baim(11), .gauche = 7920, .haut = 4680, .largeur = 252, .hauteur = 252 },
    { .controle = boite(5), .gauche = 6720, .haut = 6360, .largeur = 576, .hauteur = 732, .montre = false, .image = "poids20" },
    { .controle = boite(6), .gauche = 7440, .haut = 6360, .largeur = 300, .hauteur = 612, .montre = false, .image = "poids10" },
    { .controle = boite(7), .gauche = 7920, .haut = 6360, .largeur = 312, .hauteur = 612, .montre = false, .image = "poids10" },
    { .controle = boite(8), .gauche = 7800, .haut = 5520, .largeur = 276, .hauteur = 360, .montre = false, .image = "poids5" },
    { .controle = boite(9), .gauche = 7440, .haut = 5520, .largeur = 192, .hauteur = 312, .montre = false, .image = "poids2" },
    { .controle = boite(10), .gauche = 7080, .haut = 5520, .largeur = 192, .hauteur = 312, .montre = false, .image = "poids2" },
    { .controle = boite(11), .gauche = 6600, .haut = 5520, .largeur = 240, .hauteur = 252, .montre = false, .image = "poids1" },
    { .controle = { Nom::Label1 }, .gauche = 1800, .haut = 3000, .largeur = 1572, .hauteur = 252, .texte = "Pesées réussies:", .police = verdana75Gras, .couleurTexte = vertFonce, .couleurFond = blanc, .alignement = Alignement::Droite, .champ = pesees },
    { .controle = { Nom::Label2 }, .gauche = 6120, .haut = 3000, .largeur = 1572, .hauteur = 252, .texte = "Erreurs de calcul:", .police = verdana75Gras, .couleurTexte = rougeSurBlanc, .couleurFond = blanc, .alignement = Alignement::Droite, .champ = Err },
    { .controle = { Nom::Label3 }, .gauche = 360, .haut = 3840, .largeur = 732, .hauteur = 252, .texte = "Chrono:", .police = verdana75Gras, .couleurTexte = marine, .couleurFond = blanc, .alignement = Alignement::Gauche, .champ = tempo },
    { .controle = { Nom::Label4 }, .gauche = 240, .haut = 4440, .largeur = 2052, .hauteur = 252, .texte = "Rendement par minute:", .police = verdana75Gras, .couleurTexte = marine, .couleurFond = blanc, .alignement = Alignement::Centre, .champ = rend },
    { .controle = { Nom::Label5 }, .gauche = 4236, .haut = 360, .largeur = 312, .hauteur = 228, .texte = PESARINE_INITIALES, .infobulle = "Auteur: " PESARINE_AUTEUR, .police = arial105Gras, .couleurTexte = briqueSurNoir, .couleurFond = noir, .alignement = Alignement::Centre, .ajusteAuTexte = true },
    { .controle = { Nom::Label6 }, .gauche = 4200, .haut = 2040, .largeur = 435, .hauteur = 180, .texte = "2002", .infobulle = "Année de mise en service", .police = verdana75GrasItalique, .couleurTexte = rougeSurNoir, .couleurFond = noir, .alignement = Alignement::Centre, .ajusteAuTexte = true },
    { .controle = { Nom::Label7 }, .gauche = 3960, .haut = 600, .largeur = 852, .hauteur = 252, .texte = PESARINE_MARQUE, .police = arial75Gras, .couleurTexte = rougeSurNoir, .couleurFond = noir, .alignement = Alignement::Droite },
    { .controle = { Nom::Label8 }, .gauche = 6600, .haut = 3360, .largeur = 1092, .hauteur = 252, .texte = "Maximum:", .police = verdana75Gras, .couleurTexte = noir, .couleurFond = blanc, .alignement = Alignement::Droite, .champ = Text2 },
    { .controle = Image3, .gauche = 1320, .haut = 1240, .largeur = 768, .hauteur = 468, .infobulle = "Paquet à peser", .image = "paquet" },
    { .controle = trop, .gauche = 0, .haut = 0, .largeur = 0, .hauteur = 0, .montre = false, .image = "trop", .nomAccessible = "Balance : il y a trop de poids." },
    { .controle = manque, .gauche = 0, .haut = 0, .largeur = 0, .hauteur = 0, .montre = false, .image = "manque", .nomAccessible = "Balance : il manque du poids." },
    { .controle = equilibre, .gauche = 0, .haut = 0, .largeur = 0, .hauteur = 0, .montre = false, .image = "equilibre", .nomAccessible = "Balance : la balance est équilibrée." },
    { .controle = mini, .gauche = 0, .haut = 0, .largeur = 0, .hauteur = 0, .montre = false, .image = "mini", .nomAccessible = "Petite masse" },
    { .controle = { Nom::Shape1 }, .gauche = 120, .haut = 2880, .largeur = 8652, .hauteur = 4572, .couleurTexte = noir, .nomAccessible = "Plan de travail" },

    { .controle = Command1, .gauche = 480, .haut = 3000, .largeur = 1092, .hauteur = 852, .texte = "Démarrer", .infobulle = "Cliquer ici pour commencer une pesée", .police = verdana105, .tabulation = 13, .icone = "feu" },
    { .controle = Command2, .gauche = 1320, .haut = 3960, .largeur = 612, .hauteur = 492, .infobulle = "Cliquer ici pour arrêter le chronomètre et pour commencer une nouvelle série", .police = verdana105, .tabulation = 22, .icone = "stop", .nomAccessible = "Stop" },
    { .controle = maxi, .gauche = 7800, .haut = 3840, .largeur = 852, .hauteur = 732, .texte = "Changer", .infobulle = "Cliquer ici pour changer le maximum autorisé", .tabulation = 28, .icone = "cle" },
    { .controle = Text1, .gauche = 3000, .haut = 2520, .largeur = 2892, .hauteur = 288, .texte = "La Pesarine", .infobulle = "Message de la Pesarine", .police = verdana9Gras, .couleurTexte = vertVif, .couleurFond = noir, .tabulation = 0 },
    { .controle = pesees, .gauche = 3480, .haut = 3000, .largeur = 612, .hauteur = 288, .texte = "0", .infobulle = "Nombre de pesées réussies dans cette série", .police = verdana75Gras, .tabulation = 14 },
    { .controle = Err, .gauche = 7800, .haut = 3000, .largeur = 612, .hauteur = 288, .texte = "0", .infobulle = "Nombre d'erreurs de calcul", .police = verdana75Gras, .tabulation = 15 },
    { .controle = tempo, .gauche = 240, .haut = 4080, .largeur = 972, .hauteur = 288, .texte = " ", .infobulle = "Chronomètre", .police = verdana75Gras, .tabulation = 18 },
    { .controle = rend, .gauche = 840, .haut = 4680, .largeur = 732, .hauteur = 288, .texte = "", .infobulle = "Nombre de pesées par minute", .police = verdana75Gras, .tabulation = 19 },
    { .controle = Text2, .gauche = 7800, .haut = 3360, .largeur = 612, .hauteur = 288, .texte = "1000", .infobulle = "Masse maximum autorisée", .police = verdana75Gras, .tabulation = 26 },
    { .controle = Picture2(0), .gauche = 6480, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(1), .gauche = 6600, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(2), .gauche = 6720, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(3), .gauche = 6840, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(4), .gauche = 6960, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(5), .gauche = 7080, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(6), .gauche = 7200, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(7), .gauche = 7320, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(8), .gauche = 7440, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(9), .gauche = 7560, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(10), .gauche = 7680, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
    { .controle = Picture2(11), .gauche = 7800, .haut = 1560, .largeur = 132, .hauteur = 100, .couleurFond = blanc, .montre = false, .nomAccessible = "Petite masse sur la balance" },
};

constexpr DefinitionMenu menu[] = {
    { Commande::Aide, "Aide", "&Aide", "F1" },
    { Commande::propos, "propos", "A &propos...", "F2" },
    { Commande::Siteweb, "Siteweb", "Site &Web d'origine", "F3" },
    { Commande::Quitter, "Quitter", "&Quitter", "F12" },
};

// Inside a message, a line break is line feed then carriage return.
const QString saut = QStringLiteral("\n\r");

} // namespace

std::span<const DefinitionControle> definitionFenetre() { return controles; }

std::span<const DefinitionMenu> definitionMenu() { return menu; }

QString nomControle(Controle c)
{
    const std::string_view n = identite(c.nom).nom;
    const QString nom = QString::fromLatin1(n.data(), qsizetype(n.size()));
    return c.index < 0 ? nom : nom + QLatin1Char('(') + QString::number(c.index) + QLatin1Char(')');
}

QString legendeFenetre()
{
    return QStringLiteral("La Pesarine  " PESARINE_VERSION "    Décembre 2002      " PESARINE_AUTEUR);
}

QString pageAccueil() { return QStringLiteral(PESARINE_PAGE_ACCUEIL); }

QString texteAide()
{
    return QStringLiteral("La Pesarine: Mode d'emploi") + saut + saut
        + QStringLiteral("Après avoir cliqué sur le bouton Démarrer, il faut équilibrer la balance:") + saut
        + QStringLiteral("Ajouter ou enlever des masses sur le plateau en cliquant dessus.") + saut
        + QStringLiteral("Il faut ensuite taper le résultat de la pesée.") + saut
        + QStringLiteral("Déplacer la boîte de dialogue si elle gène pour la lecture des masses qui sont sur le plateau.")
        + saut + saut
        + QStringLiteral("Cliquer sur le bouton Stop pour arrêter le chronomètre et pour commencer une nouvelle série de pesées.")
        + saut + saut;
}

QString texteAPropos()
{
    return QStringLiteral("La Pesarine " PESARINE_VERSION "         " PESARINE_AUTEUR " Décembre 2002") + saut + saut
        + QStringLiteral(" ") + saut + saut
        + QStringLiteral("Mises à jour sur Internet: ") + saut
        + QString(16, QLatin1Char(' ')) + pageAccueil() + saut + saut + saut
        + QStringLiteral("       Contact auteur: " PESARINE_COURRIEL);
}
