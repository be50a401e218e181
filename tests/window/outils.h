#pragma once

#include "fenetre.h"
#include "widgets.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

class HorlogeReglable final : public Horloge {
public:
    std::int64_t maintenant() const override { return secondes; }
    std::int64_t secondes = 1'000'000'000;
};

class TirageFixe final : public Hasard {
public:
    explicit TirageFixe(double r) : r_(r) {}
    void reamorcer() override {}
    double tirer() override { return r_; }

private:
    double r_;
};

// A window with a known package: r = (paquet - 0.5) / 1000 draws that package under the default maximum.
struct Banc {
    explicit Banc(int paquet = 1000) : hasard((paquet - 0.5) / 1000) {}

    HorlogeReglable horloge;
    TirageFixe hasard;
    FenetrePesarine fenetre { horloge, hasard };

    template <typename T = QWidget>
    T* w(Controle c) const { return qobject_cast<T*>(fenetre.widget(c)); }

    // A real click, delivered to the window like the mouse's: whatever stands in front receives it.
    void cliquerAuMilieu(Controle c) const
    {
        QWidget* cible = fenetre.widget(c);
        const QPoint point = cible->mapTo(&fenetre, cible->rect().center());
        QTest::mouseClick(fenetre.windowHandle(), Qt::LeftButton, {}, point);
    }
};

// Runs `action` on the next modal box of that kind once it is open: the click that opens a box does
// not return until the box is closed, so the action is queued before the click.
template <typename Boite>
void quandLaBoiteSOuvre(std::function<void(Boite*)> action, int essais = 500)
{
    QTimer::singleShot(essais == 500 ? 0 : 10, qApp, [action, essais] {
        if (auto* boite = qobject_cast<Boite*>(QApplication::activeModalWidget()))
            action(boite);
        else if (essais > 0)
            quandLaBoiteSOuvre<Boite>(action, essais - 1);
        else
            qFatal("the expected modal box never opened");
    });
}
