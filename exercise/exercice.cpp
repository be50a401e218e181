#include "exercice.h"

#include "nombres.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<int, nombrePoids> massesDeLaBoite { 500, 200, 100, 100, 50, 20, 10, 10, 5, 2, 2, 1 };

// A line break inside a message: line feed, then carriage return.
const QString sautDeLigne = QStringLiteral("\n\r");

} // namespace

Exercice::Exercice(Controles& controles, const Horloge& horloge, Hasard& hasard, QLocale locale)
    : c_(controles)
    , horloge_(horloge)
    , hasard_(hasard)
    , locale_(std::move(locale))
{
}

void Exercice::Command1_Click()
{
    hasard_.reamorcer();
    if (etat_.maximum == 0)
        etat_.maximum = 1000;

    // The package never weighs more than the maximum: a maximum of 2.5 draws 1 or 2 g. The clamp
    // keeps that true even for a generator that would return 1.
    const double plusGrand = std::floor(etat_.maximum);
    const double tirage = std::floor(hasard_.tirer() * plusGrand) + 1;
    etat_.paquet = static_cast<int>(std::clamp(tirage, 1.0, plusGrand));

    etat_.masses = massesDeLaBoite;

    c_.definirLegende(Command1, QStringLiteral("Continuer"));
    c_.montrer(Command1, false);
    c_.donnerImage(Image1, manque);
    c_.definirHaut(Image3, 1470);

    for (int i = 0; i < nombrePoids; ++i) {
        if (c_.aUneImage(baim(i))) {
            c_.donnerImage(boite(i), baim(i));
            c_.effacerImage(baim(i));
            c_.effacerImage(Picture2(i));
        }
        c_.definirHaut(Picture2(i), 1410);
        c_.definirFond(Picture2(i), couleurs::blanc);

        const QString masse = formeSignee(etat_.masses[i], locale_);
        const auto infobulles = [&](const QString& texte) {
            c_.definirInfobulle(Picture2(i), texte);
            c_.definirInfobulle(boite(i), texte);
            c_.definirInfobulle(baim(i), texte);
        };
        infobulles(masse + QStringLiteral(" grammes"));
        if (i == nombrePoids - 1)
            infobulles(masse + QStringLiteral(" gramme"));

        c_.montrer(boite(i), true);
        c_.montrer(Picture2(i), false);
        c_.montrer(baim(i), false);
    }

    c_.montrer(Image3, true);
    c_.definirTexte(Text1, QStringLiteral("Il manque du poids."));
    c_.definirCouleurTexte(Text1, couleurs::jaune);

    if (etat_.reussies == 0) {
        etat_.debut = horloge_.maintenant();
        c_.definirTexte(pesees, QStringLiteral("0"));
        c_.definirTexte(Err, QStringLiteral("0"));
    }

    c_.activerMinuterie(true);
    c_.montrer(Command2, false);
    c_.montrer(maxi, false);
}

void Exercice::boite_Click(int i)
{
    if (!c_.aUneImage(boite(i)))
        return;
    c_.donnerImage(baim(i), boite(i));
    c_.montrer(baim(i), true);
    c_.donnerImage(Picture2(i), mini);
    c_.montrer(Picture2(i), true);
    c_.effacerImage(boite(i));
    Verif();
}

void Exercice::baim_Click(int i)
{
    if (!c_.aUneImage(baim(i)))
        return;
    c_.donnerImage(boite(i), baim(i));
    c_.effacerImage(Picture2(i));
    c_.effacerImage(baim(i));
    c_.montrer(baim(i), false);
    c_.montrer(Picture2(i), false);
    Verif();
}

int Exercice::sommeSurPlateau() const
{
    int somme = 0;
    for (int i = 0; i < nombrePoids; ++i) {
        if (c_.aUneImage(baim(i)))
            somme += etat_.masses[i];
    }
    return somme;
}

void Exercice::montrerVerdict(Controle image, int hautPaquet, int hautCellules, Couleur fondCellules,
    const QString& message, Couleur couleurMessage)
{
    c_.donnerImage(Image1, image);
    c_.definirHaut(Image3, hautPaquet);
    for (int i = 0; i < nombrePoids; ++i) {
        c_.definirHaut(Picture2(i), hautCellules);
        c_.definirFond(Picture2(i), fondCellules);
    }
    c_.definirTexte(Text1, message);
    c_.definirCouleurTexte(Text1, couleurMessage);
}

void Exercice::Verif()
{
    const int somme = sommeSurPlateau();
    if (somme > etat_.paquet) {
        montrerVerdict(trop, 930, 1990, couleurs::blanc, QStringLiteral("Il y a trop de poids."), couleurs::rouge);
    } else if (somme < etat_.paquet) {
        montrerVerdict(manque, 1470, 1410, couleurs::blanc, QStringLiteral("Il manque du poids."), couleurs::jaune);
    } else {
        montrerVerdict(equilibre, 1240, 1610, couleurs::vert, QStringLiteral("La balance est équilibrée."),
            couleurs::vert);
        demanderReponse();
    }
}

void Exercice::demanderReponse()
{
    const QString invite = QStringLiteral("Tu as réussi à équilibrer la balance, Bravo !") + sautDeLigne
        + QStringLiteral("Calcule et tape la masse du paquet en grammes:");
    const QString titre = QStringLiteral("La balance est équilibrée, BRAVO!");

    const auto demander = [&] { return c_.demanderTexte(invite, titre, QStringLiteral("0"), Placement::CoinEcran); };

    // Cancel gives the empty text, which reads 0: a wrong answer like any other.
    QString reponse = demander();
    while (lireNombre(reponse) != etat_.paquet) {
        ++etat_.erreurs;
        c_.definirTexte(Err, formeSimple(etat_.erreurs, locale_));
        c_.definirTexte(Text1, reponse + QStringLiteral(" grammes, ERREUR !"));
        c_.definirCouleurTexte(Text1, couleurs::rouge);
        c_.afficherMessage(QStringLiteral("Erreur de calcul ! Ce n'est pas ") + reponse + QStringLiteral(" grammes"),
            QStringLiteral("Erreur:"), Icone::Exclamation);
        reponse = demander();
    }

    c_.definirCouleurTexte(Text1, couleurs::vert);
    c_.definirTexte(Text1, reponse + QStringLiteral(" grammes, BRAVO !"));
    ++etat_.reussies;
    c_.montrer(Command1, true);
    c_.definirLegende(Command1, QStringLiteral("Continuer"));
    c_.definirTexte(pesees, formeSimple(etat_.reussies, locale_));
    c_.definirTexte(Err, formeSimple(etat_.erreurs, locale_));
    for (int i = 0; i < nombrePoids; ++i)
        c_.montrer(boite(i), false);
    c_.montrer(Command2, true);
}

void Exercice::Timer1_Timer()
{
    etat_.duree = horloge_.maintenant() - etat_.debut;

    // Whole seconds and whole weighings: the yield is cut to hundredths exactly, in integers. A clock
    // set back during a series gives no time at all, and a yield of 0.
    if (etat_.duree > 0)
        etat_.rendement = static_cast<double>(std::int64_t { etat_.reussies } * 6000 / etat_.duree) / 100;
    else
        etat_.rendement = 0;

    c_.definirTexte(tempo, formeDuree(etat_.duree, locale_));
    c_.definirTexte(rend, formeSimple(etat_.rendement, locale_));
}

void Exercice::Command2_Click()
{
    c_.activerMinuterie(false);
    etat_.reussies = 0;
    etat_.erreurs = 0;
    c_.mettrePremierDansTabulation(Command1);
    c_.montrer(Command2, false);
    c_.definirLegende(Command1, QStringLiteral("Démarrer"));
    c_.montrer(maxi, true);
}

void Exercice::maxi_Click()
{
    etat_.maximum = 0;
    while (!(etat_.maximum >= 2 && etat_.maximum <= 1000)) {
        etat_.saisie = c_.demanderTexte(QStringLiteral("Tapez le poids maximum autorisé: (entre 2 et 1000)"),
            QStringLiteral("Poids maximum autorisé"), QStringLiteral("1000"), Placement::ParDefaut);
        etat_.maximum = lireNombre(etat_.saisie);
    }
    c_.definirTexte(Text2, formeSimple(etat_.maximum, locale_));
}
