#include "application.h"
#include "outils.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

// What the pupil sees, read from the real window: each weight shows its own picture, a click counts
// only where it is released, the level scale colours the small weights' cells, the buttons show their
// own icon above their caption, a long message shows its start, and the title bar offers no
// minimise or maximise button.

namespace {

const QColor vert(0, 255, 0);
const QColor blanc(255, 255, 255);

constexpr const char* imagesDesPoids[nombrePoids] = { "poids500", "poids200", "poids100", "poids100",
    "poids50", "poids20", "poids10", "poids10", "poids5", "poids2", "poids2", "poids1" };

QImage enArgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage imageDe(const QWidget* w)
{
    return enArgb(static_cast<const ImageControle*>(w)->image().toImage());
}

QImage ressource(const char* nom)
{
    return enArgb(QImage(QStringLiteral(":/images/%1.png").arg(QLatin1String(nom))));
}

// Types a text into an input box, whatever its make, and presses its OK button.
void repondre(QDialog* boite, const QString& texte)
{
    auto* champ = boite->findChild<QLineEdit*>();
    QVERIFY(champ);
    champ->setText(texte);
    auto* boutons = boite->findChild<QDialogButtonBox*>();
    QVERIFY(boutons && boutons->button(QDialogButtonBox::Ok));
    boutons->button(QDialogButtonBox::Ok)->click();
}

// Ink: what is drawn on a button, dark or coloured, as opposed to its light grey face.
bool encre(QColor c)
{
    return c.lightness() < 110 || c.hsvSaturation() > 110;
}

// The rows of a button's grab that hold ink, as bands (first row, last row), its frame left out. A
// light row or two inside a drawing, such as a highlight, does not split it.
std::vector<std::pair<int, int>> bandes(const QImage& vue)
{
    std::vector<std::pair<int, int>> resultat;
    constexpr int marge = 3;
    for (int y = marge; y < vue.height() - marge; ++y) {
        bool trouve = false;
        for (int x = marge; x < vue.width() - marge && !trouve; ++x)
            trouve = encre(vue.pixelColor(x, y));
        if (!trouve)
            continue;
        if (!resultat.empty() && resultat.back().second >= y - 3)
            resultat.back().second = y;
        else
            resultat.emplace_back(y, y);
    }
    return resultat;
}

int pixelsOu(const QImage& vue, int haut, int bas, const std::function<bool(QColor)>& critere)
{
    int n = 0;
    for (int y = haut; y <= bas; ++y)
        for (int x = 0; x < vue.width(); ++x)
            n += critere(vue.pixelColor(x, y));
    return n;
}

bool rouge(QColor c)
{
    return c.red() > 180 && c.green() < 80 && c.blue() < 80;
}
bool vertVif(QColor c)
{
    return c.green() > 180 && c.red() < 120 && c.blue() < 120;
}

} // namespace

class TestVue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituerPolices();
        preparerApplication(*qApp);
    }

    void eachWeightShowsItsOwnPictureInTheBoxAndOnThePlate();
    void aClickCountsOnlyWhenReleasedOverTheWeightPressed();
    void theLevelScaleColoursTheCellsGreenAndTheOthersWhite();
    void eachButtonShowsItsOwnIconAboveItsCaption();
    void aLongMessageShowsItsStart();
    void theTitleBarAsksForNoMinimiseNorMaximiseButton();
    void theFocusMarkFollowsTheKeysInAWindowThatIsNotActive();
};

void TestVue::eachWeightShowsItsOwnPictureInTheBoxAndOnThePlate()
{
    Banc banc(1000); // only the twelve weights together balance it: no box opens here
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    for (int i = 0; i < nombrePoids; ++i) {
        const QImage attendue = ressource(imagesDesPoids[i]);
        QVERIFY(!attendue.isNull());
        QVERIFY2(imageDe(banc.w(boite(i))) == attendue, qPrintable(QStringLiteral("box weight %1").arg(i)));
        banc.cliquerAuMilieu(boite(i));
        QVERIFY2(imageDe(banc.w(baim(i))) == attendue, qPrintable(QStringLiteral("plate weight %1").arg(i)));
        banc.cliquerAuMilieu(baim(i));
    }
}

void TestVue::aClickCountsOnlyWhenReleasedOverTheWeightPressed()
{
    Banc banc(1000);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    QWindow* fenetre = banc.fenetre.windowHandle();
    const auto milieu = [&](Controle c) {
        QWidget* w = banc.w(c);
        return w->mapTo(&banc.fenetre, w->rect().center());
    };
    const QPoint ailleurs = banc.w(Image2)->mapTo(&banc.fenetre, QPoint(5, 5)); // the bare plate's corner

    // Pressed on the 500 g weight, released away from it: a pupil who changes their mind.
    QTest::mousePress(fenetre, Qt::LeftButton, {}, milieu(boite(0)));
    QTest::mouseRelease(fenetre, Qt::LeftButton, {}, ailleurs);
    // Pressed elsewhere, released over the 200 g weight: no click on it either.
    QTest::mousePress(fenetre, Qt::LeftButton, {}, ailleurs);
    QTest::mouseRelease(fenetre, Qt::LeftButton, {}, milieu(boite(1)));
    for (int i : { 0, 1 }) {
        QVERIFY(!imageDe(banc.w(boite(i))).isNull());
        QVERIFY(imageDe(banc.w(baim(i))).isNull());
    }
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il manque du poids."));

    // Pressed and released over the same weight: it moves.
    QTest::mousePress(fenetre, Qt::LeftButton, {}, milieu(boite(0)));
    QTest::mouseRelease(fenetre, Qt::LeftButton, {}, milieu(boite(0)) + QPoint(3, 3));
    QVERIFY(!imageDe(banc.w(baim(0))).isNull());
}

void TestVue::theLevelScaleColoursTheCellsGreenAndTheOthersWhite()
{
    Banc banc(520);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    // The cell is one pixel wider than the small weight drawn from its top-left corner: its last
    // column shows the cell's own background.
    const auto fond = [&](int i) {
        QWidget* cellule = banc.w(Picture2(i));
        const QImage vue = banc.fenetre.grab().toImage();
        return vue.pixelColor(cellule->mapTo(&banc.fenetre, QPoint(cellule->width() - 1, 2)));
    };

    banc.cliquerAuMilieu(boite(0)); // 500 g: weight missing
    QCOMPARE(fond(0), blanc);
    banc.cliquerAuMilieu(boite(1)); // 700 g: too much
    QCOMPARE(fond(0), blanc);
    QCOMPARE(fond(1), blanc);
    banc.cliquerAuMilieu(baim(1));

    Scenario scenario;
    QColor pendantLaQuestion[2];
    scenario.puis<QDialog>([&](QDialog* boite) {
        pendantLaQuestion[0] = fond(0);
        pendantLaQuestion[1] = fond(5);
        repondre(boite, QStringLiteral("520"));
    });
    banc.cliquerAuMilieu(boite(5)); // 520 g: level, and the answer box opens
    QVERIFY(scenario.fini());
    QCOMPARE(pendantLaQuestion[0], vert);
    QCOMPARE(pendantLaQuestion[1], vert);
    QCOMPARE(fond(0), vert); // the scale stays level after the right answer
}

void TestVue::eachButtonShowsItsOwnIconAboveItsCaption()
{
    Banc banc(500);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    // Between two weighings, Stop shows beside "Continuer".
    banc.cliquerAuMilieu(Command1);
    Scenario scenario;
    scenario.puis<QDialog>([](QDialog* boite) { repondre(boite, QStringLiteral("500")); });
    banc.cliquerAuMilieu(boite(0));
    QVERIFY(scenario.fini());
    // maxi only shows after a stop; "Démarrer" is back then.
    const QImage command1 = banc.w(Command1)->grab().toImage();
    const QImage command2 = banc.w(Command2)->grab().toImage();
    banc.cliquerAuMilieu(Command2);
    const QImage changer = banc.w(maxi)->grab().toImage();

    struct Cas {
        const char* nom;
        QImage vue;
        bool legende;
        std::function<bool(QColor)> couleurDeLIcone; // found on its own icon only
        std::function<bool(QColor)> couleurAbsente; // the colour of another button's icon
    };
    const std::vector<Cas> cas {
        { "Command1", command1, true, vertVif, rouge }, // the traffic light's green lamp
        { "Command2", command2, false, rouge, vertVif }, // the stop sign
        { "maxi", changer, true, [](QColor c) { return c.lightness() < 110 && c.hsvSaturation() < 60; },
            [](QColor c) { return rouge(c) || vertVif(c); } }, // the grey spanner
    };
    for (const Cas& c : cas) {
        const auto b = bandes(c.vue);
        QVERIFY2(!b.empty(), c.nom);
        // The icon: the first band, as tall as the room above the caption allows, up to 32 pixels.
        const int hauteurIcone = b.front().second - b.front().first + 1;
        QVERIFY2(hauteurIcone >= 20,
            qPrintable(QStringLiteral("%1: icon %2 px high").arg(c.nom).arg(hauteurIcone)));
        QVERIFY2(pixelsOu(c.vue, b.front().first, b.front().second, c.couleurDeLIcone) > 10, c.nom);
        QVERIFY2(pixelsOu(c.vue, 0, c.vue.height() - 1, c.couleurAbsente) == 0, c.nom);
        if (c.legende) {
            // The caption: a second band, below the icon, with a gap between them.
            QVERIFY2(
                b.size() == 2, qPrintable(QStringLiteral("%1: %2 bands of ink").arg(c.nom).arg(b.size())));
            QVERIFY2(b[1].first > b[0].second + 3, c.nom);
            QVERIFY2(b[1].second - b[1].first + 1 <= 16, c.nom);
        } else {
            QCOMPARE(b.size(), std::size_t(1));
        }
    }
}

void TestVue::aLongMessageShowsItsStart()
{
    Banc banc(500);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    const QString debut = QStringLiteral("123456789012345678901234567890123456789012345678901234567890");
    QImage message;
    QPalette couleurs;
    Scenario scenario;
    scenario.puis<QDialog>([&](QDialog* boite) { repondre(boite, debut + QStringLiteral(" et la suite")); })
        .puis<QMessageBox>([&](QMessageBox* erreur) {
            message = banc.w(Text1)->grab().toImage();
            couleurs = banc.w(Text1)->palette();
            erreur->accept();
        })
        .puis<QDialog>([](QDialog* boite) { repondre(boite, QStringLiteral("500")); });
    banc.cliquerAuMilieu(boite(0));
    QVERIFY(scenario.fini());

    // The same line, showing the text's start alone: already too long for it, so it begins at its left edge.
    const QLineEdit* ligne = banc.w<QLineEdit>(Text1);
    QLineEdit reference;
    reference.setFont(ligne->font());
    reference.setPalette(couleurs);
    reference.setAlignment(ligne->alignment());
    reference.setReadOnly(true);
    reference.resize(ligne->size());
    reference.setText(debut);
    reference.setCursorPosition(0);
    const QImage attendue = reference.grab().toImage();
    QCOMPARE(message.size(), attendue.size());
    // The left half of the text, inside the frame (whose colour follows the window's activation).
    const QRect gauche(2, 2, message.width() / 2, message.height() - 4);
    QVERIFY2(enArgb(message.copy(gauche)) == enArgb(attendue.copy(gauche)),
        "the message line does not show the start of the text");
}

void TestVue::theTitleBarAsksForNoMinimiseNorMaximiseButton()
{
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    // Without the customize hint the desktop puts its default buttons back, whatever the other hints say.
    const Qt::WindowFlags drapeaux = banc.fenetre.windowHandle()->flags();
    QVERIFY(drapeaux & Qt::CustomizeWindowHint);
    QVERIFY(!(drapeaux & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(drapeaux & Qt::WindowCloseButtonHint);
    QVERIFY(drapeaux & Qt::WindowTitleHint);
}

void TestVue::theFocusMarkFollowsTheKeysInAWindowThatIsNotActive()
{
    // Keys can reach a window that the desktop has not activated (no window manager, a box just closed):
    // the toolkit then tells of no focus change, and the mark must follow the focus all the same.
    Banc banc(1000);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    QWidget autre; // another program's window, which the desktop keeps active
    autre.show();
    autre.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&autre));
    QWidget* marque = banc.fenetre.findChild<QWidget*>(QStringLiteral("marqueFocus"));
    QVERIFY(marque);

    QTest::keyClick(banc.fenetre.windowHandle(), Qt::Key_Space); // "Démarrer", then 500 g and 200 g
    QTest::keyClick(banc.fenetre.windowHandle(), Qt::Key_Space);
    QTest::keyClick(banc.fenetre.windowHandle(), Qt::Key_Space);
    QVERIFY(!banc.fenetre.isActiveWindow());
    QVERIFY(!imageDe(banc.w(baim(1))).isNull());
    QWidget* focus = banc.fenetre.focusWidget();
    QCOMPARE(focus, banc.w(boite(2)));
    QVERIFY(marque->isVisible());
    QVERIFY(marque->geometry().contains(focus->geometry()));
    QVERIFY(!marque->geometry().intersects(banc.w(Command1)->geometry()));
}

QTEST_MAIN(TestVue)
#include "tst_vue.moc"
