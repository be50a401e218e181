#include "application.h"
#include "boite_saisie.h"
#include "outils.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolButton>

#include <map>

// What the pupil sees of the scale, read from a grab of the real window: the package and the small
// weights stand on the pans' rims in every state, and the top band turns green only when level. The same
// test runs on screens scaled by QT_SCALE_FACTOR, where the window shows its finer pictures: the grab then
// has that many pixels to a point, and the rectangles of the widgets are scaled to match.

namespace {

const QColor brun(181, 99, 0);
const QColor vertVif(64, 255, 64);

bool estDuPaquet(QColor c) { return c == QColor(255, 255, 0) || c == QColor(0, 0, 255); }

// The top row of a pan: the first row, from the top, where brown covers nearly as many of the
// pan's columns as on its widest row (the rim is the widest part of the dish).
int rebord(const QImage& vue, int gauche, int droite, int haut, int bas, QRect masque)
{
    std::vector<int> compte(bas + 1, 0);
    int plusLarge = 0;
    for (int y = haut; y <= bas; ++y) {
        for (int x = gauche; x <= droite; ++x) {
            if (!masque.contains(x, y) && vue.pixelColor(x, y) == brun)
                ++compte[y];
        }
        plusLarge = std::max(plusLarge, compte[y]);
    }
    for (int y = haut; y <= bas; ++y) {
        if (compte[y] * 10 >= plusLarge * 9)
            return y;
    }
    return -1;
}

double luminance(QColor c)
{
    const auto lineaire = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineaire(c.redF()) + 0.7152 * lineaire(c.greenF()) + 0.0722 * lineaire(c.blueF());
}

// How a text stands out from its background, as a pupil sees it: the background is the colour that
// covers most of the picture, the text the pixel whose luminance lies farthest from it.
double contraste(const QImage& vue)
{
    std::map<QRgb, int> compte;
    for (int y = 0; y < vue.height(); ++y) {
        for (int x = 0; x < vue.width(); ++x)
            ++compte[vue.pixel(x, y)];
    }
    const QRgb fond = std::max_element(compte.begin(), compte.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
    })->first;
    const double lf = luminance(QColor(fond));
    double meilleur = 1;
    for (const auto& [couleur, n] : compte) {
        const double l = luminance(QColor(couleur));
        meilleur = std::max(meilleur, (std::max(l, lf) + 0.05) / (std::min(l, lf) + 0.05));
    }
    return meilleur;
}

// A desktop set to a dark scheme: light text on dark grounds everywhere.
QPalette paletteSombre()
{
    QPalette p(QColor(53, 53, 53));
    for (auto role : { QPalette::Window, QPalette::Button })
        p.setColor(role, QColor(53, 53, 53));
    for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText })
        p.setColor(role, QColor(238, 238, 238));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    return p;
}

// Puts the application's palette or font back as it was when the test ends, passed or failed.
struct Retour {
    QPalette palette = QApplication::palette();
    QFont police = QApplication::font();
    ~Retour()
    {
        QApplication::setPalette(palette);
        QApplication::setFont(police);
    }
};

} // namespace

class TestDessin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituerPolices();
        preparerApplication(*qApp);
    }

    void thePackageAndTheSmallWeightsStandOnThePans_data();
    void thePackageAndTheSmallWeightsStandOnThePans();
    void everyTextStaysReadableUnderADarkDesktop();
    void aLargeDesktopFontNeverCutsTheCaptionOfChanger_data();
    void aLargeDesktopFontNeverCutsTheCaptionOfChanger();
};

void TestDessin::thePackageAndTheSmallWeightsStandOnThePans_data()
{
    QTest::addColumn<int>("paquet");
    QTest::addColumn<int>("poids");
    QTest::addColumn<bool>("vert");

    QTest::newRow("level") << 500 << 0 << true;
    QTest::newRow("too much") << 300 << 0 << false;
    QTest::newRow("weight missing") << 300 << 1 << false;
}

void TestDessin::thePackageAndTheSmallWeightsStandOnThePans()
{
    QFETCH(int, paquet);
    QFETCH(int, poids);
    QFETCH(bool, vert);

    Banc banc(paquet);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);
    Scenario scenario;
    scenario.puis<BoiteSaisie>([paquet](BoiteSaisie* boite) {
        boite->findChild<QLineEdit*>()->setText(QString::number(paquet));
        boite->accept();
    });
    banc.cliquerAuMilieu(boite(poids));

    const QImage vue = banc.fenetre.centralWidget()->grab().toImage();
    const qreal ratio = vue.devicePixelRatio();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    const auto pixels = [&](QRect r) {
        return QRect(QPoint(qRound(r.left() * ratio), qRound(r.top() * ratio)),
            QPoint(qRound((r.right() + 1) * ratio) - 1, qRound((r.bottom() + 1) * ratio) - 1));
    };
    const QRect balance = pixels(banc.w(Image1)->geometry());
    const QRect colis = pixels(banc.w(Image3)->geometry());
    const QRect cellule = pixels(banc.w(Picture2(poids))->geometry());
    QVERIFY(banc.w(Picture2(poids))->isVisible());

    // The pans span picture columns 0 to 61 and 124 to 186 of the scale's 187.
    const auto colonne = [&](int c) { return balance.left() + c * balance.width() / 187; };
    const int rebordGauche = rebord(vue, colonne(0), colonne(61), balance.top(), balance.bottom(), colis);
    const int rebordDroit
        = rebord(vue, colonne(124), std::min(colonne(186), vue.width() - 1), balance.top(), balance.bottom(),
            cellule.united(pixels(banc.w(Picture2(0))->geometry()))
                .united(pixels(banc.w(Picture2(11))->geometry())));
    QVERIFY(rebordGauche > 0);
    QVERIFY(rebordDroit > 0);

    int basDuColis = -1;
    for (int y = colis.top(); y <= colis.bottom(); ++y) {
        for (int x = colis.left(); x <= colis.right(); ++x) {
            if (estDuPaquet(vue.pixelColor(x, y)))
                basDuColis = y + 1;
        }
    }

    // Within one picture row of the rim, in twips: a picture row is 2880 / 150 = 19.2 twips high.
    const double rangee = 19.2;
    const auto twips = [&](int pixels) { return pixels * 15.0 / ratio; };
    QVERIFY2(std::abs(twips(basDuColis) - twips(rebordGauche)) <= rangee,
        qPrintable(QStringLiteral("package bottom %1, rim %2").arg(basDuColis).arg(rebordGauche)));
    QVERIFY2(std::abs(twips(cellule.bottom() + 1) - twips(rebordDroit)) <= rangee,
        qPrintable(QStringLiteral("cells bottom %1, rim %2").arg(cellule.bottom() + 1).arg(rebordDroit)));

    // The band above the beam, left of the column: green when level, the window's white otherwise.
    const QColor fond = vue.pixelColor(colonne(40), balance.top() + 5);
    QCOMPARE(fond, vert ? vertVif : QColor(Qt::white));
    QCOMPARE(vue.pixelColor(colonne(180), balance.bottom() - 3), vert ? vertVif : QColor(Qt::white));
}

void TestDessin::everyTextStaysReadableUnderADarkDesktop()
{
    // Where the window fixes a background, it fixes the text's colour too; elsewhere both come from the
    // desktop. Either way each text keeps a contrast of 4.5 to 1, and the window's own white stays white.
    const Retour retour;
    QApplication::setPalette(paletteSombre());
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);
    banc.horloge.secondes += 75;
    QVERIFY(QTest::qWaitFor([&] { return !banc.w<QLineEdit>(rend)->text().isEmpty(); }, 3000));

    for (const char* nom : { "Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8",
             "Text1", "pesees", "Err", "tempo", "rend", "Text2" }) {
        auto* w = banc.fenetre.findChild<QWidget*>(QLatin1String(nom));
        QVERIFY2(w && w->isVisible(), nom);
        QImage vue = w->grab().toImage();
        if (auto* ligne = qobject_cast<QLineEdit*>(w)) {
            QVERIFY2(!ligne->text().trimmed().isEmpty(), nom);
            // Inside the frame, which the style draws in a colour of its own.
            const int cadre = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w) + 1;
            vue = vue.copy(vue.rect().adjusted(cadre, cadre, -cadre, -cadre));
        }
        const double c = contraste(vue);
        QVERIFY2(c >= 4.5, qPrintable(QStringLiteral("%1: %2 to 1").arg(nom).arg(c, 0, 'f', 2)));
    }

    // Inside the frame, away from every control, at whatever scale the screen has.
    const QImage fenetre = banc.fenetre.centralWidget()->grab().toImage();
    const qreal ratio = fenetre.devicePixelRatio();
    QCOMPARE(fenetre.pixelColor(qRound(20 * ratio), qRound(400 * ratio)), QColor(Qt::white));
}

void TestDessin::aLargeDesktopFontNeverCutsTheCaptionOfChanger_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("pendant"); // the desktop's font changes while the window is open

    QTest::newRow("usual desktop font") << 9.0 << false;
    QTest::newRow("16 pt desktop font") << 16.0 << false;
    QTest::newRow("16 pt desktop font, set while open") << 16.0 << true;
    QTest::newRow("12 pt desktop font, set while open") << 12.0 << true;
}

void TestDessin::aLargeDesktopFontNeverCutsTheCaptionOfChanger()
{
    QFETCH(double, points);
    QFETCH(bool, pendant);

    const Retour retour;
    QFont police = QApplication::font();
    police.setPointSizeF(points);
    if (!pendant)
        QApplication::setFont(police);
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    if (pendant) {
        QApplication::setFont(police);
        QTRY_COMPARE(banc.fenetre.font().pointSizeF(), points);
    }

    // The rectangle that the style gives the caption: the button inside its frame, below the icon.
    auto* bouton = banc.w<QToolButton>(maxi);
    QStyleOptionToolButton option;
    option.initFrom(bouton);
    option.subControls = QStyle::SC_ToolButton;
    option.toolButtonStyle = bouton->toolButtonStyle();
    option.iconSize = bouton->iconSize();
    const int cadre = bouton->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, bouton);
    const QRect etiquette
        = bouton->style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButton, bouton);
    const QRect place = etiquette.adjusted(cadre, cadre, -cadre, -cadre);
    const QFontMetrics mesure(bouton->font());
    const int largeur = mesure.horizontalAdvance(bouton->text());
    QCOMPARE(bouton->text(), QStringLiteral("Changer"));
    QVERIFY2(largeur <= place.width(),
        qPrintable(QStringLiteral("%1 px of text in %2").arg(largeur).arg(place.width())));
    QVERIFY(option.iconSize.height() >= 16);
    QVERIFY(mesure.height() + option.iconSize.height() + 4 <= place.height());
    // Only a font too large is made smaller, and only as much as it needs; the window's own fonts keep
    // their sizes.
    QVERIFY(bouton->font().pointSizeF() <= points);
    if (points <= 9)
        QCOMPARE(bouton->font().pointSizeF(), points);
    if (bouton->font().pointSizeF() < points) {
        QFont plus = bouton->font();
        plus.setPointSizeF(plus.pointSizeF() + 0.5);
        QVERIFY(QFontMetrics(plus).horizontalAdvance(bouton->text()) > place.width()
            || QFontMetrics(plus).height() + 16 + 4 > place.height());
    }
    QCOMPARE(banc.w(Command1)->font().pointSizeF(), 10.5);
    QCOMPARE(banc.w({ Nom::Label1 })->font().pointSizeF(), 7.5);
}

QTEST_MAIN(TestDessin)
#include "tst_dessin.moc"
