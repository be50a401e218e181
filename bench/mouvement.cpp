// The cost of one move of a weight (a click on it in the box, then on the plate to bring it back) and
// of one tick of the chronometer, on the real window.
//
//   bench_mouvement [count]    moves and ticks measured, 20000 each by default
//
// Exits with a failure when it cannot run, or when a move copied a picture instead of sharing it.

#include "application.h"
#include "fenetre.h"
#include "widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

class HorlogeAvancee final : public Horloge {
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

// Counts the paints of the weights' images, to show that the figure with repaint did repaint.
class CompteurPeintures : public QObject {
public:
    long peintures = 0;

protected:
    bool eventFilter(QObject*, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::Paint)
            ++peintures;
        return false;
    }
};

// A press and a release at the widget's centre, delivered as the event loop would deliver the mouse's.
void cliquer(QWidget* w)
{
    const QPointF local = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(local);
    QMouseEvent appui(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &appui);
    QMouseEvent relache(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &relache);
}

struct Statistiques {
    double mediane;
    double p90;
};

Statistiques statistiques(std::vector<double> microsecondes)
{
    std::sort(microsecondes.begin(), microsecondes.end());
    const std::size_t n = microsecondes.size();
    const double mediane = n % 2 ? microsecondes[n / 2] : (microsecondes[n / 2 - 1] + microsecondes[n / 2]) / 2;
    const std::size_t rang = std::max<std::size_t>(1, (n * 9 + 9) / 10) - 1;
    return { mediane, microsecondes[rang] };
}

void afficher(const char* quoi, const std::vector<double>& microsecondes)
{
    const Statistiques s = statistiques(microsecondes);
    std::printf("%-46s n=%-6zu median %8.2f us   p90 %8.2f us   %s\n", quoi, microsecondes.size(), s.mediane,
        s.p90, s.p90 < 200 ? "(under 200 us)" : "(OVER 200 us)");
}

bool attendreAffichage(QWidget& fenetre)
{
    QElapsedTimer attente;
    attente.start();
    while (!(fenetre.windowHandle() && fenetre.windowHandle()->isExposed())) {
        if (attente.elapsed() > 10'000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents();
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    int nombre = 20000;
    if (argc >= 2) {
        char* fin = nullptr;
        nombre = int(std::strtol(argv[1], &fin, 10));
        if (*fin || nombre < 2) {
            std::fprintf(stderr, "usage: %s [count, at least 2]\n", argv[0]);
            return EXIT_FAILURE;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication application(argc, argv);
    substituerPolices();
    preparerApplication(application);

    // 0.9995 draws a package of 1000 g, which only the twelve weights together balance: moving one
    // weight at a time never balances the scale, so no answer box opens.
    HorlogeAvancee horloge;
    TirageFixe hasard(0.9995);
    FenetrePesarine fenetre(horloge, hasard);
    fenetre.show();
    if (!attendreAffichage(fenetre)) {
        std::fputs("the window was never shown\n", stderr);
        return EXIT_FAILURE;
    }
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));

    static_cast<QAbstractButton*>(fenetre.widget(Command1))->click();
    QCoreApplication::processEvents();
    if (fenetre.etat().paquet != 1000 || !fenetre.Timer1()->isActive()) {
        std::fprintf(stderr, "the weighing did not start as expected (package %d g)\n", fenetre.etat().paquet);
        return EXIT_FAILURE;
    }

    std::vector<ImageControle*> boites, plateau;
    CompteurPeintures compteur;
    for (int i = 0; i < nombrePoids; ++i) {
        boites.push_back(static_cast<ImageControle*>(fenetre.widget(boite(i))));
        plateau.push_back(static_cast<ImageControle*>(fenetre.widget(baim(i))));
        boites.back()->installEventFilter(&compteur);
        plateau.back()->installEventFilter(&compteur);
    }

    long copies = 0;
    long manques = 0;
    // Move k: even k takes weight (k / 2) % 12 out of the box, odd k puts it back.
    const auto deplacer = [&](long k, const std::function<void(QWidget*)>& mesurer) {
        const int i = int(k / 2 % nombrePoids);
        const bool versPlateau = k % 2 == 0;
        ImageControle* source = versPlateau ? boites[i] : plateau[i];
        ImageControle* cible = versPlateau ? plateau[i] : boites[i];
        const qint64 image = source->image().cacheKey();
        mesurer(source);
        if (!source->image().isNull() || cible->image().isNull())
            ++manques;
        else if (cible->image().cacheKey() != image)
            ++copies;
    };

    const auto chronometrer = [](std::vector<double>& microsecondes, const std::function<void()>& action) {
        QElapsedTimer chrono;
        chrono.start();
        action();
        microsecondes.push_back(double(chrono.nsecsElapsed()) / 1000);
    };

    // One round of every weight, out and back, for the first paints of each picture.
    for (long k = 0; k < 2 * nombrePoids; ++k)
        deplacer(k, [](QWidget* w) {
            cliquer(w);
            QCoreApplication::processEvents();
        });

    // The repaints that each move asks for happen later in the event loop, outside the measure.
    std::vector<double> versPlateau, versBoite, avecPeinture;
    for (long k = 0; k < nombre; ++k) {
        deplacer(k, [&](QWidget* w) { chronometrer(k % 2 == 0 ? versPlateau : versBoite, [w] { cliquer(w); }); });
        QCoreApplication::processEvents();
    }
    compteur.peintures = 0;
    for (long k = 0; k < nombre; ++k)
        deplacer(k, [&](QWidget* w) {
            chronometrer(avecPeinture, [w] {
                cliquer(w);
                QCoreApplication::processEvents();
            });
        });
    const long peinturesMouvements = compteur.peintures;

    QTimer* minuterie = fenetre.Timer1();
    const int identifiant = minuterie->timerId();
    long ticsPerdus = 0;
    const auto tic = [&] {
        ++horloge.secondes;
        QTimerEvent evenement(identifiant);
        QCoreApplication::sendEvent(minuterie, &evenement);
    };
    // Each tick moves the clock on by a second, so that every tick has new texts to show.
    const auto verifierTic = [&] {
        if (fenetre.etat().duree != horloge.secondes - fenetre.etat().debut)
            ++ticsPerdus;
    };
    std::vector<double> tiques, tiquesAvecPeinture;
    for (long k = 0; k < nombre; ++k) {
        chronometrer(tiques, tic);
        verifierTic();
        QCoreApplication::processEvents();
    }
    for (long k = 0; k < nombre; ++k) {
        chronometrer(tiquesAvecPeinture, [&] {
            tic();
            QCoreApplication::processEvents();
        });
        verifierTic();
    }

    std::printf("package: %d g; %d moves and %d ticks measured without the repaint, as many again with it\n",
        fenetre.etat().paquet, nombre, nombre);
    std::printf("excluding the repaint (done later by the event loop, outside the measure):\n");
    afficher("  move box -> plate (boite_Click, Verif)", versPlateau);
    afficher("  move plate -> box (baim_Click, Verif)", versBoite);
    std::vector<double> tous = versPlateau;
    tous.insert(tous.end(), versBoite.begin(), versBoite.end());
    afficher("  any move", tous);
    afficher("  tick of Timer1 (Timer1_Timer)", tiques);
    std::printf("including a processEvents() after each (the repaint):\n");
    afficher("  any move + repaint", avecPeinture);
    afficher("  tick + repaint", tiquesAvecPeinture);
    std::printf("paints of the weights' images per move: %.2f\n", double(peinturesMouvements) / nombre);
    std::printf("pictures copied: %ld\n", copies);

    if (manques != 0 || ticsPerdus != 0) {
        std::fprintf(stderr, "%ld clicks moved no weight, %ld ticks did not reach the chronometer\n", manques,
            ticsPerdus);
        return EXIT_FAILURE;
    }
    return copies == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
