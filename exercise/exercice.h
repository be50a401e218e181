#pragma once

#include "controles.h"
#include "etat.h"
#include "hasard.h"
#include "horloge.h"

#include <QLocale>

// The handlers of the weighing exercise. The window calls them, one event at a time, and they show
// their results through the window's controls.
class Exercice {
public:
    Exercice(Controles& controles, const Horloge& horloge, Hasard& hasard, QLocale locale = QLocale());

    EtatExercice& etat() { return etat_; }
    const EtatExercice& etat() const { return etat_; }

    void Command1_Click();
    void boite_Click(int i);
    void baim_Click(int i);
    void Verif();
    void Timer1_Timer();
    void Command2_Click();
    void maxi_Click();

private:
    void montrerVerdict(Controle image, int hautPaquet, int hautCellules, Couleur fondCellules,
        const QString& message, Couleur couleurMessage);
    int sommeSurPlateau() const;
    void demanderReponse();

    Controles& c_;
    const Horloge& horloge_;
    Hasard& hasard_;
    QLocale locale_;
    EtatExercice etat_;
};
