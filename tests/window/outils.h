#pragma once

#include "fenetre.h"
#include "widgets.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QPointer>
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

// Answers the modal boxes as they open, one step each, in order. A click that opens a box does not
// return until the box is closed, so the steps are given before the click.
class Scenario : public QObject {
public:
    using Etape = std::function<void(QWidget* boite)>;

    Scenario()
    {
        veille_.setInterval(5);
        connect(&veille_, &QTimer::timeout, this, [this] {
            QWidget* boite = QApplication::activeModalWidget();
            if (!boite || boite == enCours_ || etapes_.empty())
                return;
            enCours_ = boite;
            Etape etape = std::move(etapes_.front());
            etapes_.erase(etapes_.begin());
            etape(boite);
        });
        veille_.start();
    }

    template <typename Boite>
    Scenario& puis(std::function<void(Boite*)> etape)
    {
        etapes_.push_back([etape](QWidget* boite) {
            auto* attendue = qobject_cast<Boite*>(boite);
            if (!attendue)
                qFatal("a modal box of another kind opened: %s", boite->metaObject()->className());
            etape(attendue);
        });
        return *this;
    }

    bool fini() const { return etapes_.empty(); }

private:
    QTimer veille_;
    QPointer<QWidget> enCours_;
    std::vector<Etape> etapes_;
};
