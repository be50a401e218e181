// The geometry that the window relies on, read from the pixels of the pictures themselves.

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

class TestGeometrie : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void balance_data();
    void balance();
    void colonne_data();
    void colonne();
    void neutreSansFond();
    void appui_data();
    void appui();
    void paquet();
    void plateau();
    void poids_data();
    void poids();
    void poidsCroissants();
};

namespace {

const QRgb presqueNoir = qRgb(8, 0, 0), brun = qRgb(181, 99, 0), vertVif = qRgb(64, 255, 64);

// Image1: 187 columns over 8730 twips from Left 120, 150 rows over 2880 twips from Top 0.
constexpr double twipsParColonne = 8730.0 / 187.0, twipsParLigne = 2880.0 / 150.0;
constexpr double gaucheImage1 = 120.0;

// The two pans keep these columns in every state of the scale.
constexpr int panGaucheDebut = 0, panGaucheFin = 61, panDroitDebut = 124, panDroitFin = 186;
constexpr int fleauDebut = 20, fleauFin = 161;

QImage charger(const QString& nom)
{
    QImage image(QStringLiteral(":/images/%1.png").arg(nom));
    if (image.isNull())
        qWarning("cannot read %s", qPrintable(nom));
    return image;
}

// A picture and its background, the colour of its top-left corner. Where the drawing itself may use that
// colour (the white highlights of the weights), only the background reached from the edges counts.
struct Dessin {
    QImage image;
    QRgb fond;
    std::vector<char> dehors;

    explicit Dessin(const QString& nom, bool fondDepuisLesBords = false)
        : image(charger(nom))
        , fond(image.isNull() ? 0 : image.pixel(0, 0))
        , dehors(static_cast<size_t>(image.width() * image.height()), 0)
    {
        const int w = image.width(), h = image.height();
        if (!fondDepuisLesBords) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    dehors[indice(x, y)] = image.pixel(x, y) == fond;
            return;
        }
        std::vector<QPoint> pile;
        for (int x = 0; x < w; ++x)
            pile.insert(pile.end(), { { x, 0 }, { x, h - 1 } });
        for (int y = 0; y < h; ++y)
            pile.insert(pile.end(), { { 0, y }, { w - 1, y } });
        while (!pile.empty()) {
            const QPoint p = pile.back();
            pile.pop_back();
            if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h || dehors[indice(p.x(), p.y())]
                || image.pixel(p) != fond)
                continue;
            dehors[indice(p.x(), p.y())] = 1;
            pile.insert(pile.end(),
                { { p.x() + 1, p.y() }, { p.x() - 1, p.y() }, { p.x(), p.y() + 1 }, { p.x(), p.y() - 1 } });
        }
    }

    size_t indice(int x, int y) const { return static_cast<size_t>(y * image.width() + x); }

    bool dessine(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && !dehors[indice(x, y)];
    }

    // The first row, from the top, in which every column from `debut` to `fin` is drawn.
    int premiereLignePleine(int debut, int fin) const
    {
        for (int y = 0; y < image.height(); ++y) {
            bool pleine = true;
            for (int x = debut; x <= fin && pleine; ++x)
                pleine = dessine(x, y);
            if (pleine)
                return y;
        }
        return -1;
    }

    int premiereLigne(int debut, int fin) const
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = debut; x <= fin; ++x)
                if (dessine(x, y))
                    return y;
        return -1;
    }

    int derniereLigne(int debut, int fin) const
    {
        for (int y = image.height() - 1; y >= 0; --y)
            for (int x = debut; x <= fin; ++x)
                if (dessine(x, y))
                    return y;
        return -1;
    }

    // The run of drawn pixels of row y that holds column x, as {first, last}; {-1, -1} if x is not drawn.
    std::pair<int, int> troncon(int x, int y) const
    {
        if (!dessine(x, y))
            return { -1, -1 };
        int a = x, b = x;
        while (dessine(a - 1, y))
            --a;
        while (dessine(b + 1, y))
            ++b;
        return { a, b };
    }

    // Whether a path of drawn pixels, corners included, leads from a to b.
    bool relies(QPoint a, QPoint b) const
    {
        if (!dessine(a.x(), a.y()) || !dessine(b.x(), b.y()))
            return false;
        std::vector<char> vu(static_cast<size_t>(image.width() * image.height()), 0);
        std::vector<QPoint> pile { a };
        vu[static_cast<size_t>(a.y() * image.width() + a.x())] = 1;
        while (!pile.empty()) {
            const QPoint p = pile.back();
            pile.pop_back();
            if (p == b)
                return true;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = p.x() + dx, y = p.y() + dy;
                    if (!dessine(x, y))
                        continue;
                    char& v = vu[static_cast<size_t>(y * image.width() + x)];
                    if (!v) {
                        v = 1;
                        pile.push_back({ x, y });
                    }
                }
        }
        return false;
    }
};

// The beam's rows in one column: the first run of near-black pixels from the top.
std::pair<int, int> fleau(const Dessin& d, int x)
{
    int y = 0;
    while (y < d.image.height() && d.image.pixel(x, y) != presqueNoir)
        ++y;
    const int haut = y;
    while (y < d.image.height() && d.image.pixel(x, y) == presqueNoir)
        ++y;
    return { haut, y - 1 };
}

enum class Bord { Haut, Bas };

} // namespace

void TestGeometrie::balance_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("rebordGauche");
    QTest::addColumn<int>("rebordDroit");
    QTest::addColumn<int>("bordGauche"); // Bord, at the left end of the beam
    QTest::addColumn<int>("ligneGauche");
    QTest::addColumn<int>("bordDroit");
    QTest::addColumn<int>("ligneDroite");

    const int haut = static_cast<int>(Bord::Haut), bas = static_cast<int>(Bord::Bas);
    QTest::newRow("neutral, level") << "balance" << 89 << 89 << haut << 27 << bas << 30;
    QTest::newRow("green, level") << "equilibre" << 89 << 89 << haut << 27 << bas << 30;
    QTest::newRow("too heavy, left end up") << "trop" << 73 << 109 << haut << 12 << bas << 50;
    QTest::newRow("too light, left end down") << "manque" << 101 << 79 << bas << 42 << haut << 20;
}

void TestGeometrie::balance()
{
    QFETCH(QString, nom);
    QFETCH(int, rebordGauche);
    QFETCH(int, rebordDroit);
    QFETCH(int, bordGauche);
    QFETCH(int, ligneGauche);
    QFETCH(int, bordDroit);
    QFETCH(int, ligneDroite);

    const Dessin d(nom);
    QVERIFY(!d.image.isNull());

    // The pans: the rim is the first row drawn right across the pan's columns, and the pan stops there.
    QCOMPARE(d.premiereLignePleine(panGaucheDebut, panGaucheFin), rebordGauche);
    QCOMPARE(d.premiereLignePleine(panDroitDebut, panDroitFin), rebordDroit);
    QVERIFY(!d.dessine(panGaucheFin + 1, rebordGauche));
    QVERIFY(!d.dessine(panDroitDebut - 1, rebordDroit));
    QCOMPARE(d.derniereLigne(panGaucheDebut, panGaucheFin), rebordGauche + 9);
    QCOMPARE(d.derniereLigne(panDroitDebut, panDroitFin), rebordDroit + 9);
    for (int x = panGaucheDebut; x <= panGaucheFin; ++x)
        QCOMPARE(d.image.pixel(x, rebordGauche), brun);
    for (int x = panDroitDebut; x <= panDroitFin; ++x)
        QCOMPARE(d.image.pixel(x, rebordDroit), brun);

    // The beam's two ends.
    const auto [hautGauche, basGauche] = fleau(d, fleauDebut);
    const auto [hautDroit, basDroit] = fleau(d, fleauFin);
    QCOMPARE(bordGauche == static_cast<int>(Bord::Haut) ? hautGauche : basGauche, ligneGauche);
    QCOMPARE(bordDroit == static_cast<int>(Bord::Haut) ? hautDroit : basDroit, ligneDroite);
    for (const int epaisseur : { basGauche - hautGauche + 1, basDroit - hautDroit + 1 })
        QVERIFY2(epaisseur >= 3 && epaisseur <= 5, qPrintable(QString::number(epaisseur)));
    for (int y = hautGauche - 3; y <= basGauche + 3; ++y)
        QVERIFY2(d.image.pixel(fleauDebut - 1, y) != presqueNoir, "the beam reaches past column 20");
    for (int y = hautDroit - 3; y <= basDroit + 3; ++y)
        QVERIFY2(d.image.pixel(fleauFin + 1, y) != presqueNoir, "the beam reaches past column 161");

    // Each pan hangs by its strings from its end of the beam, both ends of its rim.
    QVERIFY(d.relies({ panGaucheDebut, rebordGauche }, { fleauDebut, hautGauche }));
    QVERIFY(d.relies({ panDroitFin, rebordDroit }, { fleauFin, hautDroit }));
    for (const int x : { panGaucheDebut, panGaucheFin })
        QVERIFY2(d.dessine(x, rebordGauche - 1), "no string to this end of the left rim");
    for (const int x : { panDroitDebut, panDroitFin })
        QVERIFY2(d.dessine(x, rebordDroit - 1), "no string to this end of the right rim");
}

void TestGeometrie::colonne_data()
{
    QTest::addColumn<QString>("nom");
    QTest::newRow("neutral") << "balance";
    QTest::newRow("green") << "equilibre";
    QTest::newRow("too heavy") << "trop";
    QTest::newRow("too light") << "manque";
}

// The column stands on the centre line, and the window's black label plates lie on its black parts.
void TestGeometrie::colonne()
{
    QFETCH(QString, nom);
    const Dessin d(nom);
    QVERIFY(!d.image.isNull());

    const int axe = 93;
    QCOMPARE(d.premiereLigne(axe, axe), 0);
    QCOMPARE(d.derniereLigne(axe, axe), d.image.height() - 1);
    // Rows clear of the beam and of the pans, from the top ball down to the plinth.
    for (const int y : { 0, 2, 45, 60, 75, 88, 110, 125, 149 }) {
        const auto [a, b] = d.troncon(axe, y);
        QVERIFY2(a >= 0, qPrintable(QStringLiteral("row %1 does not reach the centre line").arg(y)));
        QVERIFY2(
            axe - a == b - axe, qPrintable(QStringLiteral("row %1 spans %2 to %3").arg(y).arg(a).arg(b)));
    }

    // Label5, Label7 and Label6, in twips.
    const QRectF plaques[] = { { 4236, 360, 312, 228 }, { 3960, 600, 852, 252 }, { 4200, 2040, 435, 180 } };
    for (const QRectF& plaque : plaques) {
        const int x0 = static_cast<int>(std::floor((plaque.left() - gaucheImage1) / twipsParColonne));
        const int x1 = static_cast<int>(std::ceil((plaque.right() - gaucheImage1) / twipsParColonne)) - 1;
        const int y0 = static_cast<int>(std::floor(plaque.top() / twipsParLigne));
        const int y1 = static_cast<int>(std::ceil(plaque.bottom() / twipsParLigne)) - 1;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                QVERIFY2(d.image.pixel(x, y) == presqueNoir,
                    qPrintable(QStringLiteral("pixel %1,%2 under the plate at %3,%4 is not black")
                                   .arg(x)
                                   .arg(y)
                                   .arg(plaque.left())
                                   .arg(plaque.top())));
    }
}

// The neutral scale is the green one without its background.
void TestGeometrie::neutreSansFond()
{
    const QImage neutre = charger(QStringLiteral("balance")), vert = charger(QStringLiteral("equilibre"));
    QCOMPARE(neutre.size(), vert.size());
    for (int y = 0; y < neutre.height(); ++y)
        for (int x = 0; x < neutre.width(); ++x) {
            const QRgb n = neutre.pixel(x, y), v = vert.pixel(x, y);
            if (qAlpha(n) == 0)
                QVERIFY2(v == vertVif, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            else
                QVERIFY2(v == n, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
}

void TestGeometrie::appui_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("hautPaquet"); // Image3's Top, twips
    QTest::addColumn<int>("hautCases"); // Picture2's Top, twips

    QTest::newRow("level") << "equilibre" << 1240 << 1610;
    QTest::newRow("neutral, at load") << "balance" << 1240 << 1610;
    QTest::newRow("too heavy") << "trop" << 930 << 1990;
    QTest::newRow("too light") << "manque" << 1470 << 1410;
}

// Stretched to the window, the package and the row of cells stand on their pans' rims, within one row.
void TestGeometrie::appui()
{
    QFETCH(QString, nom);
    QFETCH(int, hautPaquet);
    QFETCH(int, hautCases);

    const Dessin balance(nom);
    const Dessin paquet(QStringLiteral("paquet"));
    QVERIFY(!balance.image.isNull() && !paquet.image.isNull());

    const double rebordGauche = balance.premiereLignePleine(panGaucheDebut, panGaucheFin) * twipsParLigne;
    const double rebordDroit = balance.premiereLignePleine(panDroitDebut, panDroitFin) * twipsParLigne;

    // Image3 is 768 by 468 twips from Left 1320; the cells are 100 twips high, from 6480 to 7932 across.
    const double lignePaquet = 468.0 / paquet.image.height(), colonnePaquet = 768.0 / paquet.image.width();
    const int dernierePaquet = paquet.derniereLigne(0, paquet.image.width() - 1);
    const double basPaquet = hautPaquet + (dernierePaquet + 1) * lignePaquet;
    QVERIFY2(std::abs(basPaquet - rebordGauche) <= twipsParLigne,
        qPrintable(QStringLiteral("package at %1, rim at %2").arg(basPaquet).arg(rebordGauche)));
    const double basCases = hautCases + 100.0;
    QVERIFY2(std::abs(basCases - rebordDroit) <= twipsParLigne,
        qPrintable(QStringLiteral("cells at %1, rim at %2").arg(basCases).arg(rebordDroit)));

    // Across, both stand within their pans.
    int premiere = paquet.image.width(), derniere = -1;
    for (int y = 0; y < paquet.image.height(); ++y)
        for (int x = 0; x < paquet.image.width(); ++x)
            if (paquet.dessine(x, y)) {
                premiere = std::min(premiere, x);
                derniere = std::max(derniere, x);
            }
    const double gauchePaquet = 1320.0 + premiere * colonnePaquet,
                 droitePaquet = 1320.0 + (derniere + 1) * colonnePaquet;
    QVERIFY(gauchePaquet >= gaucheImage1 + panGaucheDebut * twipsParColonne);
    QVERIFY(droitePaquet <= gaucheImage1 + (panGaucheFin + 1) * twipsParColonne);
    QVERIFY(6480.0 >= gaucheImage1 + panDroitDebut * twipsParColonne);
    QVERIFY(7932.0 <= gaucheImage1 + (panDroitFin + 1) * twipsParColonne);
}

void TestGeometrie::paquet()
{
    const Dessin d(QStringLiteral("paquet"));
    QVERIFY(!d.image.isNull());
    QCOMPARE(qAlpha(d.fond), 0);
    // It stands on its last row, and on more than a point of it.
    int large = 0;
    for (int x = 0; x < d.image.width(); ++x)
        large += d.dessine(x, d.image.height() - 1) ? 1 : 0;
    QVERIFY2(large >= d.image.width() / 2, qPrintable(QString::number(large)));
}

void TestGeometrie::plateau()
{
    const Dessin d(QStringLiteral("plateau"));
    QVERIFY(!d.image.isNull());
    const int dernierePlateau = d.image.width() - 1;

    // The strings meet at one point, the top of the picture's drawing.
    QCOMPARE(d.premiereLigne(0, dernierePlateau), 13);
    for (int x = 0; x <= dernierePlateau; ++x)
        QCOMPARE(d.dessine(x, 13), x == 33);

    QCOMPARE(d.premiereLignePleine(0, 68), 73);
    QVERIFY(!d.dessine(69, 73));
    QCOMPARE(d.derniereLigne(0, dernierePlateau), 82);
    QVERIFY(d.relies({ 33, 13 }, { 0, 73 }));
    QVERIFY(d.relies({ 33, 13 }, { 68, 73 }));
    QVERIFY(d.dessine(0, 72) && d.dessine(68, 72));

    // Image2 stretches it over 2640 twips from Top 2760; the weights on the plate stand at 4932.
    const double ligne = 2640.0 / d.image.height();
    const double rebord = 2760.0 + 73 * ligne;
    QVERIFY2(std::abs(rebord - 4932.0) <= ligne, qPrintable(QString::number(rebord)));
}

namespace {

struct Mesure {
    int bouton; // the knob's width, at its widest
    int cylindre; // rows from the top of the body to the bottom
};

// From the top down the rows widen to the knob's middle, narrow to the neck and widen again to the body, the
// first row that spans most of the picture's width.
Mesure mesurer(const Dessin& d)
{
    const int w = d.image.width();
    Mesure m { 0, 0 };
    bool boutonPasse = false;
    for (int y = 0; y < d.image.height(); ++y) {
        int a = w, b = -1;
        for (int x = 0; x < w; ++x)
            if (d.dessine(x, y)) {
                a = std::min(a, x);
                b = std::max(b, x);
            }
        const int largeur = b - a + 1;
        if (largeur * 5 >= w * 4) {
            m.cylindre = d.image.height() - y;
            break;
        }
        if (largeur < m.bouton)
            boutonPasse = true;
        if (!boutonPasse)
            m.bouton = largeur;
    }
    return m;
}

const QStringList poidsParMasse { "poids1", "poids2", "poids5", "poids10", "poids20", "poids50", "poids100",
    "poids200", "poids500" };

} // namespace

void TestGeometrie::poids_data()
{
    QTest::addColumn<QString>("nom");
    for (const QString& nom : poidsParMasse)
        QTest::newRow(qPrintable(nom)) << nom;
}

// Each weight stands on the last row of its picture, on white, outlined in black.
void TestGeometrie::poids()
{
    QFETCH(QString, nom);
    const Dessin d(nom, true);
    QVERIFY(!d.image.isNull());
    QCOMPARE(d.fond, qRgb(255, 255, 255));
    const int w = d.image.width(), h = d.image.height();
    QCOMPARE(d.derniereLigne(0, w - 1), h - 1);
    bool encre = false;
    for (int x = 0; x < w; ++x)
        encre = encre || d.image.pixel(x, h - 1) == qRgb(0, 0, 0);
    QVERIFY2(encre, "no black outline along the bottom");
    // Left and right halves mirror each other in shape, if not in light.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            QVERIFY2(d.dessine(x, y) == d.dessine(w - 1 - x, y), qPrintable(QStringLiteral("row %1").arg(y)));
}

// The heavier the weight, the taller its cylinder and the bigger its knob.
void TestGeometrie::poidsCroissants()
{
    Mesure avant { 0, 0 };
    QString nomAvant;
    for (const QString& nom : poidsParMasse) {
        const Dessin d(nom, true);
        QVERIFY(!d.image.isNull());
        const Mesure m = mesurer(d);
        QVERIFY2(
            m.bouton > avant.bouton, qPrintable(nom + QStringLiteral(" knob not bigger than ") + nomAvant));
        QVERIFY2(
            m.cylindre > avant.cylindre, qPrintable(nom + QStringLiteral(" not taller than ") + nomAvant));
        avant = m;
        nomAvant = nom;
    }
}

QTEST_GUILESS_MAIN(TestGeometrie)
#include "tst_geometrie.moc"
