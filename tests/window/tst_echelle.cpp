#include "application.h"
#include "outils.h"

#include <QAbstractButton>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

// On a screen scaled by QT_SCALE_FACTOR=2 the window shows the pictures drawn twice finer: a grab of the real
// window is not the natural-size window with its pixels doubled, and each image shows the finer picture
// stretched to its rectangle, not the natural one. The natural-size grab comes from this same program, run
// again with QT_SCALE_FACTOR=1.

namespace {

const char* const optionNaturelle = "--vue-naturelle";

// A weighing under way: the box open, four weights on the plate and the scale showing weight missing.
const int lesPoidsPoses[] = { 1, 5, 9, 11 };

void mettreEnPlace(Banc& banc)
{
    banc.fenetre.show();
    if (!QTest::qWaitForWindowExposed(&banc.fenetre))
        qFatal("the window is not shown");
    banc.cliquerAuMilieu(Command1);
    for (const int i : lesPoidsPoses)
        banc.cliquerAuMilieu(boite(i));
}

QImage vue(const Banc& banc)
{
    return banc.fenetre.centralWidget()->grab().toImage();
}

const char* const fichiersPoids[] = { "poids500", "poids200", "poids100", "poids100", "poids50", "poids20",
    "poids10", "poids10", "poids5", "poids2", "poids2", "poids1" };

// An image of the window, the picture it must show, and how.
struct Montre {
    Controle controle;
    QString picture;
    bool etiree;
};

std::vector<Montre> imagesMontrees(const Banc& banc)
{
    std::vector<Montre> images { { Image1, QStringLiteral("manque"), true },
        { Image2, QStringLiteral("plateau"), true }, { Image3, QStringLiteral("paquet"), true } };
    for (int i = 0; i < 12; ++i) {
        const QString poids = QString::fromLatin1(fichiersPoids[i]);
        if (banc.w(boite(i))->isVisible() && !banc.w<ImageControle>(boite(i))->image().isNull())
            images.push_back({ boite(i), poids, true });
        if (!banc.w<ImageControle>(baim(i))->image().isNull())
            images.push_back({ baim(i), poids, true });
        if (banc.w(Picture2(i))->isVisible())
            images.push_back({ Picture2(i), QStringLiteral("mini"), false });
    }
    return images;
}

// The pixels of a widget's rectangle, in the grab's pixels, that nothing drawn after it covers. The frame
// covers only the band of its rounded outline.
std::vector<QPoint> pixelsVisibles(const QWidget* w, qreal ratio)
{
    const QWidget* surface = w->parentWidget();
    const QObjectList& enfants = surface->children();
    std::vector<QRect> devant;
    for (qsizetype k = enfants.indexOf(const_cast<QWidget*>(w)) + 1; k < enfants.size(); ++k) {
        const auto* autre = qobject_cast<const QWidget*>(enfants[k]);
        if (!autre || !autre->isVisible() || !autre->geometry().intersects(w->geometry()))
            continue;
        if (dynamic_cast<const Cadre*>(autre)) {
            const QRect g = autre->geometry();
            constexpr int bande = 8;
            devant.push_back({ g.left(), g.top(), g.width(), bande });
            devant.push_back({ g.left(), g.bottom() - bande + 1, g.width(), bande });
            devant.push_back({ g.left(), g.top(), bande, g.height() });
            devant.push_back({ g.right() - bande + 1, g.top(), bande, g.height() });
        } else {
            devant.push_back(autre->geometry());
        }
    }
    std::vector<QPoint> pixels;
    const QRect g = w->geometry().intersected(surface->rect());
    for (int y = qRound(g.top() * ratio); y < qRound((g.bottom() + 1) * ratio); ++y)
        for (int x = qRound(g.left() * ratio); x < qRound((g.right() + 1) * ratio); ++x) {
            const QPointF point(x / ratio, y / ratio);
            if (std::none_of(
                    devant.begin(), devant.end(), [&](const QRect& r) { return QRectF(r).contains(point); }))
                pixels.emplace_back(x, y);
        }
    return pixels;
}

// What the image shows with this picture: stretched to its rectangle or from its top-left corner, over the
// window's white, at the grab's pixel ratio; placed in a picture of the whole window.
QImage rendu(const QImage& modele, const QWidget* w, const QString& fichier, bool etiree)
{
    QImage image(modele.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(modele.devicePixelRatio());
    image.fill(Qt::white);
    const QPixmap picture(fichier);
    if (picture.isNull())
        qFatal("cannot read %s", qPrintable(fichier));
    QPainter peintre(&image);
    peintre.translate(w->pos());
    if (etiree)
        peintre.drawPixmap(QRect(QPoint(), w->size()), picture);
    else
        peintre.drawPixmap(0, 0, picture);
    return image;
}

int ecarts(const QImage& a, const QImage& b, const std::vector<QPoint>& pixels)
{
    return static_cast<int>(
        std::count_if(pixels.begin(), pixels.end(), [&](QPoint p) { return a.pixel(p) != b.pixel(p); }));
}

} // namespace

class TestEchelle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituerPolices();
        preparerApplication(*qApp);
    }

    void theScaledWindowIsNotTheNaturalOneWithItsPixelsDoubled();
    void eachImageShowsThePictureDrawnForTheScreen();
    void theButtonsTakeTheirIconsDrawnForTheScreen_data();
    void theButtonsTakeTheirIconsDrawnForTheScreen();
    void theButtonsShowTheirIconsDrawnForTheScreen_data() { theButtonsTakeTheirIconsDrawnForTheScreen_data(); }
    void theButtonsShowTheirIconsDrawnForTheScreen();
};

void TestEchelle::theScaledWindowIsNotTheNaturalOneWithItsPixelsDoubled()
{
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    const QString fichierNaturel = dossier.filePath(QStringLiteral("naturelle.png"));
    QProcess enfant;
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1"));
    enfant.setProcessEnvironment(environnement);
    enfant.start(
        QCoreApplication::applicationFilePath(), { QString::fromLatin1(optionNaturelle), fichierNaturel });
    QVERIFY(enfant.waitForFinished(60000));
    QCOMPARE(enfant.exitCode(), 0);
    const QImage naturelle(fichierNaturel);
    QVERIFY(!naturelle.isNull());

    Banc banc(1000);
    mettreEnPlace(banc);
    const QImage fine = vue(banc);
    QCOMPARE(fine.devicePixelRatio(), 2.0);
    QCOMPARE(fine.size(), naturelle.size() * 2);

    // The tiny weight on the scale is a block of grey by design: its finer drawing is the same, doubled.
    QStringList fautes;
    for (const Montre& m : imagesMontrees(banc)) {
        if (m.controle.nom == Nom::Picture2)
            continue;
        const std::vector<QPoint> pixels = pixelsVisibles(banc.w(m.controle), 2.0);
        const int differents = static_cast<int>(std::count_if(pixels.begin(), pixels.end(),
            [&](QPoint p) { return fine.pixel(p) != naturelle.pixel(p.x() / 2, p.y() / 2); }));
        // Edges drawn twice finer move by half a natural pixel here and there: at least one pixel in a
        // hundred.
        const QString bilan = QStringLiteral("%1: %2 of %3 pixels differ from the natural window's, doubled")
                                  .arg(banc.w(m.controle)->objectName())
                                  .arg(differents)
                                  .arg(pixels.size());
        qInfo("%s", qPrintable(bilan));
        if (differents * 100 < static_cast<int>(pixels.size()))
            fautes.append(bilan);
    }
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join(QStringLiteral("; "))));
}

// Measured against both pictures drawn as the window draws them: what is shown is the finer one, within a
// few pixels where the painter rounds differently when it paints the window, and far from the natural one.
// The tiny weights are shown unscaled: the finer one must keep their natural size.
void TestEchelle::eachImageShowsThePictureDrawnForTheScreen()
{
    Banc banc(1000);
    mettreEnPlace(banc);
    const QImage fine = vue(banc);
    QCOMPARE(fine.devicePixelRatio(), 2.0);

    QStringList fautes;
    for (const Montre& m : imagesMontrees(banc)) {
        const QWidget* w = banc.w(m.controle);
        const std::vector<QPoint> pixels = pixelsVisibles(w, 2.0);
        QVERIFY(!pixels.empty());
        const QString nom = QStringLiteral(":/images/%1").arg(m.picture);
        const int avecLaFine
            = ecarts(fine, rendu(fine, w, nom + QStringLiteral("@2x.png"), m.etiree), pixels);
        const int avecLaNaturelle
            = ecarts(fine, rendu(fine, w, nom + QStringLiteral(".png"), m.etiree), pixels);
        const QString bilan
            = QStringLiteral("%1 (%2): %3 pixels differ from the finer picture, %4 from the natural "
                             "one, of %5")
                  .arg(w->objectName(), m.picture)
                  .arg(avecLaFine)
                  .arg(avecLaNaturelle)
                  .arg(pixels.size());
        qInfo("%s", qPrintable(bilan));
        const bool commeLaFine = avecLaFine * 1000 <= static_cast<int>(pixels.size());
        const bool distincte
            = m.controle.nom == Nom::Picture2 || avecLaNaturelle >= 10 * std::max(avecLaFine, 1);
        if (!commeLaFine || !distincte)
            fautes.append(bilan);
    }
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join(QStringLiteral("; "))));
}

void TestEchelle::theButtonsTakeTheirIconsDrawnForTheScreen_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<QString>("icone");
    QTest::newRow("start") << "Command1"
                           << "feu";
    QTest::newRow("stop") << "Command2"
                          << "stop";
    QTest::newRow("maximum") << "maxi"
                             << "cle";
}

// At each of the icon's sizes, the pixels the button's style asks for are those of the finer file.
void TestEchelle::theButtonsTakeTheirIconsDrawnForTheScreen()
{
    QFETCH(QString, bouton);
    QFETCH(QString, icone);
    Banc banc;
    const auto* leBouton = banc.fenetre.findChild<QAbstractButton*>(bouton);
    QVERIFY(leBouton);
    const QIcon donnee = leBouton->icon();
    for (const int cote : { 16, 32 }) {
        const QImage montree = donnee.pixmap(QSize(cote, cote), 2.0)
                                   .toImage()
                                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage fine = QImage(QStringLiteral(":/images/%1%2@2x.png").arg(icone).arg(cote))
                                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY(!fine.isNull());
        QCOMPARE(montree.size(), QSize(2 * cote, 2 * cote));
        QVERIFY2(montree == fine, qPrintable(QStringLiteral("%1 pixels").arg(cote)));
    }
}

namespace {

// Where the opaque pixels of the drawing are, wherever it lies in the grab: the mean difference of their colour
// channels from the grab's, at the offset where it is smallest.
double ecartDuDessin(const QImage& grab, const QImage& dessin)
{
    double meilleur = 256;
    for (int oy = 0; oy + dessin.height() <= grab.height(); ++oy) {
        for (int ox = 0; ox + dessin.width() <= grab.width(); ++ox) {
            long somme = 0;
            long compte = 0;
            for (int y = 0; y < dessin.height(); ++y) {
                for (int x = 0; x < dessin.width(); ++x) {
                    const QRgb d = dessin.pixel(x, y);
                    if (qAlpha(d) != 255)
                        continue;
                    const QRgb g = grab.pixel(ox + x, oy + y);
                    somme += std::abs(qRed(g) - qRed(d)) + std::abs(qGreen(g) - qGreen(d))
                        + std::abs(qBlue(g) - qBlue(d));
                    compte += 3;
                }
            }
            if (compte > 0)
                meilleur = std::min(meilleur, double(somme) / double(compte));
        }
    }
    return meilleur;
}

} // namespace

// What the screen shows: somewhere in a grab of the button lies the finer drawing of its icon at the icon's size
// (shrunk smoothly where the button's icon is smaller than the drawing), not the natural one stretched.
void TestEchelle::theButtonsShowTheirIconsDrawnForTheScreen()
{
    QFETCH(QString, bouton);
    QFETCH(QString, icone);
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    auto* leBouton = banc.fenetre.findChild<QAbstractButton*>(bouton);
    QVERIFY(leBouton);
    leBouton->show();
    const int cote = leBouton->iconSize().width();
    const int dessine = cote <= 16 ? 16 : 32;
    const auto dessin = [&](const char* facteur) {
        const QImage image(QStringLiteral(":/images/%1%2%3.png").arg(icone).arg(dessine).arg(QLatin1String(facteur)));
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
            .scaled(QSize(2 * cote, 2 * cote), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    };
    const QImage grab = leBouton->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(grab.size(), leBouton->size() * 2);
    const double avecLaFine = ecartDuDessin(grab, dessin("@2x"));
    const double avecLaNaturelle = ecartDuDessin(grab, dessin(""));
    qInfo("%s, icon %d: %.2f off the finer drawing, %.2f off the natural one, on average", qPrintable(bouton), cote,
        avecLaFine, avecLaNaturelle);
    QVERIFY2(avecLaFine < 0.5 && avecLaNaturelle >= 4 * std::max(avecLaFine, 1.0),
        qPrintable(QStringLiteral("the icon is %1 off its finer drawing, %2 off the natural one")
                       .arg(avecLaFine)
                       .arg(avecLaNaturelle)));
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], optionNaturelle) == 0) {
        substituerPolices();
        preparerApplication(application);
        Banc banc(1000);
        mettreEnPlace(banc);
        return vue(banc).save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    TestEchelle test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_echelle.moc"
