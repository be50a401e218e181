#include "application.h"
#include "boite_saisie.h"
#include "outils.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

struct BoiteVue {
    QString titre;
    QString texte;
    QString propose;
    QPoint place;
    QStringList boutons;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QString erreursAffichees; // what Err showed while the box was open
    QString selection; // what the pupil's first key press replaces
};

QStringList boutonsDe(QWidget* boite)
{
    QStringList textes;
    for (QAbstractButton* b : boite->findChild<QDialogButtonBox*>()->buttons())
        textes << b->text().remove(QLatin1Char('&'));
    textes.sort();
    return textes;
}

// Types the answer into the input box as a pupil would and presses Return; a null answer presses
// Cancel instead.
Scenario::Etape taper(const QString& reponse, BoiteVue* vue = nullptr)
{
    return [=](QWidget* w) {
        auto* boite = qobject_cast<BoiteSaisie*>(w);
        if (!boite)
            qFatal("an input box was expected");
        if (vue)
            *vue = { boite->windowTitle(), boite->invite(), boite->texte(), boite->pos(), boutonsDe(boite), {}, {},
                boite->findChild<QLineEdit*>()->selectedText() };
        if (reponse.isNull()) {
            for (QAbstractButton* b : boite->findChildren<QAbstractButton*>()) {
                if (b->text().remove(QLatin1Char('&')) == QLatin1String("Annuler"))
                    QTest::mouseClick(b, Qt::LeftButton);
            }
            return;
        }
        auto* saisie = boite->findChild<QLineEdit*>();
        QTest::keyClicks(saisie, reponse);
        QTest::keyClick(saisie, Qt::Key_Return);
    };
}

Scenario::Etape fermer(const Banc& banc, BoiteVue* vue = nullptr)
{
    return [&banc, vue](QWidget* w) {
        auto* boite = qobject_cast<QMessageBox*>(w);
        if (!boite)
            qFatal("a message box was expected");
        if (vue) {
            *vue = { boite->windowTitle(), boite->text(), {}, boite->pos(), boutonsDe(boite), boite->icon(),
                banc.w<QLineEdit>(Err)->text(), {} };
        }
        QTest::mouseClick(boite->button(QMessageBox::Ok), Qt::LeftButton);
    };
}

// A press and release at the middle of a control, delivered to its window as the mouse's would be.
void cliquer(QWidget* cible)
{
    QWidget* haut = cible->window();
    QTest::mouseClick(haut->windowHandle(), Qt::LeftButton, {}, cible->mapTo(haut, cible->rect().center()));
}

// Answers the input box with its digit pad alone ("<" is the erase key) and clicks OK; keeps what
// the field held before OK.
Scenario::Etape cliquerPave(const QString& touches, QStringList* champs)
{
    return [=](QWidget* w) {
        auto* boite = qobject_cast<BoiteSaisie*>(w);
        if (!boite)
            qFatal("an input box was expected");
        for (QChar c : touches) {
            const QString nom
                = c == QLatin1Char('<') ? QStringLiteral("effacer") : QStringLiteral("touche") + c;
            cliquer(boite->findChild<QAbstractButton*>(nom));
        }
        *champs << boite->texte();
        cliquer(boite->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    };
}

Scenario::Etape cliquerOk()
{
    return [](QWidget* w) { cliquer(qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)); };
}

} // namespace

class TestPesee : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituerPolices();
        preparerApplication(*qApp);
    }

    void aWholeWeighingWithOneWrongAnswerThenStop();
    void aWholeSeriesIsPlayedWithThePointerAlone();
    void theChronometerTicksWhileTheAnswerBoxIsOpen();
    void typedMarkupIsShownAsTyped();
    void aHeldEnterKeyClosesOneBoxOnly();
    void theMaximumBoxInsistsUntilTheValueIsInRange();
    void anAnswerPastedWithWindowsLineEndsIsRead();
};

void TestPesee::aWholeWeighingWithOneWrongAnswerThenStop()
{
    Banc banc(350);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));

    banc.cliquerAuMilieu(Command1);
    banc.cliquerAuMilieu(boite(0)); // 500 g: too much
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il y a trop de poids."));
    QCOMPARE(banc.w(Image3)->y(), qRound(930 / 15.0));
    QCOMPARE(banc.w(Picture2(0))->y(), qRound(1990 / 15.0));
    banc.cliquerAuMilieu(baim(0));
    banc.cliquerAuMilieu(boite(1)); // 200 g: weight missing
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il manque du poids."));
    banc.cliquerAuMilieu(boite(2)); // 300 g

    BoiteVue question, erreur, deuxiemeQuestion;
    Scenario scenario;
    scenario.puis<QWidget>(taper(QStringLiteral("305"), &question))
        .puis<QWidget>(fermer(banc, &erreur))
        .puis<QWidget>(taper(QStringLiteral("350"), &deuxiemeQuestion));
    banc.cliquerAuMilieu(boite(4)); // 350 g: level, the answer box opens
    QVERIFY(scenario.fini());

    QCOMPARE(question.titre, QStringLiteral("La balance est équilibrée, BRAVO!"));
    QCOMPARE(question.texte,
        QStringLiteral("Tu as réussi à équilibrer la balance, Bravo !\nCalcule et tape la masse du paquet en grammes:"));
    QCOMPARE(question.propose, QStringLiteral("0"));
    QCOMPARE(question.selection, QStringLiteral("0"));
    QCOMPARE(question.place, banc.fenetre.screen()->availableGeometry().topLeft());
    QCOMPARE(question.boutons, QStringList({ "Annuler", "OK" }));
    QCOMPARE(erreur.titre, QStringLiteral("Erreur:"));
    QCOMPARE(erreur.texte, QStringLiteral("Erreur de calcul ! Ce n'est pas 305 grammes"));
    QCOMPARE(erreur.boutons, QStringList({ "OK" }));
    QCOMPARE(erreur.icone, QMessageBox::Warning);
    QCOMPARE(erreur.erreursAffichees, QStringLiteral("1"));
    QCOMPARE(deuxiemeQuestion.propose, QStringLiteral("0"));

    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("350 grammes, BRAVO !"));
    QCOMPARE(banc.w(Text1)->palette().color(QPalette::Text), QColor(0, 255, 0));
    QCOMPARE(banc.w<QLineEdit>(pesees)->text(), QStringLiteral("1"));
    QCOMPARE(banc.w<QLineEdit>(Err)->text(), QStringLiteral("1"));
    QVERIFY(banc.w(Command1)->isVisible());
    QCOMPARE(banc.w<QAbstractButton>(Command1)->text(), QStringLiteral("Continuer"));
    QVERIFY(banc.w(Command2)->isVisible());
    for (int i = 0; i < 12; ++i)
        QVERIFY(!banc.w(boite(i))->isVisible());
    QCOMPARE(banc.w<ImageControle>(Picture2(4))->fond(), QColor(0, 255, 0));
    QCOMPARE(banc.w<ImageControle>(Image1)->image().cacheKey(),
        banc.w<ImageControle>(equilibre)->image().cacheKey());

    banc.cliquerAuMilieu(Command2);
    QVERIFY(!banc.fenetre.Timer1()->isActive());
    QVERIFY(!banc.w(Command2)->isVisible());
    QVERIFY(banc.w(maxi)->isVisible());
    QCOMPARE(banc.w<QAbstractButton>(Command1)->text(), QStringLiteral("Démarrer"));
    QCOMPARE(banc.w<QLineEdit>(pesees)->text(), QStringLiteral("1")); // kept until the next start
    QCOMPARE(banc.fenetre.etat().reussies, 0);
    QCOMPARE(banc.fenetre.etat().erreurs, 0);
}

void TestPesee::aWholeSeriesIsPlayedWithThePointerAlone()
{
    // A whiteboard without a keyboard: every step is a click, the answers and the maximum included.
    Banc banc(350);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));

    banc.cliquerAuMilieu(Command1);
    banc.cliquerAuMilieu(boite(0)); // 500 g: too much
    banc.cliquerAuMilieu(baim(0));
    banc.cliquerAuMilieu(boite(1));
    banc.cliquerAuMilieu(boite(2));

    QStringList champs;
    Scenario premiere;
    premiere.puis<QWidget>(cliquerPave(QStringLiteral("305"), &champs))
        .puis<QMessageBox>(cliquerOk())
        .puis<QWidget>(cliquerPave(QStringLiteral("359<0"), &champs));
    banc.cliquerAuMilieu(boite(4)); // 350 g: level
    QVERIFY(premiere.fini());
    QCOMPARE(champs, QStringList({ "305", "350" }));
    QCOMPARE(banc.fenetre.etat().erreurs, 1);
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("350 grammes, BRAVO !"));

    banc.cliquerAuMilieu(Command1); // "Continuer"
    QVERIFY(!banc.w(Command2)->isVisible());
    banc.cliquerAuMilieu(boite(1));
    banc.cliquerAuMilieu(boite(2));
    Scenario deuxieme;
    deuxieme.puis<QWidget>(cliquerPave(QStringLiteral("350"), &champs));
    banc.cliquerAuMilieu(boite(4));
    QVERIFY(deuxieme.fini());
    QCOMPARE(banc.w<QLineEdit>(pesees)->text(), QStringLiteral("2"));

    banc.cliquerAuMilieu(Command2); // Stop
    QVERIFY(banc.w(maxi)->isVisible());
    QCOMPARE(banc.w<QAbstractButton>(Command1)->text(), QStringLiteral("Démarrer"));

    Scenario maximum;
    maximum.puis<QWidget>(cliquerPave(QStringLiteral("1"), &champs))
        .puis<QWidget>(cliquerPave(QStringLiteral("50"), &champs));
    banc.cliquerAuMilieu(maxi);
    QVERIFY(maximum.fini());
    QCOMPARE(champs.mid(3), QStringList({ "1", "50" })); // the first digit replaced the proposed 1000
    QCOMPARE(banc.w<QLineEdit>(Text2)->text(), QStringLiteral("50"));

    banc.cliquerAuMilieu(Command1);
    QVERIFY(banc.fenetre.etat().paquet <= 50);
    QCOMPARE(banc.fenetre.etat().reussies, 0);
}

void TestPesee::theChronometerTicksWhileTheAnswerBoxIsOpen()
{
    Banc banc(500);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);
    banc.horloge.secondes += 3 * 3600 + 25 * 60 + 7;

    QString tempoPendant;
    Scenario scenario;
    scenario.puis<BoiteSaisie>([&](BoiteSaisie* boite) {
        // The real timer, not a direct call: its tick must get through while the box holds the window.
        const bool affiche = QTest::qWaitFor(
            [&] { return banc.w<QLineEdit>(tempo)->text() == QLatin1String("03:25:07"); }, 3000);
        Q_UNUSED(affiche); // checked below, once the box is closed
        tempoPendant = banc.w<QLineEdit>(tempo)->text();
        boite->findChild<QLineEdit*>()->setText(QStringLiteral("500"));
        boite->accept();
    });
    banc.cliquerAuMilieu(boite(0));

    QCOMPARE(tempoPendant, QStringLiteral("03:25:07"));
    QCOMPARE(banc.fenetre.etat().reussies, 1);
}

void TestPesee::typedMarkupIsShownAsTyped()
{
    Banc banc(1);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    BoiteVue erreur;
    Scenario scenario;
    scenario.puis<QWidget>(taper(QStringLiteral("<b>5</b>")))
        .puis<QMessageBox>([&](QMessageBox* boite) {
            QCOMPARE(boite->textFormat(), Qt::PlainText);
            fermer(banc, &erreur)(boite);
        })
        .puis<QWidget>(taper(QStringLiteral("1")));
    banc.cliquerAuMilieu(boite(11));

    QVERIFY(scenario.fini());
    QCOMPARE(erreur.texte, QStringLiteral("Erreur de calcul ! Ce n'est pas <b>5</b> grammes"));
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("1 grammes, BRAVO !"));
}

void TestPesee::aHeldEnterKeyClosesOneBoxOnly()
{
    Banc banc(2);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    // The key's repeats reach the error box, then the answer box that follows: neither may close.
    const auto repeter = [](QWidget* boite) {
        QWidget* cible = boite->focusWidget() ? boite->focusWidget() : boite;
        for (int i = 0; i < 5; ++i) {
            QKeyEvent repetition(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(cible, &repetition);
        }
        QVERIFY(boite->isVisible());
    };
    Scenario scenario;
    scenario.puis<QWidget>(taper(QStringLiteral("7")))
        .puis<QMessageBox>([&](QMessageBox* boite) {
            repeter(boite);
            fermer(banc)(boite);
        })
        .puis<BoiteSaisie>([&](BoiteSaisie* boite) {
            repeter(boite);
            taper(QStringLiteral("2"))(boite);
        });
    banc.cliquerAuMilieu(boite(9));

    QVERIFY(scenario.fini());
    QCOMPARE(banc.fenetre.etat().erreurs, 1);
    QCOMPARE(banc.fenetre.etat().reussies, 1);
}

void TestPesee::theMaximumBoxInsistsUntilTheValueIsInRange()
{
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));

    BoiteVue premiere, deuxieme;
    Scenario scenario;
    scenario.puis<QWidget>(taper(QStringLiteral("1001"), &premiere))
        .puis<QWidget>(taper(QString(), &deuxieme))
        .puis<QWidget>(taper(QStringLiteral("2.5")));
    banc.cliquerAuMilieu(maxi);

    QVERIFY(scenario.fini());
    QCOMPARE(premiere.titre, QStringLiteral("Poids maximum autorisé"));
    QCOMPARE(premiere.texte, QStringLiteral("Tapez le poids maximum autorisé: (entre 2 et 1000)"));
    QCOMPARE(premiere.propose, QStringLiteral("1000"));
    QCOMPARE(deuxieme.propose, QStringLiteral("1000"));
    QCOMPARE(deuxieme.selection, QStringLiteral("1000"));
    QCOMPARE(banc.fenetre.etat().maximum, 2.5);
    QCOMPARE(banc.w<QLineEdit>(Text2)->text(), QStringLiteral("2") + QLocale().decimalPoint() + "5");
}

// The box keeps the line ends of a pasted text; a line copied from a Windows document brings CR LF.
void TestPesee::anAnswerPastedWithWindowsLineEndsIsRead()
{
    Banc banc(1);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    QString colle;
    Scenario scenario;
    scenario.puis<BoiteSaisie>([&](BoiteSaisie* boite) {
        QGuiApplication::clipboard()->setText(QStringLiteral("\r\n1\r\n"));
        auto* saisie = boite->findChild<QLineEdit*>();
        QTest::keyClick(saisie, Qt::Key_V, Qt::ControlModifier); // over the selected "0"
        colle = saisie->text();
        QTest::keyClick(saisie, Qt::Key_Return);
    });
    banc.cliquerAuMilieu(boite(11));

    QCOMPARE(colle, QStringLiteral("\r\n1\r\n"));
    QCOMPARE(banc.fenetre.etat().erreurs, 0);
    QCOMPARE(banc.fenetre.etat().reussies, 1);
}

QTEST_MAIN(TestPesee)
#include "tst_pesee.moc"
