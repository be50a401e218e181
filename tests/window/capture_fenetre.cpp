// The window during a weighing, as software centres show it: `capturer_fenetre FICHIER.png` builds the real window
// on the offscreen platform with a known package, starts a weighing, puts weights on the plate and saves a grab.
// The same program always writes the same file, so the committed picture can be checked against it.
#include "application.h"
#include "outils.h"

#include <QFont>
#include <QImage>
#include <QLineEdit>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("Usage : capturer_fenetre FICHIER.png\n", stderr);
        return 2;
    }
    // Whatever the desktop running it, the same pixels: no display, no scaling, the default font resolution.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* variable : { "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_STYLE_OVERRIDE",
             "QT_ENABLE_HIGHDPI_SCALING" })
        qunsetenv(variable);

    QApplication application(argc, argv);
    substituerPolices();
    preparerApplication(application);
    // The menu bar follows the desktop's font: here a desktop whose font is the toolkit's default size of the
    // program's own family, which every machine has once the program has registered it.
    QApplication::setFont(QFont(QString::fromLatin1(familleDesControles), 9));

    Banc banc(437);
    banc.fenetre.show();
    if (!QTest::qWaitForWindowExposed(&banc.fenetre)) {
        std::fputs("La fenêtre ne s'est pas affichée.\n", stderr);
        return 1;
    }
    banc.cliquerAuMilieu(Command1);
    // 200 + 100 + 100 + 20 + 10 + 5 = 435 g: two grams missing.
    for (int i : { 1, 2, 3, 5, 6, 8 })
        banc.cliquerAuMilieu(boite(i));

    banc.horloge.secondes += 83;
    const bool tic = QTest::qWaitFor([&] { return banc.w<QLineEdit>(tempo)->text() == QLatin1String("00:01:23"); }, 5000);
    if (!tic || banc.w<QLineEdit>(Text1)->text() != QLatin1String("Il manque du poids.")) {
        std::fprintf(stderr, "La pesée n'est pas celle attendue : « %s », chronomètre « %s ».\n",
            qPrintable(banc.w<QLineEdit>(Text1)->text()), qPrintable(banc.w<QLineEdit>(tempo)->text()));
        return 1;
    }

    if (!banc.fenetre.grab().toImage().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "Impossible d'écrire %s.\n", argv[1]);
        return 1;
    }
    return 0;
}
