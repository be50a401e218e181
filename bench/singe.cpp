// A monkey on the real window: random clicks anywhere in the window, random keys, the menu's help and
// about, and every modal box answered at random (the right mass, a wrong one, text, nothing, Cancel,
// Escape). After each event it checks what a pupil must always be able to trust:
//  - each weight stands in exactly one place, the box or the plate, and its small cell on the scale
//    shows exactly while it is on the plate;
//  - the scale, the package and the message line agree with the plate's sum against the package;
//  - the counters shown are the exercise's own (except after a stop, which leaves the finished
//    series' counts on view until the next start);
//  - the buttons on view, and the chronometer, are those of the exercise's state;
//  - never more than one modal box at a time.
//
//   bench_singe [events [seed]]    100000 events by default; the seed is drawn when not given
//
// It prints the events per second and exits with a failure at the first broken invariant, saying
// which event broke it.

#include "application.h"
#include "definition.h"
#include "fenetre.h"
#include "widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

class HorlogeAvancee final : public Horloge {
public:
    std::int64_t maintenant() const override { return secondes; }
    std::int64_t secondes = 1'000'000'000;
};

// The program's own generator, seeded from the monkey's, so that a failing run can be replayed.
class HasardRejouable final : public Hasard {
public:
    explicit HasardRejouable(std::mt19937_64& source)
        : source_(source)
    {
    }
    void reamorcer() override { }
    double tirer() override { return std::uniform_real_distribution<double>(0.0, 1.0)(source_); }

private:
    std::mt19937_64& source_;
};

// The home page must not open a browser for every press of F3 that the monkey makes.
class PageIgnoree : public QObject {
    Q_OBJECT

public:
    int pages = 0;

public Q_SLOTS:
    void ouvrir(const QUrl&) { ++pages; }
};

// The offscreen platform says at every box that it cannot pass on size hints: noise here.
void filtrerMessages(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, contexte, message)));
}

int pixels(int twips)
{
    return qRound(twips / double(twipsParPixel));
}

class Singe {
public:
    Singe(FenetrePesarine& fenetre, HorlogeAvancee& horloge, std::uint64_t graine)
        : f_(fenetre)
        , horloge_(horloge)
        , alea_(graine)
    {
        // Answers the modal boxes from inside their own event loop: a click that opens a box only
        // returns when the box is closed.
        repondeur_.setInterval(0);
        QObject::connect(&repondeur_, &QTimer::timeout, &repondeur_, [this] { repondre(); });
        repondeur_.start();
    }

    bool evenement(long numero)
    {
        numero_ = numero;
        // As a window manager does when a box closes: the window takes the keyboard back.
        if (!f_.isActiveWindow())
            f_.activateWindow();
        horloge_.secondes += tirer(0, 3);
        const int genre = tirer(0, 99);
        if (genre < 45)
            cliquerSurUnControle();
        else if (genre < 65)
            cliquerNImporteOu();
        else if (genre < 92)
            taper();
        else
            menu();
        QCoreApplication::processEvents();
        const auto vu
            = [this](Controle c) { return w(c)->isVisible() ? QStringLiteral("+") : QStringLiteral("-"); };
        noter(QStringLiteral("    -> Command1%1 \"%2\" Command2%3 maxi%4 focus %5")
                  .arg(vu(Command1), static_cast<QAbstractButton*>(w(Command1))->text(), vu(Command2),
                      vu(maxi), f_.focusWidget() ? f_.focusWidget()->objectName() : QStringLiteral("none")));
        return verifier();
    }

    const std::string& echec() const { return echec_; }
    long boites() const { return boites_; }
    const std::array<long, 3>& etats() const { return etats_; }
    long peseesReussies() const { return peseesReussies_; }
    std::mt19937_64& alea() { return alea_; }

private:
    int tirer(int min, int max) { return std::uniform_int_distribution<int>(min, max)(alea_); }

    QWidget* w(Controle c) const { return f_.widget(c); }
    ImageControle* image(Controle c) const { return static_cast<ImageControle*>(w(c)); }
    bool aUneImage(Controle c) const { return !image(c)->image().isNull(); }

    // Controls that run past the window's right edge take their clicks inside the window only.
    void cliquerEn(QPoint point)
    {
        point.setX(std::min(point.x(), f_.width() - 1));
        QTest::mouseClick(f_.windowHandle(), Qt::LeftButton, {}, point);
    }

    // A weight whose move brings the plate closer to the package, as a pupil who weighs would choose:
    // without it the monkey seldom balances the scale and never reaches the later weighings. The
    // target is the heaviest-first choice of weights, which makes every mass from 1 to 1000 g.
    std::optional<Controle> poidsUtile() const
    {
        const EtatExercice& e = f_.etat();
        int reste = e.paquet;
        for (int i = 0; i < nombrePoids; ++i) {
            const int masse = e.masses[std::size_t(i)];
            const bool voulu = masse > 0 && masse <= reste;
            reste -= voulu ? masse : 0;
            if (voulu && aUneImage(boite(i)))
                return boite(i);
            if (!voulu && aUneImage(baim(i)))
                return baim(i);
        }
        return std::nullopt;
    }

    void cliquerSurUnControle()
    {
        static const Controle cibles[] = { Command1, Command2, maxi, Image1, Image2, Image3, Text1 };
        const int choix = tirer(0, 2 * nombrePoids + int(std::size(cibles)) - 1);
        Controle c = choix < nombrePoids ? boite(choix)
            : choix < 2 * nombrePoids    ? baim(choix - nombrePoids)
                                         : cibles[choix - 2 * nombrePoids];
        if (choix < 2 * nombrePoids && tirer(0, 3))
            c = poidsUtile().value_or(c);
        QWidget* cible = w(c);
        noter(QStringLiteral("click on ") + cible->objectName());
        const QPoint dedans(
            tirer(0, std::max(0, cible->width() - 1)), tirer(0, std::max(0, cible->height() - 1)));
        cliquerEn(cible->mapTo(&f_, dedans));
    }

    void cliquerNImporteOu()
    {
        // Below the menu bar: a click on it would open the menu, whose Quit item ends the run.
        const QWidget* surface = f_.centralWidget();
        const QPoint dedans(tirer(0, surface->width() - 1), tirer(0, surface->height() - 1));
        noter(QStringLiteral("click at %1,%2 on %3")
                  .arg(dedans.x())
                  .arg(dedans.y())
                  .arg(surface->childAt(dedans) ? surface->childAt(dedans)->objectName() : QString()));
        cliquerEn(surface->mapTo(&f_, dedans));
    }

    void taper()
    {
        static const Qt::Key touches[] = { Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return,
            Qt::Key_Enter, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Escape,
            Qt::Key_Home, Qt::Key_End, Qt::Key_0, Qt::Key_5, Qt::Key_A, Qt::Key_F1, Qt::Key_F2 };
        const Qt::Key touche = touches[tirer(0, int(std::size(touches)) - 1)];
        noter(QStringLiteral("key %1 on %2")
                  .arg(QKeySequence(touche).toString(),
                      QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                  : QStringLiteral("nothing")));
        QTest::keyClick(
            f_.windowHandle(), touche, touche == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    }

    void menu()
    {
        static const char* const commandes[] = { "Aide", "propos" };
        if (auto* action = f_.findChild<QAction*>(QString::fromLatin1(commandes[tirer(0, 1)])))
            action->trigger();
    }

    static QDialogButtonBox* boutons(QWidget* boite) { return boite->findChild<QDialogButtonBox*>(); }

    void cliquerBouton(QWidget* boite, QDialogButtonBox::StandardButton quel)
    {
        QAbstractButton* bouton = nullptr;
        if (auto* message = qobject_cast<QMessageBox*>(boite))
            bouton = message->button(QMessageBox::StandardButton(quel));
        else if (QDialogButtonBox* rangee = boutons(boite))
            bouton = rangee->button(quel);
        if (bouton)
            QTest::mouseClick(bouton, Qt::LeftButton);
    }

    void repondre()
    {
        QWidget* boite = QApplication::activeModalWidget();
        if (!boite)
            return;
        int ouvertes = 0;
        for (QWidget* haut : QApplication::topLevelWidgets())
            ouvertes += qobject_cast<QDialog*>(haut) && haut->isVisible();
        if (ouvertes > 1 && echec_.empty())
            echec_ = std::to_string(ouvertes) + " modal boxes open at once";
        if (boite == derniere_ && ++attente_ < 3)
            return; // let a box that was just answered close
        derniere_ = boite;
        attente_ = 0;
        ++boites_;
        noter(QStringLiteral("  box \"%1\"").arg(boite->windowTitle()));

        const int choix = tirer(0, 99);
        auto* champ = boite->findChild<QLineEdit*>();
        if (!champ) {
            // A message: OK, Return or Escape all close it.
            if (choix < 50)
                cliquerBouton(boite, QDialogButtonBox::Ok);
            else
                QTest::keyClick(boite->windowHandle(), choix < 75 ? Qt::Key_Return : Qt::Key_Escape);
            return;
        }
        if (choix < 15) {
            cliquerBouton(boite, QDialogButtonBox::Cancel);
            return;
        }
        if (choix < 30) {
            QTest::keyClick(boite->windowHandle(), Qt::Key_Escape);
            return;
        }
        const bool reponse = boite->windowTitle() != QStringLiteral("Poids maximum autorisé");
        QString texte;
        const int sorte = tirer(0, 99);
        if (reponse && sorte < 55)
            texte = QString::number(f_.etat().paquet);
        else if (!reponse && sorte < 55)
            texte = QString::number(tirer(2, 1000));
        else if (sorte < 80)
            texte = QString::number(tirer(-5, 1005));
        else if (sorte < 90)
            texte = QStringLiteral("abc");
        champ->setText(texte);
        if (tirer(0, 1))
            cliquerBouton(boite, QDialogButtonBox::Ok);
        else
            QTest::keyClick(champ, Qt::Key_Return);
    }

    void noter(const QString& quoi)
    {
        journal_.push_back(quoi.toStdString());
        if (journal_.size() > 12)
            journal_.erase(journal_.begin());
    }

    bool faux(const std::string& quoi)
    {
        echec_ = "event " + std::to_string(numero_) + ": " + quoi + "\nlast events:";
        for (const std::string& e : journal_)
            echec_ += "\n  " + e;
        return false;
    }

    bool verifier()
    {
        if (!echec_.empty())
            return false;
        if (QApplication::activeModalWidget())
            return faux("a modal box stayed open after its event");

        if (f_.focusWidget() && !f_.focusWidget()->isVisible())
            return faux("the keyboard focus is on a hidden control");

        const EtatExercice& e = f_.etat();
        const bool commence = e.paquet > 0;
        const bool attente = w(Command2)->isVisible(); // between two weighings
        const bool repos = w(maxi)->isVisible(); // before the first series, or after a stop
        const bool pesee = !attente && !repos;
        const QString legende = static_cast<QAbstractButton*>(w(Command1))->text();

        ++etats_[attente ? 2 : repos ? 0 : 1];
        if (attente && repos)
            return faux("Stop and Changer both on view");
        if (repos && (!w(Command1)->isVisible() || legende != QStringLiteral("Démarrer")))
            return faux("Démarrer not on view beside Changer");
        if (attente && (!w(Command1)->isVisible() || legende != QStringLiteral("Continuer")))
            return faux("Continuer not on view beside Stop");
        if (pesee && w(Command1)->isVisible())
            return faux("the start button on view during a weighing");
        if (f_.Timer1()->isActive() != (commence && !repos))
            return faux("the chronometer runs when it should not, or the reverse");

        int somme = 0;
        for (int i = 0; i < nombrePoids; ++i) {
            const bool dansLaBoite = aUneImage(boite(i));
            const bool surLePlateau = aUneImage(baim(i));
            if (dansLaBoite == surLePlateau)
                return faux("weight " + std::to_string(i) + (dansLaBoite ? " in two places" : " nowhere"));
            if (commence
                && (w(baim(i))->isVisible() != surLePlateau || w(Picture2(i))->isVisible() != surLePlateau))
                return faux("the plate place or the cell of weight " + std::to_string(i) + " disagrees");
            if (w(boite(i))->isVisible() != pesee)
                return faux("box weight " + std::to_string(i) + " shown out of a weighing, or hidden in one");
            if (surLePlateau)
                somme += e.masses[std::size_t(i)];
        }
        if (e.reussies > reussiesVues_)
            peseesReussies_ += e.reussies - reussiesVues_;
        reussiesVues_ = e.reussies;

        if (commence) {
            const Controle verdict = somme == e.paquet ? equilibre : somme > e.paquet ? trop : manque;
            const int hautPaquet = somme == e.paquet ? 1240 : somme > e.paquet ? 930 : 1470;
            if (image(Image1)->image().cacheKey() != image(verdict)->image().cacheKey())
                return faux("the scale does not show the verdict of the plate's sum");
            if (w(Image3)->y() != pixels(hautPaquet))
                return faux("the package is not on its pan");
            const QString message = static_cast<QLineEdit*>(w(Text1))->text();
            static const QString verdicts[] = { QStringLiteral("La balance est équilibrée."),
                QStringLiteral("Il y a trop de poids."), QStringLiteral("Il manque du poids.") };
            const QString attendu = verdicts[verdict == equilibre ? 0 : verdict == trop ? 1 : 2];
            for (const QString& v : verdicts)
                if (message == v && message != attendu)
                    return faux("the message line says another verdict");
            if (attente && !(message.endsWith(QStringLiteral(" grammes, BRAVO !")) || message == attendu))
                return faux("between weighings the message line shows neither the answer nor the verdict");
        }

        // A stop leaves the finished series' counts on view until the next start.
        if (!(repos && commence)) {
            const QString reussies = static_cast<QLineEdit*>(w(pesees))->text();
            const QString err = static_cast<QLineEdit*>(w(Err))->text();
            if (reussies != QString::number(e.reussies) || err != QString::number(e.erreurs))
                return faux("the counters shown are not the exercise's");
        } else if (e.reussies != 0 || e.erreurs != 0) {
            return faux("the counters were not reset by the stop");
        }
        return true;
    }

    FenetrePesarine& f_;
    HorlogeAvancee& horloge_;
    std::mt19937_64 alea_;
    QTimer repondeur_;
    QWidget* derniere_ = nullptr;
    int attente_ = 0;
    long numero_ = 0;
    long boites_ = 0;
    std::array<long, 3> etats_ {}; // events that ended idle, weighing, between two weighings
    long peseesReussies_ = 0; // successful weighings over the whole run
    std::int32_t reussiesVues_ = 0;
    std::string echec_;
    std::vector<std::string> journal_; // the last events, told when an invariant breaks
};

} // namespace

int main(int argc, char* argv[])
{
    long nombre = 100'000;
    std::uint64_t graine = std::random_device {}();
    if (argc >= 2)
        nombre = std::strtol(argv[1], nullptr, 10);
    if (argc >= 3)
        graine = std::strtoull(argv[2], nullptr, 10);
    if (nombre < 1) {
        std::fprintf(stderr, "usage: %s [events [seed]]\n", argv[0]);
        return EXIT_FAILURE;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    qInstallMessageHandler(filtrerMessages);
    QApplication application(argc, argv);
    substituerPolices();
    preparerApplication(application);
    PageIgnoree page;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &page, "ouvrir");

    std::mt19937_64 tirages(graine ^ 0x5eed);
    HorlogeAvancee horloge;
    HasardRejouable hasard(tirages);
    FenetrePesarine fenetre(horloge, hasard);
    fenetre.show();
    fenetre.activateWindow();
    if (!QTest::qWaitForWindowActive(&fenetre)) {
        std::fputs("the window was never shown\n", stderr);
        return EXIT_FAILURE;
    }

    Singe singe(fenetre, horloge, graine);
    std::printf("platform %s, seed %llu, %ld events\n", qPrintable(QGuiApplication::platformName()),
        static_cast<unsigned long long>(graine), nombre);
    std::fflush(stdout);

    QElapsedTimer chrono;
    chrono.start();
    for (long k = 1; k <= nombre; ++k) {
        if (!singe.evenement(k)) {
            QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
            std::fprintf(stderr, "INVARIANT BROKEN (seed %llu): %s\n",
                static_cast<unsigned long long>(graine), singe.echec().c_str());
            return EXIT_FAILURE;
        }
    }
    const double secondes = double(chrono.nsecsElapsed()) / 1e9;
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    std::printf(
        "%ld events in %.2f s: %.0f events per second\n", nombre, secondes, double(nombre) / secondes);
    std::printf("events ending idle: %ld, in a weighing: %ld, between two weighings: %ld\n", singe.etats()[0],
        singe.etats()[1], singe.etats()[2]);
    std::printf(
        "modal boxes answered: %ld; successful weighings: %ld\n", singe.boites(), singe.peseesReussies());
    return EXIT_SUCCESS;
}

#include "singe.moc"
