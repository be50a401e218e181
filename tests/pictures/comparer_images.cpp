// comparer_images ATTENDU OBTENU
// Compares two PNG pictures as pictures: their size, their format, the palette of an indexed picture and every
// pixel, whatever the bytes of the files (another zlib or libpng packs the same pixels otherwise). Given two
// folders, compares every PNG of the first with the one of the same name in the second, and names those that
// only one of them has. Prints what differs and where; exits with 0 when everything is the same, 1 otherwise.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

void dire(const QString& texte) { std::fprintf(stderr, "%s\n", qPrintable(texte)); }

QString couleur(QRgb c)
{
    return QStringLiteral("#%1").arg(c, 8, 16, QLatin1Char('0'));
}

// An indexed picture must keep its palette and its indices, since the window hands the palette's transparent
// entry to the toolkit; any other picture, its colours.
bool memesImages(const QString& attendu, const QString& obtenu)
{
    QImageReader lecteurAttendu(attendu);
    QImageReader lecteurObtenu(obtenu);
    const QImage a = lecteurAttendu.read();
    const QImage b = lecteurObtenu.read();
    if (a.isNull() || b.isNull()) {
        dire(QStringLiteral("%1: cannot be read (%2)")
                 .arg(a.isNull() ? attendu : obtenu, a.isNull() ? lecteurAttendu.errorString() : lecteurObtenu.errorString()));
        return false;
    }
    if (a.size() != b.size()) {
        dire(QStringLiteral("%1: %2x%3 pixels, %4 has %5x%6")
                 .arg(obtenu)
                 .arg(b.width())
                 .arg(b.height())
                 .arg(attendu)
                 .arg(a.width())
                 .arg(a.height()));
        return false;
    }
    const bool indexees = a.format() == QImage::Format_Indexed8 || b.format() == QImage::Format_Indexed8;
    if (indexees) {
        if (a.format() != b.format()) {
            dire(QStringLiteral("%1: format %2, %3 has format %4").arg(obtenu).arg(b.format()).arg(attendu).arg(a.format()));
            return false;
        }
        if (a.colorTable() != b.colorTable()) {
            const auto pa = a.colorTable();
            const auto pb = b.colorTable();
            QString ecart = QStringLiteral("%1 colours against %2").arg(pb.size()).arg(pa.size());
            for (qsizetype i = 0; i < std::min(pa.size(), pb.size()); ++i) {
                if (pa[i] != pb[i]) {
                    ecart = QStringLiteral("entry %1 is %2, not %3").arg(i).arg(couleur(pb[i]), couleur(pa[i]));
                    break;
                }
            }
            dire(QStringLiteral("%1: its palette differs from %2's: %3").arg(obtenu, attendu, ecart));
            return false;
        }
    }
    const QImage ca = indexees ? a : a.convertToFormat(QImage::Format_ARGB32);
    const QImage cb = indexees ? b : b.convertToFormat(QImage::Format_ARGB32);
    qsizetype differents = 0;
    QRect zone;
    QStringList premiers;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const uint va = indexees ? uint(ca.pixelIndex(x, y)) : ca.pixel(x, y);
            const uint vb = indexees ? uint(cb.pixelIndex(x, y)) : cb.pixel(x, y);
            if (va == vb)
                continue;
            ++differents;
            zone |= QRect(x, y, 1, 1);
            if (premiers.size() < 5) {
                premiers << (indexees ? QStringLiteral("(%1,%2) index %3, not %4").arg(x).arg(y).arg(vb).arg(va)
                                      : QStringLiteral("(%1,%2) %3, not %4").arg(x).arg(y).arg(couleur(vb), couleur(va)));
            }
        }
    }
    if (differents == 0)
        return true;
    dire(QStringLiteral("%1: %2 pixels differ from %3, within x %4..%5, y %6..%7; first: %8")
             .arg(obtenu)
             .arg(differents)
             .arg(attendu)
             .arg(zone.left())
             .arg(zone.right())
             .arg(zone.top())
             .arg(zone.bottom())
             .arg(premiers.join(QStringLiteral("; "))));
    return false;
}

bool memesDossiers(const QDir& attendu, const QDir& obtenu)
{
    const QStringList filtre { QStringLiteral("*.png") };
    const QStringList noms = attendu.entryList(filtre, QDir::Files, QDir::Name);
    const QStringList nomsObtenus = obtenu.entryList(filtre, QDir::Files, QDir::Name);
    bool memes = true;
    for (const QString& nom : noms) {
        if (!nomsObtenus.contains(nom)) {
            dire(QStringLiteral("%1 is missing from %2").arg(nom, obtenu.path()));
            memes = false;
        } else if (!memesImages(attendu.filePath(nom), obtenu.filePath(nom))) {
            memes = false;
        }
    }
    for (const QString& nom : nomsObtenus) {
        if (!noms.contains(nom)) {
            dire(QStringLiteral("%1 is in %2 but not in %3").arg(nom, obtenu.path(), attendu.path()));
            memes = false;
        }
    }
    if (memes)
        std::printf("%lld pictures, the same pixels\n", static_cast<long long>(noms.size()));
    return memes && !noms.isEmpty();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("Usage: comparer_images EXPECTED OBTAINED (two PNG files or two folders)\n", stderr);
        return 2;
    }
    const QString attendu = QString::fromLocal8Bit(argv[1]);
    const QString obtenu = QString::fromLocal8Bit(argv[2]);
    if (QFileInfo(attendu).isDir())
        return memesDossiers(QDir(attendu), QDir(obtenu)) ? 0 : 1;
    return memesImages(attendu, obtenu) ? 0 : 1;
}
