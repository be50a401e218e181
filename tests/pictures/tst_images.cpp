// The pictures carried by the program: sizes, indexed colours, transparency and palettes, at the natural size
// and in the sets drawn twice and three times finer for scaled screens ("name@2x.png", "name@3x.png").

#include <QImage>
#include <QList>
#include <QSet>
#include <QTest>

using Couleurs = QList<QRgb>;

class TestImages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void format_data();
    void format();
    void iconesDuBureau_data();
    void iconesDuBureau();
    void mini_data();
    void mini();
};

namespace {

const QRgb presqueNoir = qRgb(8, 0, 0), brun = qRgb(181, 99, 0), vertVif = qRgb(64, 255, 64);
const QRgb jaune = qRgb(255, 255, 0), bleu = qRgb(0, 0, 255), blanc = qRgb(255, 255, 255);
const QRgb noir = qRgb(0, 0, 0), gris = qRgb(128, 128, 128), rougeSombre = qRgb(128, 0, 0);
const QRgb cyan = qRgb(0, 255, 255), jauneSombre = qRgb(128, 128, 0), vert = qRgb(0, 255, 0);
const QRgb rouge = qRgb(255, 0, 0);

Couleurs seizeGris()
{
    Couleurs c;
    for (int g = 0; g < 16; ++g)
        c.append(qRgb(17 * g, 17 * g, 17 * g));
    return c;
}

Couleurs tousLesGris()
{
    Couleurs c;
    for (int g = 0; g < 256; ++g)
        c.append(qRgb(g, g, g));
    return c;
}

QString fichier(const QString& nom, int facteur)
{
    return facteur == 1 ? QStringLiteral(":/images/%1.png").arg(nom)
                        : QStringLiteral(":/images/%1@%2x.png").arg(nom).arg(facteur);
}

QImage charger(const QString& fichier)
{
    QImage image(fichier);
    if (image.isNull())
        qWarning("cannot read %s", qPrintable(fichier));
    return image;
}

// The colours that the pixels show, transparency apart.
QSet<QRgb> couleursVisibles(const QImage& image, bool* transparence)
{
    QSet<QRgb> vues;
    *transparence = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            // A half-transparent pixel keeps its alpha, so that no opaque palette admits it.
            if (qAlpha(c) == 0)
                *transparence = true;
            else
                vues.insert(c);
        }
    return vues;
}

bool indexee(const QImage& image)
{
    return image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono
        || image.format() == QImage::Format_MonoLSB;
}

QString nomCouleur(QRgb c)
{
    return QStringLiteral("(%1, %2, %3, alpha %4)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)).arg(qAlpha(c));
}

void verifierCouleurs(
    const QImage& image, bool transparente, const Couleurs& permises, const Couleurs& requises, int maximum)
{
    QVERIFY2(indexee(image), "not an indexed picture");
    QVERIFY2(image.colorCount() <= maximum, qPrintable(QString::number(image.colorCount())));

    bool transparence = false;
    const QSet<QRgb> vues = couleursVisibles(image, &transparence);
    for (QRgb c : vues)
        QVERIFY2(permises.contains(c),
            qPrintable(QStringLiteral("colour %1 is not in the palette").arg(nomCouleur(c))));
    for (QRgb c : requises)
        QVERIFY2(vues.contains(c), qPrintable(QStringLiteral("colour %1 is never used").arg(nomCouleur(c))));

    QCOMPARE(transparence, transparente);
    if (transparente) {
        // The background is the transparent colour: the corners show what lies behind.
        const int w = image.width() - 1, h = image.height() - 1;
        for (auto [x, y] : { std::pair { 0, 0 }, { w, 0 }, { 0, h }, { w, h } })
            QVERIFY2(
                qAlpha(image.pixel(x, y)) == 0, qPrintable(QStringLiteral("corner %1,%2").arg(x).arg(y)));
    }
}

} // namespace

void TestImages::format_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("facteur");
    QTest::addColumn<QSize>("taille"); // at the natural size
    QTest::addColumn<bool>("transparente");
    QTest::addColumn<Couleurs>("permises");
    QTest::addColumn<Couleurs>("requises");
    QTest::addColumn<int>("maximum"); // entries of the colour table

    // Each picture is tested at the natural size and at 2x and 3x.
    struct Image {
        const char* cas;
        const char* nom;
        QSize taille;
        bool transparente;
        Couleurs permises, requises;
        int maximum;
    };
    std::vector<Image> images;

    const Couleurs balance { presqueNoir, brun };
    images.push_back({ "neutral scale", "balance", { 187, 150 }, true, balance, balance, 256 });
    images.push_back({ "level scale on green", "equilibre", { 187, 150 }, false,
        { presqueNoir, brun, vertVif }, { presqueNoir, brun, vertVif }, 256 });
    images.push_back({ "scale tipped, plate too heavy", "trop", { 187, 150 }, true, balance, balance, 256 });
    images.push_back(
        { "scale tipped, plate too light", "manque", { 187, 150 }, true, balance, balance, 256 });
    images.push_back({ "package", "paquet", { 83, 87 }, true, { jaune, bleu }, { jaune, bleu }, 256 });
    images.push_back({ "plate", "plateau", { 71, 89 }, false, { brun, blanc }, { brun, blanc }, 256 });
    images.push_back({ "small weight", "mini", { 8, 8 }, false, { gris, blanc }, { gris, blanc }, 256 });

    const struct {
        const char* ligne;
        const char* nom;
        QSize taille;
    } poids[] = {
        { "weight 500 g", "poids500", { 136, 231 } },
        { "weight 200 g", "poids200", { 114, 168 } },
        { "weight 100 g", "poids100", { 86, 120 } },
        { "weight 50 g", "poids50", { 66, 98 } },
        { "weight 20 g", "poids20", { 46, 73 } },
        { "weight 10 g", "poids10", { 29, 45 } },
        { "weight 5 g", "poids5", { 26, 40 } },
        { "weight 2 g", "poids2", { 21, 29 } },
        { "weight 1 g", "poids1", { 24, 18 } },
    };
    for (const auto& p : poids)
        images.push_back({ p.ligne, p.nom, p.taille, false, seizeGris(), { noir, blanc }, 256 });

    const Couleurs icone { cyan, noir, rougeSombre };
    images.push_back({ "window icon", "icone_balance32", { 32, 32 }, false, icone, icone, 16 });
    const Couleurs feu { noir, gris, rougeSombre, jauneSombre, vert };
    images.push_back({ "start icon 32", "feu32", { 32, 32 }, true, feu, feu, 16 });
    images.push_back({ "start icon 16", "feu16", { 16, 16 }, true, feu, feu, 16 });
    const Couleurs stop { rouge, blanc };
    images.push_back({ "stop icon 32", "stop32", { 32, 32 }, true, stop, stop, 16 });
    images.push_back({ "stop icon 16", "stop16", { 16, 16 }, true, stop, stop, 16 });
    images.push_back({ "spanner icon 32", "cle32", { 32, 32 }, true, tousLesGris(), { noir, blanc }, 16 });
    images.push_back({ "spanner icon 16", "cle16", { 16, 16 }, true, tousLesGris(), { noir, blanc }, 16 });

    for (const int facteur : { 1, 2, 3 })
        for (const Image& i : images)
            QTest::addRow("%s, %dx", i.cas, facteur)
                << QString::fromLatin1(i.nom) << facteur << i.taille << i.transparente << i.permises
                << i.requises << i.maximum;
}

void TestImages::format()
{
    QFETCH(QString, nom);
    QFETCH(int, facteur);
    QFETCH(QSize, taille);
    QFETCH(bool, transparente);
    QFETCH(Couleurs, permises);
    QFETCH(Couleurs, requises);
    QFETCH(int, maximum);

    const QImage image = charger(fichier(nom, facteur));
    QCOMPARE(image.size(), taille * facteur);
    verifierCouleurs(image, transparente, permises, requises, maximum);
    // The finer pictures keep the natural one's colour table, entry for entry.
    QCOMPARE(image.colorTable(), charger(fichier(nom, 1)).colorTable());
}

// Not carried by the program: the desktop's icon theme installs them beside it.
void TestImages::iconesDuBureau_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("taille");
    QTest::newRow("48 pixels") << "icone_balance48" << 48;
    QTest::newRow("256 pixels") << "icone_balance256" << 256;
}

void TestImages::iconesDuBureau()
{
    QFETCH(QString, nom);
    QFETCH(int, taille);
    const QImage image = charger(QStringLiteral(DOSSIER_IMAGES "/%1.png").arg(nom));
    QCOMPARE(image.size(), QSize(taille, taille));
    const Couleurs icone { cyan, noir, rougeSombre };
    verifierCouleurs(image, false, icone, icone, 16);
}

void TestImages::mini_data()
{
    QTest::addColumn<int>("facteur");
    QTest::newRow("natural size") << 1;
    QTest::newRow("2x") << 2;
    QTest::newRow("3x") << 3;
}

// Finer, each of its pixels is a block of the finer picture's pixels.
void TestImages::mini()
{
    QFETCH(int, facteur);
    const char* const motif[]
        = { "...##...", ".######.", ".######.", ".######.", ".######.", ".######.", ".######.", ".######." };
    const QImage image = charger(fichier(QStringLiteral("mini"), facteur));
    QCOMPARE(image.size(), QSize(8, 8) * facteur);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QVERIFY2(image.pixel(x, y) == (motif[y / facteur][x / facteur] == '#' ? gris : blanc),
                qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
}

QTEST_GUILESS_MAIN(TestImages)
#include "tst_images.moc"
