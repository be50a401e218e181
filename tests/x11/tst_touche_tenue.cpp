#include "application.h"
#include "boite_saisie.h"
#include "outils.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>

// Keys on a real X server: held down, whose repeats come as releases and presses that the toolkit does
// not always mark as repeats, and pressed again soon after a press that closed a box, whose release
// went to a window that was hidden. Run on the xcb platform under xvfb-run, with xdotool, with and
// without a window manager.

namespace {

// Steps run one after the other from the event loop, each handing over when it is done, so that the
// modal boxes open and close between them as they do for a pupil.
class Suite : public QObject {
public:
    using Fin = std::function<void()>;
    using Etape = std::function<void(Fin)>;

    Suite& puis(Etape etape)
    {
        etapes_.push_back(std::move(etape));
        return *this;
    }
    void lancer() { suivante(); }
    bool finie() const { return finie_; }

private:
    void suivante()
    {
        if (etapes_.empty()) {
            finie_ = true;
            return;
        }
        Etape etape = std::move(etapes_.front());
        etapes_.erase(etapes_.begin());
        QTimer::singleShot(0, this, [this, etape] { etape([this] { suivante(); }); });
    }

    std::vector<Etape> etapes_;
    bool finie_ = false;
};

Suite::Etape xdotool(QStringList arguments)
{
    return [arguments](Suite::Fin fin) {
        auto* outil = new QProcess;
        QObject::connect(outil, &QProcess::finished, outil, [outil, fin] {
            outil->deleteLater();
            fin();
        });
        outil->start(QStringLiteral("xdotool"), arguments);
    };
}

Suite::Etape attendre(int millisecondes)
{
    return [millisecondes](Suite::Fin fin) { QTimer::singleShot(millisecondes, fin); };
}

Suite::Etape noter(std::function<void()> quoi)
{
    return [quoi](Suite::Fin fin) {
        quoi();
        fin();
    };
}

// Waits for a box to be in front and gives it the keyboard (no window manager does it here).
Suite::Etape enAvant()
{
    return [](Suite::Fin fin) {
        auto* veille = new QTimer;
        veille->setInterval(20);
        QObject::connect(veille, &QTimer::timeout, veille, [veille, fin] {
            QWidget* boite = QApplication::activeModalWidget();
            if (!boite)
                return;
            if (!boite->isActiveWindow()) {
                boite->activateWindow();
                return;
            }
            veille->deleteLater();
            QTimer::singleShot(200, fin);
        });
        veille->start();
    };
}

QString genre(QWidget* boite)
{
    if (qobject_cast<BoiteSaisie*>(boite))
        return QStringLiteral("réponse");
    if (qobject_cast<QMessageBox*>(boite))
        return QStringLiteral("erreur");
    return QStringLiteral("aucune");
}

} // namespace

class TestToucheTenue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituerPolices();
        preparerApplication(*qApp);
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "this test needs a real X server");
    }

    void aHeldKeyActsOnceAndEveryDeliberatePressActs();
};

void TestToucheTenue::aHeldKeyActsOnceAndEveryDeliberatePressActs()
{
    Banc banc(500);
    banc.fenetre.show();
    banc.fenetre.activateWindow(); // no window manager gives it the keyboard here
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    // After each step: the errors counted and the box left open.
    QStringList vu;
    const auto etat = [&](const char* apres) {
        return noter([&, apres] {
            vu << QStringLiteral("%1: %2 erreur(s), boîte %3")
                      .arg(QString::fromUtf8(apres))
                      .arg(banc.fenetre.etat().erreurs)
                      .arg(genre(QApplication::activeModalWidget()));
        });
    };
    const auto tenir = [](const char* touche) {
        return std::vector<Suite::Etape> { xdotool({ "keydown", touche }), attendre(3000), xdotool({ "keyup", touche }),
            attendre(300) };
    };

    Suite suite;
    suite.puis(enAvant());
    for (auto& e : tenir("Return"))
        suite.puis(e);
    suite.puis(etat("Return tenue")).puis(enAvant());
    for (auto& e : tenir("Escape"))
        suite.puis(e);
    suite.puis(etat("Échap tenue")).puis(enAvant());
    // Return pressed here and released in another program's window: when the keyboard comes back, the key
    // is up, and the next press acts (it closes the error box that the first press opened).
    QProcess autre;
    suite.puis(xdotool({ "keydown", "Return" })).puis(attendre(200));
    suite.puis([&autre](Suite::Fin fin) {
        autre.start(QStringLiteral("xmessage"), { QStringLiteral("-title"), QStringLiteral("Autre programme"),
                                                  QStringLiteral("Un autre programme") });
        fin();
    });
    suite.puis(xdotool({ "search", "--sync", "--onlyvisible", "--name", "^Autre programme$", "windowfocus", "--sync" }));
    suite.puis(xdotool({ "keyup", "Return" })).puis(attendre(200));
    suite.puis([&autre](Suite::Fin fin) {
        autre.kill();
        autre.waitForFinished();
        fin();
    });
    suite.puis(enAvant()).puis(xdotool({ "key", "Return" })).puis(attendre(300));
    suite.puis(etat("Entrée relâchée ailleurs")).puis(enAvant());
    // Deliberate presses each count, however soon they follow one another: Return refuses "0", Return
    // closes the error box 0.2 s later, Return refuses "0" again on the fresh box.
    suite.puis(xdotool({ "key", "Return" })).puis(attendre(200));
    suite.puis(xdotool({ "key", "Return" })).puis(attendre(200));
    suite.puis(xdotool({ "key", "Return" })).puis(attendre(300));
    suite.puis(etat("trois appuis en 0,4 s"));
    // Return closes the error box; 0.3 s later the right answer is typed and sent, and Return at once
    // goes on to the next weighing: all within half a second of the answer.
    suite.puis(xdotool({ "key", "Return" })).puis(attendre(300));
    suite.puis(xdotool({ "type", "500" })).puis(xdotool({ "key", "Return" })).puis(attendre(150));
    suite.puis(xdotool({ "key", "Return" })).puis(attendre(300));
    suite.puis(etat("500, Entrée, Entrée"));
    QTimer::singleShot(0, &suite, [&] { suite.lancer(); });

    // Should a step have gone astray, the boxes left open are answered, so that the test ends and says so.
    bool secouru = false;
    QTimer secours;
    secours.setInterval(500);
    connect(&secours, &QTimer::timeout, &secours, [&] {
        if (!suite.finie() || !QApplication::activeModalWidget())
            return;
        secouru = true;
        if (auto* reponse = qobject_cast<BoiteSaisie*>(QApplication::activeModalWidget())) {
            reponse->findChild<QLineEdit*>()->setText(QStringLiteral("500"));
            reponse->accept();
        } else if (auto* erreur = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            erreur->accept();
        }
    });
    secours.start();

    // The steps keep the boxes open for seconds on purpose: the watchdog of the window tests leaves them be.
    QTimer enMain;
    enMain.setInterval(100);
    connect(&enMain, &QTimer::timeout, &enMain, [&] {
        if (QWidget* boite = QApplication::activeModalWidget(); boite && !suite.finie())
            boite->setProperty(boiteEnMain, true);
    });
    enMain.start();

    banc.cliquerAuMilieu(boite(0)); // 500 g: level, the answer box opens and the steps answer it

    QTRY_VERIFY(suite.finie());
    QCOMPARE(vu,
        QStringList({ "Return tenue: 1 erreur(s), boîte erreur", "Échap tenue: 1 erreur(s), boîte réponse",
            "Entrée relâchée ailleurs: 2 erreur(s), boîte réponse", "trois appuis en 0,4 s: 4 erreur(s), boîte erreur",
            "500, Entrée, Entrée: 4 erreur(s), boîte aucune" }));
    QVERIFY2(!secouru, "the keys left a box open");
    QCOMPARE(banc.fenetre.etat().reussies, 1);
    QCOMPARE(banc.fenetre.etat().erreurs, 4);
    // The last Return pressed "Continuer": the next weighing is on.
    QVERIFY(banc.fenetre.widget(Command1)->isHidden());
    QVERIFY(banc.fenetre.widget(boite(0))->isVisible());
}

QTEST_MAIN(TestToucheTenue)
#include "tst_touche_tenue.moc"
