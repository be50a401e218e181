#pragma once

#include <QString>
#include <QtGlobal>

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
