#include "application.h"
#include "boite_saisie.h"
#include "clavier.h"
#include "outils.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStringList>

#include <utility>

namespace {

// Where the window's keys go. Without a window manager nobody gives the window back its activation
// when a box closes, so the test does it, as the desktop would.
QWidget* focusDe(QWidget& fenetre)
{
    if (!fenetre.isActiveWindow()) {
        fenetre.activateWindow();
        if (!QTest::qWaitForWindowActive(&fenetre))
            qWarning("the window did not become active again");
    }
    return fenetre.focusWidget();
}

QString focus(QWidget& fenetre)
{
    QWidget* w = focusDe(fenetre);
    return w && w->isVisible() ? w->objectName() : QStringLiteral("(rien)");
}

// The key goes where a pupil's key goes: to the widget that has the focus.
void taper(QWidget& fenetre, Qt::Key touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
{
    QWidget* w = focusDe(fenetre);
    QVERIFY2(w && w->isVisible(), "the focus is on nothing");
    QTest::keyClick(w, touche, modificateurs);
}

// Answers a box with the keyboard only: the text typed into the box's focused field, then Return.
Scenario::Etape repondre(const QString& texte)
{
    return [texte](QWidget* boite) {
        if (!QTest::qWaitForWindowActive(boite))
            qWarning("the box did not become active");
        QWidget* champ = boite->focusWidget();
        if (!champ)
            qFatal("nothing has the focus in the box");
        QTest::keyClicks(champ, texte);
        QTest::keyClick(champ, Qt::Key_Return);
    };
}

double luminance(QColor c)
{
    const auto lineaire = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lineaire(c.redF()) + 0.7152 * lineaire(c.greenF()) + 0.0722 * lineaire(c.blueF());
}

double contraste(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestClavier : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituerPolices();
        preparerApplication(*qApp);
    }

    void theServerSaysWhichPressIsARepeat_data();
    void theServerSaysWhichPressIsARepeat();
    void aWholeSeriesIsPlayedWithTheKeyboardAlone();
    void takingTheWeightsOffAfterTheAnswerLeavesTheFocusOnSomething();
    void theFocusMarkAppearsAtTheFirstKeyAndStandsOutOnEveryBackground();
    void emptyPlacesAreNotPresentedAsWeights();
    void aDisplayGivenTheTextItHoldsSendsNothing();
    void theRingFollowsEveryStepOfASeriesAndNeverMarksAnEmptyPlaceOrAnotherText();
    void fromEveryWeightOfTheBoxOneTabReachesThePlate();
    void anArrowGoesToTheWeightSeenOnThatSide_data();
    void anArrowGoesToTheWeightSeenOnThatSide();
};

void TestClavier::theServerSaysWhichPressIsARepeat_data()
{
    // The X server's key events, one a word: "p36@100" a press of key 36 at server time 100 ms, "r36@200" its
    // release, "u36" the server saying that the key is up now. Then, for each press, whether it is a repeat.
    QTest::addColumn<QString>("evenements");
    QTest::addColumn<QList<bool>>("repetitions");

    QTest::newRow("a press after a release acts, however soon") << "p36@100 r36@150 p36@250 r36@300 p36@301"
                                                              << QList<bool> { false, false, false };
    QTest::newRow("held: the server repeats with a release and a press of one stamp")
        << "p36@100 r36@600 p36@600 r36@640 p36@640 r36@900 p36@1500" << QList<bool> { false, true, true, false };
    QTest::newRow("held: the server repeats with presses alone") << "p36@100 p36@600 p36@640 r36@900 p36@950"
                                                                 << QList<bool> { false, true, true, false };
    QTest::newRow("a release that went elsewhere keeps the key down, for hours if need be")
        << "p36@100 p36@9000000" << QList<bool> { false, true };
    QTest::newRow("until the server says the key is up") << "p36@100 u36 p36@2000" << QList<bool> { false, false };
    QTest::newRow("each key on its own") << "p36@100 p65@120 r36@130 p36@130 r65@200 p65@250"
                                         << QList<bool> { false, false, true, false };
}

void TestClavier::theServerSaysWhichPressIsARepeat()
{
    QFETCH(QString, evenements);
    QFETCH(QList<bool>, repetitions);
    SuiviTouchesX x;
    QList<bool> vues;
    QList<std::pair<quint32, quint32>> appuis;
    for (const QString& e : evenements.split(QLatin1Char(' '))) {
        const QStringList parties = e.mid(1).split(QLatin1Char('@'));
        const quint32 code = parties[0].toUInt();
        if (e.startsWith(QLatin1Char('p'))) {
            vues << x.appui(code, parties[1].toUInt());
            appuis.append({ code, parties[1].toUInt() });
        } else if (e.startsWith(QLatin1Char('r'))) {
            x.relache(code, parties[1].toUInt());
        } else {
            x.oublier(code);
        }
    }
    QCOMPARE(vues, repetitions);
    // The toolkit's key events come later: each finds the judgment of its press, and no other.
    for (qsizetype n = 0; n < appuis.size(); ++n)
        QCOMPARE(x.jugement(appuis[n].first, appuis[n].second), std::optional<bool>(repetitions[n]));
    QCOMPARE(x.jugement(36, 7), std::nullopt);
}

void TestClavier::aWholeSeriesIsPlayedWithTheKeyboardAlone()
{
    Banc banc(350);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    QCOMPARE(focus(banc.fenetre), QStringLiteral("Command1"));

    taper(banc.fenetre, Qt::Key_Space); // "Démarrer"
    QVERIFY(banc.fenetre.Timer1()->isActive());
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(0)"));

    taper(banc.fenetre, Qt::Key_Space); // 500 g on the plate: too much
    QVERIFY(!banc.w<ImageControle>(baim(0))->image().isNull());
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il y a trop de poids."));
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(1)")); // the nearest weight left in the box

    taper(banc.fenetre, Qt::Key_Tab); // from the box to the plate
    QCOMPARE(focus(banc.fenetre), QStringLiteral("baim(0)"));
    taper(banc.fenetre, Qt::Key_Enter, Qt::KeypadModifier); // the keypad's Enter takes it off
    QVERIFY(banc.w<ImageControle>(baim(0))->image().isNull());
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il manque du poids."));
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(0)")); // the plate is empty: the weight is followed back into the box

    taper(banc.fenetre, Qt::Key_Right);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(1)"));
    taper(banc.fenetre, Qt::Key_Return); // 200 g
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(2)"));
    taper(banc.fenetre, Qt::Key_Space); // 300 g
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(3)"));
    taper(banc.fenetre, Qt::Key_Right);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(4)"));
    taper(banc.fenetre, Qt::Key_Left);
    taper(banc.fenetre, Qt::Key_Right);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(4)"));

    taper(banc.fenetre, Qt::Key_Tab);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("baim(1)"));
    taper(banc.fenetre, Qt::Key_End);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("baim(2)"));
    taper(banc.fenetre, Qt::Key_Home);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("baim(1)"));
    taper(banc.fenetre, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(4)")); // the box remembers where the pupil was

    Scenario scenario;
    scenario.puis<BoiteSaisie>(repondre(QStringLiteral("305")))
        .puis<QMessageBox>(repondre(QString()))
        .puis<BoiteSaisie>(repondre(QStringLiteral("350")));
    taper(banc.fenetre, Qt::Key_Space); // 350 g: level, the answer is asked
    QVERIFY(scenario.fini());
    QCOMPARE(banc.fenetre.etat().erreurs, 1);
    QCOMPARE(banc.fenetre.etat().reussies, 1);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("Command1"));
    QCOMPARE(banc.w<QAbstractButton>(Command1)->text(), QStringLiteral("Continuer"));

    taper(banc.fenetre, Qt::Key_Return); // "Continuer"
    QCOMPARE(banc.fenetre.etat().reussies, 1);
    QVERIFY(banc.w(boite(0))->isVisible());
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(0)"));
    for (const int i : { 1, 2, 4 }) {
        while (focus(banc.fenetre) != QStringLiteral("boite(%1)").arg(i))
            taper(banc.fenetre, Qt::Key_Right);
        if (i == 4) {
            Scenario juste;
            juste.puis<BoiteSaisie>(repondre(QStringLiteral("350")));
            taper(banc.fenetre, Qt::Key_Space);
            QVERIFY(juste.fini());
        } else {
            taper(banc.fenetre, Qt::Key_Space);
        }
    }
    QCOMPARE(banc.fenetre.etat().reussies, 2);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("Command1"));

    // Stop is reached with Tab, and gives the focus back to "Démarrer".
    for (int n = 0; n < 30 && focus(banc.fenetre) != QLatin1String("Command2"); ++n)
        taper(banc.fenetre, Qt::Key_Tab);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("Command2"));
    taper(banc.fenetre, Qt::Key_Space);
    QVERIFY(!banc.fenetre.Timer1()->isActive());
    QCOMPARE(focus(banc.fenetre), QStringLiteral("Command1"));
    QCOMPARE(banc.w<QAbstractButton>(Command1)->text(), QStringLiteral("Démarrer"));

    for (int n = 0; n < 30 && focus(banc.fenetre) != QLatin1String("maxi"); ++n)
        taper(banc.fenetre, Qt::Key_Tab);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("maxi"));
    Scenario maximum;
    maximum.puis<BoiteSaisie>(repondre(QStringLiteral("500")));
    taper(banc.fenetre, Qt::Key_Space);
    QVERIFY(maximum.fini());
    QCOMPARE(banc.fenetre.etat().maximum, 500.0);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("maxi"));
}

void TestClavier::takingTheWeightsOffAfterTheAnswerLeavesTheFocusOnSomething()
{
    Banc banc(300);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    taper(banc.fenetre, Qt::Key_Space);
    taper(banc.fenetre, Qt::Key_Right);
    taper(banc.fenetre, Qt::Key_Space); // 200 g
    Scenario scenario;
    scenario.puis<BoiteSaisie>(repondre(QStringLiteral("300")));
    taper(banc.fenetre, Qt::Key_Space); // 300 g
    QVERIFY(scenario.fini());
    QCOMPARE(focus(banc.fenetre), QStringLiteral("Command1"));

    // The box is hidden: Tab goes straight to the plate, and each weight taken off hands the focus on.
    taper(banc.fenetre, Qt::Key_Tab);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("baim(1)"));
    taper(banc.fenetre, Qt::Key_Space);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("baim(2)"));
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il manque du poids."));
    taper(banc.fenetre, Qt::Key_Space);
    QVERIFY(QApplication::focusWidget() && QApplication::focusWidget()->isVisible());
    QCOMPARE(focus(banc.fenetre), QStringLiteral("Command1"));
    QCOMPARE(banc.fenetre.etat().reussies, 1);
}

void TestClavier::theFocusMarkAppearsAtTheFirstKeyAndStandsOutOnEveryBackground()
{
    Banc banc(1000);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);
    QWidget* surface = banc.fenetre.centralWidget();
    const QImage avant = surface->grab().toImage();

    // The mouse alone leaves the window as it was drawn: nothing is marked before a key is pressed.
    const auto marque = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == (0xff000000 | MarqueFocus::couleurBleue))
                    return true;
            }
        }
        return false;
    };
    QVERIFY(!marque(avant));
    banc.cliquerAuMilieu(boite(1));
    banc.cliquerAuMilieu(baim(1));
    QCOMPARE(surface->grab().toImage(), avant);

    taper(banc.fenetre, Qt::Key_Right);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(1)"));
    const QImage vue = surface->grab().toImage();
    QVERIFY(marque(vue));
    const QRect poids = banc.w(boite(1))->geometry();

    // Across each side, going outwards from the weight: a band of one colour at least 2 pixels
    // thick, then a band of another, each at least 2 pixels thick.
    QList<QColor> bandes;
    const auto bandesDe = [&](QPoint depart, QPoint pas) {
        QList<QPair<QColor, int>> suite;
        QPoint p = depart;
        for (int n = 0; n < 8; ++n, p += pas) {
            const QColor c = vue.pixelColor(p);
            if (!suite.isEmpty() && suite.last().first == c)
                ++suite.last().second;
            else
                suite.append({ c, 1 });
        }
        return suite;
    };
    const QPoint milieu = poids.center();
    for (const auto& [depart, pas] : { std::pair { QPoint(poids.left() - 1, milieu.y()), QPoint(-1, 0) },
             std::pair { QPoint(poids.right() + 1, milieu.y()), QPoint(1, 0) },
             std::pair { QPoint(milieu.x(), poids.top() - 1), QPoint(0, -1) },
             std::pair { QPoint(milieu.x(), poids.bottom() + 1), QPoint(0, 1) } }) {
        const auto suite = bandesDe(depart, pas);
        QVERIFY(suite.size() >= 2);
        QVERIFY2(suite[0].second >= 2 && suite[1].second >= 2, "two bands of at least 2 pixels");
        if (bandes.isEmpty())
            bandes = { suite[0].first, suite[1].first };
        QCOMPARE(suite[0].first, bandes[0]);
        QCOMPARE(suite[1].first, bandes[1]);
    }

    // The outer band stands out on what lies around the weights, and one of the two bands on each grey of a weight.
    QVERIFY(contraste(bandes[1], Qt::white) >= 3);
    QVERIFY(contraste(bandes[1], QColor(0, 255, 0)) >= 3);
    for (int g = 0; g < 256; g += 17) {
        const QColor gris(g, g, g);
        QVERIFY2(std::max(contraste(bandes[0], gris), contraste(bandes[1], gris)) >= 3, qPrintable(gris.name()));
    }

    // The mark moves with the focus.
    taper(banc.fenetre, Qt::Key_Right);
    const QImage ensuite = surface->grab().toImage();
    QCOMPARE(ensuite.pixelColor(poids.left() - 1, milieu.y()), avant.pixelColor(poids.left() - 1, milieu.y()));
}

void TestClavier::emptyPlacesAreNotPresentedAsWeights()
{
    Banc banc(1000);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    const auto pressable = [&](Controle c) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(banc.fenetre.widget(c));
        return a && a->actionInterface() && !a->actionInterface()->actionNames().isEmpty();
    };
    const auto role = [&](Controle c) { return QAccessible::queryAccessibleInterface(banc.fenetre.widget(c))->role(); };

    for (int i = 0; i < 12; ++i) {
        QVERIFY2(!pressable(baim(i)), "an empty place on the plate");
        QCOMPARE(banc.w(baim(i))->focusPolicy(), Qt::NoFocus);
    }
    banc.cliquerAuMilieu(Command1);
    banc.cliquerAuMilieu(boite(3));
    QVERIFY(pressable(baim(3)));
    QCOMPARE(role(baim(3)), QAccessible::Button);
    QVERIFY(!pressable(boite(3)));
    QVERIFY(QAccessible::queryAccessibleInterface(banc.w(boite(3)))->state().invisible);
    QVERIFY(QAccessible::queryAccessibleInterface(banc.w(boite(3)))->text(QAccessible::Name).isEmpty());
    QVERIFY(pressable(boite(2)));

    // Nothing presents a control by its internal name.
    for (QWidget* w : banc.fenetre.findChildren<QWidget*>()) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (a && !w->objectName().isEmpty()) {
            QVERIFY2(a->text(QAccessible::Description) != w->objectName(), qPrintable(w->objectName()));
            QVERIFY2(a->text(QAccessible::Name) != w->objectName(), qPrintable(w->objectName()));
        }
    }
}

// The texts told to a screen reader through the window's announcer: with Qt 6.8 and later, the
// announcements the toolkit hands on; before, the announcer's name each time it is shown.
class Annonces : public QObject {
public:
    explicit Annonces(QWidget* annonceur)
        : annonceur_(annonceur)
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        actives_ = this;
        QAccessible::setActive(true);
        precedent_ = QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            if (e->type() == QAccessible::Announcement)
                actives_->textes << static_cast<QAccessibleAnnouncementEvent*>(e)->message();
        });
#else
        annonceur->installEventFilter(this);
#endif
    }
    ~Annonces() override
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QAccessible::installUpdateHandler(precedent_);
        actives_ = nullptr;
#endif
    }
    QStringList textes;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            textes << QAccessible::queryAccessibleInterface(annonceur_)->text(QAccessible::Name);
        return false;
    }

private:
    QWidget* annonceur_;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    static inline Annonces* actives_ = nullptr;
    QAccessible::UpdateHandler precedent_ = nullptr;
#endif
};

void TestClavier::aDisplayGivenTheTextItHoldsSendsNothing()
{
    Banc banc(1000);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);
    banc.fenetre.Timer1()->stop();
    const auto tic = [&] { QVERIFY(QMetaObject::invokeMethod(banc.fenetre.Timer1(), "timeout", Qt::DirectConnection)); };

    // Writing a text moves the cursor; a screen reader hears of it. The clock has not moved, so the
    // second tick writes the same texts and must touch nothing.
    tic();
    QSignalSpy tempoBouge(banc.w<QLineEdit>(tempo), &QLineEdit::cursorPositionChanged);
    QSignalSpy rendBouge(banc.w<QLineEdit>(rend), &QLineEdit::cursorPositionChanged);
    tic();
    QCOMPARE(tempoBouge.count(), 0);
    QCOMPARE(rendBouge.count(), 0);

    // The verdict is told again after every move, even when the message line already shows it.
    banc.cliquerAuMilieu(boite(11));
    QSignalSpy messageBouge(banc.w<QLineEdit>(Text1), &QLineEdit::cursorPositionChanged);
    QWidget* annonce = banc.fenetre.findChild<QWidget*>(QStringLiteral("annonce"));
    QVERIFY(annonce);
    Annonces annonces(annonce);
    banc.cliquerAuMilieu(boite(10));
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il manque du poids."));
    QCOMPARE(messageBouge.count(), 0);
    QCOMPARE(annonces.textes, QStringList { QStringLiteral("Il manque du poids.") });
    QCOMPARE(banc.w(Image1)->accessibleName(), QStringLiteral("Balance : il manque du poids."));
}

namespace {

// What is wrong with the focus ring as it stands, or nothing: it must stand around the control that has
// the focus, a control on view that the pupil can use, and cover no other control's text.
QString defautDeMarque(Banc& banc)
{
    const auto* marque = banc.fenetre.findChild<QWidget*>(QStringLiteral("marqueFocus"));
    if (!marque)
        return QStringLiteral("no ring");
    QWidget* focus = banc.fenetre.focusWidget();
    if (!marque->isVisible())
        return QStringLiteral("no ring shown, the focus on %1").arg(focus ? focus->objectName() : QStringLiteral("nothing"));
    if (!focus || focus->isHidden())
        return QStringLiteral("a ring around a hidden control");
    if (auto* image = qobject_cast<ImageControle*>(focus); image && !image->tientUnPoids())
        return QStringLiteral("a ring around the empty place %1").arg(focus->objectName());
    const QRect anneau = marque->geometry();
    if (!anneau.contains(focus->geometry()))
        return QStringLiteral("the ring at %1,%2 is not around %3").arg(anneau.x()).arg(anneau.y()).arg(focus->objectName());
    for (QWidget* autre : banc.fenetre.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (autre == focus || autre == marque || autre->isHidden())
            continue;
        if (const QRect texte = MarqueFocus::placeDuTexte(autre); !texte.isEmpty() && texte.intersects(anneau)) {
            // The ring may lie over the other control only inside the focused one.
            if (!texte.intersected(anneau).intersected(focus->geometry()).isEmpty() || !focus->geometry().contains(texte.intersected(anneau)))
                return QStringLiteral("the ring around %1 covers the text of %2").arg(focus->objectName(), autre->objectName());
        }
    }
    return {};
}

} // namespace

// The ring is where the eye looks for the keyboard: after each key of a weighing played by keys alone,
// also behind the answer box, when the weight that balanced the scale has just left its place.
void TestClavier::theRingFollowsEveryStepOfASeriesAndNeverMarksAnEmptyPlaceOrAnotherText()
{
    Banc banc(350);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    QStringList defauts;
    const auto apres = [&](const QString& etape) {
        if (const QString d = defautDeMarque(banc); !d.isEmpty())
            defauts << etape + QStringLiteral(": ") + d;
    };

    taper(banc.fenetre, Qt::Key_Space); // "Démarrer"
    apres(QStringLiteral("start"));
    for (const auto& [touche, nom] : { std::pair { Qt::Key_Right, "Right" }, { Qt::Key_Space, "200 g" },
             { Qt::Key_Tab, "Tab to the plate" }, { Qt::Key_Backtab, "back to the box" }, { Qt::Key_Space, "300 g" },
             { Qt::Key_Right, "Right" } }) {
        taper(banc.fenetre, touche);
        apres(QString::fromUtf8(nom));
    }
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(4)"));

    // From the box, one Tab reaches the plate, and one Shift+Tab comes back.
    taper(banc.fenetre, Qt::Key_Tab);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("baim(1)"));
    taper(banc.fenetre, Qt::Key_Backtab);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(4)"));

    QWidget* ecranDerriere = nullptr;
    Scenario scenario;
    scenario.puis<BoiteSaisie>([&](BoiteSaisie* reponse) {
        apres(QStringLiteral("answer box open"));
        ecranDerriere = banc.fenetre.focusWidget();
        repondre(QStringLiteral("350"))(reponse);
    });
    taper(banc.fenetre, Qt::Key_Space); // 350 g: level
    QVERIFY(scenario.fini());
    QVERIFY(ecranDerriere != banc.w(boite(4)));
    apres(QStringLiteral("right answer"));
    QCOMPARE(focus(banc.fenetre), QStringLiteral("Command1"));

    // Around the chain: every display shows the ring too, and keeps its text's colour.
    QStringList chaine;
    for (int n = 0; n < 12; ++n) {
        taper(banc.fenetre, Qt::Key_Tab);
        chaine << focus(banc.fenetre);
        apres(QStringLiteral("Tab onto ") + chaine.last());
        if (auto* affichage = qobject_cast<QLineEdit*>(banc.fenetre.focusWidget()))
            QVERIFY2(!affichage->hasSelectedText(), qPrintable(chaine.last()));
    }
    QCOMPARE(chaine.mid(0, 9),
        QStringList({ "baim(1)", "Text1", "pesees", "Err", "tempo", "rend", "Command2", "Text2", "Command1" }));
    QVERIFY2(defauts.isEmpty(), qPrintable(defauts.join(QLatin1Char('\n'))));

    // The message line, focused, shows its verdict in its own colour.
    while (focus(banc.fenetre) != QLatin1String("Text1"))
        taper(banc.fenetre, Qt::Key_Tab);
    const QColor vert(0, 255, 0);
    QCOMPARE(banc.w<QLineEdit>(Text1)->palette().color(QPalette::Text), vert);
    const QImage message = banc.w(Text1)->grab().toImage();
    int pixelsVerts = 0;
    for (int y = 0; y < message.height(); ++y) {
        for (int x = 0; x < message.width(); ++x)
            pixelsVerts += message.pixelColor(x, y) == vert;
    }
    QVERIFY2(pixelsVerts > 20, "the focused message line lost its green");

    // Stop, then round the chain of a series' end, "Changer" included.
    while (focus(banc.fenetre) != QLatin1String("Command2"))
        taper(banc.fenetre, Qt::Key_Tab);
    taper(banc.fenetre, Qt::Key_Space);
    defauts.clear();
    apres(QStringLiteral("Stop"));
    QStringList fin;
    for (int n = 0; n < 10; ++n) {
        taper(banc.fenetre, Qt::Key_Tab);
        fin << focus(banc.fenetre);
        apres(QStringLiteral("Tab onto ") + fin.last());
    }
    QVERIFY(fin.contains(QStringLiteral("maxi")));
    QVERIFY2(defauts.isEmpty(), qPrintable(defauts.join(QLatin1Char('\n'))));
}

// The two groups of weights are neighbours for Tab, whichever weight of the box the pupil stands on.
void TestClavier::fromEveryWeightOfTheBoxOneTabReachesThePlate()
{
    Banc banc(1000);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    taper(banc.fenetre, Qt::Key_Space); // "Démarrer"
    banc.cliquerAuMilieu(boite(11));
    for (int i = 0; i < 11; ++i) {
        banc.w(boite(i))->setFocus(Qt::TabFocusReason);
        taper(banc.fenetre, Qt::Key_Tab);
        QCOMPARE(focus(banc.fenetre), QStringLiteral("baim(11)"));
        taper(banc.fenetre, Qt::Key_Backtab);
        QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(%1)").arg(i));
    }
}

void TestClavier::anArrowGoesToTheWeightSeenOnThatSide_data()
{
    QTest::addColumn<QList<int>>("surLePlateau");
    QTest::addColumn<QString>("depart");
    QTest::addColumn<int>("touche");
    QTest::addColumn<QString>("arrivee");

    const QList<int> aucun;
    // The box: the big weights in a row at the bottom, heaviest on the left; above the 20 g and the
    // 10 g weights a row of small ones, from the left: 1 g, 2 g, 2 g, 5 g.
    QTest::newRow("box, 10 g, Right: the other 10 g") << aucun << "boite(6)" << int(Qt::Key_Right) << "boite(7)";
    QTest::newRow("box, last 10 g, Right: nothing further") << aucun << "boite(7)" << int(Qt::Key_Right) << "boite(7)";
    QTest::newRow("box, last 10 g, Up: the 5 g above it") << aucun << "boite(7)" << int(Qt::Key_Up) << "boite(8)";
    QTest::newRow("box, 5 g, Left: the 2 g on its left") << aucun << "boite(8)" << int(Qt::Key_Left) << "boite(9)";
    QTest::newRow("box, 2 g, Left: the other 2 g") << aucun << "boite(9)" << int(Qt::Key_Left) << "boite(10)";
    QTest::newRow("box, second 2 g, Left: the 1 g") << aucun << "boite(10)" << int(Qt::Key_Left) << "boite(11)";
    QTest::newRow("box, 1 g, Right: the 2 g") << aucun << "boite(11)" << int(Qt::Key_Right) << "boite(10)";
    QTest::newRow("box, 5 g, Right: nothing in its row") << aucun << "boite(8)" << int(Qt::Key_Right) << "boite(8)";
    QTest::newRow("box, 5 g, Down: the 10 g below") << aucun << "boite(8)" << int(Qt::Key_Down) << "boite(7)";
    QTest::newRow("box, 20 g, Up: the 2 g above") << aucun << "boite(5)" << int(Qt::Key_Up) << "boite(10)";
    QTest::newRow("box, 500 g, Left: nothing") << aucun << "boite(0)" << int(Qt::Key_Left) << "boite(0)";
    QTest::newRow("box, 50 g, Left: the 100 g") << aucun << "boite(4)" << int(Qt::Key_Left) << "boite(3)";
    QTest::newRow("box, 50 g, Down: nothing below") << aucun << "boite(4)" << int(Qt::Key_Down) << "boite(4)";
    QTest::newRow("box, 1 g gone, 2 g, Left: the tall 200 g level with it") << QList<int> { 11 } << "boite(10)"
                                                                               << int(Qt::Key_Left) << "boite(1)";
    // The plate: side by side, heaviest on the left; the empty places are skipped.
    const QList<int> trois { 0, 1, 5 };
    QTest::newRow("plate, 200 g, Right: the 20 g") << trois << "baim(1)" << int(Qt::Key_Right) << "baim(5)";
    QTest::newRow("plate, 20 g, Left: the 200 g") << trois << "baim(5)" << int(Qt::Key_Left) << "baim(1)";
    QTest::newRow("plate, 20 g, Right: nothing") << trois << "baim(5)" << int(Qt::Key_Right) << "baim(5)";
    QTest::newRow("plate, 500 g, Up: nothing above") << trois << "baim(0)" << int(Qt::Key_Up) << "baim(0)";
}

void TestClavier::anArrowGoesToTheWeightSeenOnThatSide()
{
    QFETCH(QList<int>, surLePlateau);
    QFETCH(QString, depart);
    QFETCH(int, touche);
    QFETCH(QString, arrivee);

    Banc banc(1000);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);
    for (const int i : surLePlateau)
        banc.cliquerAuMilieu(boite(i));
    auto* w = banc.fenetre.findChild<QWidget*>(depart);
    QVERIFY(w);
    w->setFocus(Qt::TabFocusReason);
    taper(banc.fenetre, Qt::Key(touche));
    QCOMPARE(focus(banc.fenetre), arrivee);
}

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
