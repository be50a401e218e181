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

    void aWholeSeriesIsPlayedWithTheKeyboardAlone();
    void takingTheWeightsOffAfterTheAnswerLeavesTheFocusOnSomething();
    void theFocusMarkAppearsAtTheFirstKeyAndStandsOutOnEveryBackground();
    void emptyPlacesAreNotPresentedAsWeights();
    void aDisplayGivenTheTextItHoldsSendsNothing();
};

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
    taper(banc.fenetre, Qt::Key_Down);
    QCOMPARE(focus(banc.fenetre), QStringLiteral("boite(4)"));
    taper(banc.fenetre, Qt::Key_Up);
    taper(banc.fenetre, Qt::Key_Down);
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

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
