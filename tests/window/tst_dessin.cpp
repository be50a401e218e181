#include "application.h"
#include "outils.h"

#include <QInputDialog>

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
    scenario.puis<QInputDialog>([paquet](QInputDialog* boite) {
        boite->setTextValue(QString::number(paquet));
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

QTEST_MAIN(TestDessin)
#include "tst_dessin.moc"
