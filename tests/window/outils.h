#pragma once

#include "fenetre.h"
#include "widgets.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

// Set on a modal box while a Scenario step handles it: the watchdog leaves it alone meanwhile.
inline constexpr char boiteEnMain[] = "pesarineBoiteEnMain";

// A modal box that nobody answers would hold its test until CTest's limit. The watchdog closes any box that
// has stood for two seconds with no Scenario step handling it, and fails the running test; a second such box
// in the same test ends the program at once, for a window that keeps opening boxes would otherwise never let
// the test end. It starts with the application of every test program that includes this header.
class GardeBoites : public QObject {
public:
    static constexpr int delaiMs = 2000;

    explicit GardeBoites(QObject* parent) : QObject(parent)
    {
        veille_.setInterval(100);
        connect(&veille_, &QTimer::timeout, this, [this] { surveiller(); });
        veille_.start();
    }

private:
    void surveiller()
    {
        QWidget* boite = QApplication::activeModalWidget();
        if (boite != vue_) {
            vue_ = boite;
            depuis_.start();
            return;
        }
        if (!boite || boite->property(boiteEnMain).toBool() || depuis_.elapsed() < delaiMs)
            return;

        const QByteArray description = QStringLiteral("an unexpected modal box (%1 \"%2\") open for %3 ms")
                                           .arg(QLatin1String(boite->metaObject()->className()))
                                           .arg(boite->windowTitle())
                                           .arg(depuis_.elapsed())
                                           .toUtf8();
        vue_ = nullptr;
        if (auto* dialogue = qobject_cast<QDialog*>(boite))
            dialogue->done(QDialog::Rejected);
        else
            boite->close();

        const QByteArray test = QByteArray(QTest::currentTestFunction()) + '/' + QTest::currentDataTag();
        if (test == testFautif_)
            qFatal("%s, again in the same test: stopping", description.constData());
        testFautif_ = test;
        QTest::qFail(description.constData(), __FILE__, __LINE__);
    }

    QTimer veille_;
    QPointer<QWidget> vue_;
    QElapsedTimer depuis_;
    QByteArray testFautif_;
};

namespace {
void demarrerGardeBoites()
{
    new GardeBoites(QCoreApplication::instance());
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(demarrerGardeBoites)

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
            boite->setProperty(boiteEnMain, true);
            etape(boite);
            if (enCours_)
                enCours_->setProperty(boiteEnMain, false);
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
