#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QtGlobal>

#include <initializer_list>

// Every picture is drawn at its natural size and twice and three times finer, named the toolkit's way
// ("balance@2x.png"). A screen takes the finest set its pixels need, up to three times: at 125 % and 150 %
// the set at 2x, shrunk a little by the painter, is sharper than the natural one stretched.
inline int facteurImages(qreal pixelsParPoint)
{
    if (pixelsParPoint <= 1.0)
        return 1;
    return pixelsParPoint <= 2.0 ? 2 : 3;
}

// ":/images/balance.png" at factor 2 is ":/images/balance@2x.png".
inline QString fichierAuFacteur(const QString& chemin, int facteur)
{
    if (facteur <= 1)
        return chemin;
    const qsizetype point = chemin.lastIndexOf(QLatin1Char('.'));
    QString fichier = chemin;
    fichier.insert(point < 0 ? chemin.size() : point, QStringLiteral("@%1x").arg(facteur));
    return fichier;
}

// An icon from the files of one factor, one for each side given ("feu" and 16, 32: "feu16", "feu32"). Each
// picture is handed over decoded, with the screen pixels it holds per point: told only a file and a size,
// the toolkit would take a finer file for a coarser one on some versions, and blur it.
inline QIcon iconeAuFacteur(const QString& chemin, std::initializer_list<int> cotes, int facteur)
{
    QIcon icone;
    const qsizetype point = chemin.lastIndexOf(QLatin1Char('.'));
    for (const int cote : cotes) {
        QString fichier = chemin;
        fichier.insert(point < 0 ? chemin.size() : point, QString::number(cote));
        QPixmap image(fichierAuFacteur(fichier, facteur));
        image.setDevicePixelRatio(facteur);
        icone.addPixmap(image);
    }
    return icone;
}
