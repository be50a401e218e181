// The geometry that the window relies on, read from the pixels of the pictures themselves: at the natural
// size and in the sets drawn twice and three times finer, where every row and column of the natural picture
// is that many rows and columns.

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
    void neutreSansFond_data();
    void neutreSansFond();
    void appui_data();
    void appui();
    void paquet_data();
    void paquet();
    void plateau_data();
    void plateau();
    void poids_data();
    void poids();
    void poidsCroissants_data();
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

QImage charger(const QString& nom, int facteur)
{
    QImage image(facteur == 1 ? QStringLiteral(":/images/%1.png").arg(nom)
                              : QStringLiteral(":/images/%1@%2x.png").arg(nom).arg(facteur));
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

    explicit Dessin(const QString& nom, int facteur = 1, bool fondDepuisLesBords = false)
        : image(charger(nom, facteur))
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

void lignesDesFacteurs()
{
    QTest::addColumn<int>("facteur");
    QTest::newRow("natural size") << 1;
    QTest::newRow("2x") << 2;
    QTest::newRow("3x") << 3;
}

} // namespace

void TestGeometrie::balance_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("facteur");
    QTest::addColumn<int>("rebordGauche"); // rows and columns of the natural size
    QTest::addColumn<int>("rebordDroit");
    QTest::addColumn<int>("bordGauche"); // Bord, at the left end of the beam
    QTest::addColumn<int>("ligneGauche");
    QTest::addColumn<int>("bordDroit");
    QTest::addColumn<int>("ligneDroite");

    const int haut = static_cast<int>(Bord::Haut), bas = static_cast<int>(Bord::Bas);
    for (const int f : { 1, 2, 3 }) {
        QTest::addRow("neutral, level, %dx", f) << "balance" << f << 89 << 89 << haut << 27 << bas << 30;
        QTest::addRow("green, level, %dx", f) << "equilibre" << f << 89 << 89 << haut << 27 << bas << 30;
        QTest::addRow("too heavy, left end up, %dx", f)
            << "trop" << f << 73 << 109 << haut << 12 << bas << 50;
        QTest::addRow("too light, left end down, %dx", f)
            << "manque" << f << 101 << 79 << bas << 42 << haut << 20;
    }
}

void TestGeometrie::balance()
{
    QFETCH(QString, nom);
    QFETCH(int, facteur);
    QFETCH(int, rebordGauche);
    QFETCH(int, rebordDroit);
    QFETCH(int, bordGauche);
    QFETCH(int, ligneGauche);
    QFETCH(int, bordDroit);
    QFETCH(int, ligneDroite);

    const Dessin d(nom, facteur);
    QVERIFY(!d.image.isNull());
    // The first and the last of the finer rows or columns that make one of the natural size.
    const int f = facteur;
    const auto premier = [f](int n) { return n * f; };
    const auto dernier = [f](int n) { return (n + 1) * f - 1; };

    // The pans: the rim is the first row drawn right across the pan's columns, and the pan stops there.
    const int gauche0 = premier(panGaucheDebut), gauche1 = dernier(panGaucheFin);
    const int droit0 = premier(panDroitDebut), droit1 = dernier(panDroitFin);
    QCOMPARE(d.premiereLignePleine(gauche0, gauche1), premier(rebordGauche));
    QCOMPARE(d.premiereLignePleine(droit0, droit1), premier(rebordDroit));
    QVERIFY(!d.dessine(gauche1 + 1, premier(rebordGauche)));
    QVERIFY(!d.dessine(droit0 - 1, premier(rebordDroit)));
    QCOMPARE(d.derniereLigne(gauche0, gauche1), dernier(rebordGauche + 9));
    QCOMPARE(d.derniereLigne(droit0, droit1), dernier(rebordDroit + 9));
    for (int x = gauche0; x <= gauche1; ++x)
        QCOMPARE(d.image.pixel(x, premier(rebordGauche)), brun);
    for (int x = droit0; x <= droit1; ++x)
        QCOMPARE(d.image.pixel(x, premier(rebordDroit)), brun);

    // The beam's two ends.
    const auto [hautGauche, basGauche] = fleau(d, premier(fleauDebut));
    const auto [hautDroit, basDroit] = fleau(d, dernier(fleauFin));
    QCOMPARE(bordGauche == static_cast<int>(Bord::Haut) ? hautGauche : basGauche,
        bordGauche == static_cast<int>(Bord::Haut) ? premier(ligneGauche) : dernier(ligneGauche));
    QCOMPARE(bordDroit == static_cast<int>(Bord::Haut) ? hautDroit : basDroit,
        bordDroit == static_cast<int>(Bord::Haut) ? premier(ligneDroite) : dernier(ligneDroite));
    for (const int epaisseur : { basGauche - hautGauche + 1, basDroit - hautDroit + 1 })
        QVERIFY2(epaisseur >= 3 * f && epaisseur <= 5 * f, qPrintable(QString::number(epaisseur)));
    for (int y = hautGauche - 3 * f; y <= basGauche + 3 * f; ++y)
        QVERIFY2(d.image.pixel(premier(fleauDebut) - 1, y) != presqueNoir, "the beam reaches past column 20");
    for (int y = hautDroit - 3 * f; y <= basDroit + 3 * f; ++y)
        QVERIFY2(d.image.pixel(dernier(fleauFin) + 1, y) != presqueNoir, "the beam reaches past column 161");

    // Each pan hangs by its strings from its end of the beam, both ends of its rim.
    QVERIFY(d.relies({ gauche0, premier(rebordGauche) }, { premier(fleauDebut), hautGauche }));
    QVERIFY(d.relies({ droit1, premier(rebordDroit) }, { dernier(fleauFin), hautDroit }));
    for (const int x : { gauche0, gauche1 })
        QVERIFY2(d.dessine(x, premier(rebordGauche) - 1), "no string to this end of the left rim");
    for (const int x : { droit0, droit1 })
        QVERIFY2(d.dessine(x, premier(rebordDroit) - 1), "no string to this end of the right rim");
}

void TestGeometrie::colonne_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("facteur");
    for (const int f : { 1, 2, 3 }) {
        QTest::addRow("neutral, %dx", f) << "balance" << f;
        QTest::addRow("green, %dx", f) << "equilibre" << f;
        QTest::addRow("too heavy, %dx", f) << "trop" << f;
        QTest::addRow("too light, %dx", f) << "manque" << f;
    }
}

// The column stands on the centre line, and the window's black label plates lie on its black parts.
void TestGeometrie::colonne()
{
    QFETCH(QString, nom);
    QFETCH(int, facteur);
    const Dessin d(nom, facteur);
    QVERIFY(!d.image.isNull());

    // The centre line is the middle of column 93 of the natural size.
    const int axe = 93 * facteur + facteur / 2;
    QCOMPARE(d.premiereLigne(axe, axe), 0);
    QCOMPARE(d.derniereLigne(axe, axe), d.image.height() - 1);
    // Rows clear of the beam and of the pans, from the top ball down to the plinth.
    for (const int rangee : { 0, 2, 45, 60, 75, 88, 110, 125, 149 }) {
        const int y = rangee * facteur + facteur / 2;
        const auto [a, b] = d.troncon(axe, y);
        QVERIFY2(a >= 0, qPrintable(QStringLiteral("row %1 does not reach the centre line").arg(y)));
        QVERIFY2(a + b + 1 == 187 * facteur,
            qPrintable(QStringLiteral("row %1 spans %2 to %3").arg(y).arg(a).arg(b)));
    }

    // Label5, Label7 and Label6, in twips.
    const QRectF plaques[] = { { 4236, 360, 312, 228 }, { 3960, 600, 852, 252 }, { 4200, 2040, 435, 180 } };
    const double colonne = twipsParColonne / facteur, ligne = twipsParLigne / facteur;
    for (const QRectF& plaque : plaques) {
        const int x0 = static_cast<int>(std::floor((plaque.left() - gaucheImage1) / colonne));
        const int x1 = static_cast<int>(std::ceil((plaque.right() - gaucheImage1) / colonne)) - 1;
        const int y0 = static_cast<int>(std::floor(plaque.top() / ligne));
        const int y1 = static_cast<int>(std::ceil(plaque.bottom() / ligne)) - 1;
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

void TestGeometrie::neutreSansFond_data()
{
    lignesDesFacteurs();
}

// The neutral scale is the green one without its background.
void TestGeometrie::neutreSansFond()
{
    QFETCH(int, facteur);
    const QImage neutre = charger(QStringLiteral("balance"), facteur);
    const QImage vert = charger(QStringLiteral("equilibre"), facteur);
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
    QTest::addColumn<int>("facteur");
    QTest::addColumn<int>("hautPaquet"); // Image3's Top, twips
    QTest::addColumn<int>("hautCases"); // Picture2's Top, twips

    for (const int f : { 1, 2, 3 }) {
        QTest::addRow("level, %dx", f) << "equilibre" << f << 1240 << 1610;
        QTest::addRow("neutral, at load, %dx", f) << "balance" << f << 1240 << 1610;
        QTest::addRow("too heavy, %dx", f) << "trop" << f << 930 << 1990;
        QTest::addRow("too light, %dx", f) << "manque" << f << 1470 << 1410;
    }
}

// Stretched to the window, the package and the row of cells stand on their pans' rims, within one row of the
// natural size.
void TestGeometrie::appui()
{
    QFETCH(QString, nom);
    QFETCH(int, facteur);
    QFETCH(int, hautPaquet);
    QFETCH(int, hautCases);

    const Dessin balance(nom, facteur);
    const Dessin paquet(QStringLiteral("paquet"), facteur);
    QVERIFY(!balance.image.isNull() && !paquet.image.isNull());

    const int f = facteur;
    const double ligne = twipsParLigne / f, colonne = twipsParColonne / f;
    const double rebordGauche
        = balance.premiereLignePleine(panGaucheDebut * f, (panGaucheFin + 1) * f - 1) * ligne;
    const double rebordDroit
        = balance.premiereLignePleine(panDroitDebut * f, (panDroitFin + 1) * f - 1) * ligne;

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
    QVERIFY(gauchePaquet >= gaucheImage1 + panGaucheDebut * f * colonne);
    QVERIFY(droitePaquet <= gaucheImage1 + (panGaucheFin + 1) * f * colonne);
    QVERIFY(6480.0 >= gaucheImage1 + panDroitDebut * f * colonne);
    QVERIFY(7932.0 <= gaucheImage1 + (panDroitFin + 1) * f * colonne);
}

void TestGeometrie::paquet_data()
{
    lignesDesFacteurs();
}

void TestGeometrie::paquet()
{
    QFETCH(int, facteur);
    const Dessin d(QStringLiteral("paquet"), facteur);
    QVERIFY(!d.image.isNull());
    QCOMPARE(qAlpha(d.fond), 0);
    // It stands on its last row, and on more than a point of it.
    int large = 0;
    for (int x = 0; x < d.image.width(); ++x)
        large += d.dessine(x, d.image.height() - 1) ? 1 : 0;
    QVERIFY2(large >= d.image.width() / 2, qPrintable(QString::number(large)));
}

void TestGeometrie::plateau_data()
{
    lignesDesFacteurs();
}

void TestGeometrie::plateau()
{
    QFETCH(int, facteur);
    const Dessin d(QStringLiteral("plateau"), facteur);
    QVERIFY(!d.image.isNull());
    const int dernierePlateau = d.image.width() - 1;
    const int f = facteur;

    // The strings meet at one point, the top of the picture's drawing.
    QCOMPARE(d.premiereLigne(0, dernierePlateau), 13 * f);
    for (int x = 0; x <= dernierePlateau; ++x)
        QCOMPARE(d.dessine(x, 13 * f), x >= 33 * f && x < 34 * f);

    const int bordDroit = 69 * f - 1;
    QCOMPARE(d.premiereLignePleine(0, bordDroit), 73 * f);
    QVERIFY(!d.dessine(bordDroit + 1, 73 * f));
    QCOMPARE(d.derniereLigne(0, dernierePlateau), 83 * f - 1);
    QVERIFY(d.relies({ 33 * f, 13 * f }, { 0, 73 * f }));
    QVERIFY(d.relies({ 33 * f, 13 * f }, { bordDroit, 73 * f }));
    QVERIFY(d.dessine(0, 73 * f - 1) && d.dessine(bordDroit, 73 * f - 1));

    // Image2 stretches it over 2640 twips from Top 2760; the weights on the plate stand at 4932.
    const double ligne = 2640.0 / d.image.height();
    const double rebord = 2760.0 + 73 * f * ligne;
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
    QTest::addColumn<int>("facteur");
    for (const int f : { 1, 2, 3 })
        for (const QString& nom : poidsParMasse)
            QTest::addRow("%s, %dx", qPrintable(nom), f) << nom << f;
}

// Each weight stands on the last row of its picture, on white, outlined in black.
void TestGeometrie::poids()
{
    QFETCH(QString, nom);
    QFETCH(int, facteur);
    const Dessin d(nom, facteur, true);
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

void TestGeometrie::poidsCroissants_data()
{
    lignesDesFacteurs();
}

// The heavier the weight, the taller its cylinder and the bigger its knob.
void TestGeometrie::poidsCroissants()
{
    QFETCH(int, facteur);
    Mesure avant { 0, 0 };
    QString nomAvant;
    for (const QString& nom : poidsParMasse) {
        const Dessin d(nom, facteur, true);
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
