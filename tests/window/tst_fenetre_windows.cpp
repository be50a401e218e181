// The real window on Windows' own platform (under Wine here, on an X display): the size Windows gives its client
// area, the title it shows, a click that goes through Windows' input, and captions that the style draws whole in
// the faces the window asks for.
#include "application.h"
#include "identite.h"
#include "outils.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolButton>

#include <windows.h>

namespace {

HWND fenetreWindows(const QWidget& w) { return reinterpret_cast<HWND>(w.winId()); }

// A left click at a point of the screen, through Windows' own input queue, as the mouse would make it: the
// pointer moves there, then the button goes down and up.
bool cliquerEcran(QPoint point)
{
    const int largeur = GetSystemMetrics(SM_CXSCREEN);
    const int hauteur = GetSystemMetrics(SM_CYSCREEN);
    INPUT entrees[3] = {};
    for (INPUT& entree : entrees) {
        entree.type = INPUT_MOUSE;
        entree.mi.dx = (point.x() * 65536 + largeur / 2) / largeur;
        entree.mi.dy = (point.y() * 65536 + hauteur / 2) / hauteur;
        entree.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    entrees[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    entrees[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    return SendInput(3, entrees, sizeof(INPUT)) == 3;
}

// Keeps every text that the style draws, as it draws it: a caption too wide for its place comes out elided.
class TemoinTextes : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawItemText(QPainter* peintre, const QRect& rect, int alignement, const QPalette& palette, bool actif,
        const QString& texte, QPalette::ColorRole role) const override
    {
        textes.append(texte);
        QProxyStyle::drawItemText(peintre, rect, alignement, palette, actif, texte, role);
    }
    mutable QStringList textes;
};

} // namespace

class TestFenetreWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
        substituerPolices();
        preparerApplication(*qApp);
    }

    void theWindowOpensAt588By502ClientPixelsWithItsTitle();
    void aClickOnDemarrerStartsAWeighing();
    void everyCaptionIsWholeInTheFaceItAsksFor_data();
    void everyCaptionIsWholeInTheFaceItAsksFor();
};

void TestFenetreWindows::theWindowOpensAt588By502ClientPixelsWithItsTitle()
{
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    QCOMPARE(banc.fenetre.devicePixelRatio(), 1.0);

    const HWND hwnd = fenetreWindows(banc.fenetre);
    RECT client {};
    QVERIFY(GetClientRect(hwnd, &client));
    // The menu bar is the toolkit's own, inside the client area; the controls' area lies below it.
    const int menu = banc.fenetre.menuBar()->height();
    QVERIFY(menu > 0);
    QCOMPARE(int(client.right - client.left), 588);
    QCOMPARE(int(client.bottom - client.top), 502 + menu);
    QCOMPARE(banc.fenetre.centralWidget()->geometry(), QRect(0, menu, 588, 502));

    wchar_t titre[256] {};
    QVERIFY(GetWindowTextW(hwnd, titre, 256) > 0);
    QCOMPARE(QString::fromWCharArray(titre),
        QStringLiteral("La Pesarine  2.1    Décembre 2002      ") + QString::fromUtf8(PESARINE_AUTEUR));

    // A fixed frame, and no minimize or maximize button.
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    QVERIFY(!(style & WS_THICKFRAME));
    QVERIFY(!(style & WS_MAXIMIZEBOX));
    QVERIFY(!(style & WS_MINIMIZEBOX));
    QVERIFY(style & WS_SYSMENU);
}

void TestFenetreWindows::aClickOnDemarrerStartsAWeighing()
{
    Banc banc(350);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    SetForegroundWindow(fenetreWindows(banc.fenetre));
    QTRY_VERIFY(banc.fenetre.isActiveWindow());

    QWidget* demarrer = banc.w(Command1);
    QVERIFY(cliquerEcran(demarrer->mapToGlobal(demarrer->rect().center())));
    QTRY_VERIFY(!demarrer->isVisible());
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il manque du poids."));
    for (int i = 0; i < 12; ++i)
        QVERIFY(banc.w(boite(i))->isVisible());
    QVERIFY(!banc.w(maxi)->isVisible());

    // The chronometer runs on Windows' timer.
    banc.horloge.secondes += 83;
    QTRY_COMPARE(banc.w<QLineEdit>(tempo)->text(), QStringLiteral("00:01:23"));
}

void TestFenetreWindows::everyCaptionIsWholeInTheFaceItAsksFor_data()
{
    QTest::addColumn<int>("nom");
    QTest::addColumn<QString>("legende");

    QTest::newRow("Démarrer") << int(Nom::Command1) << QStringLiteral("Démarrer");
    QTest::newRow("Continuer") << int(Nom::Command1) << QStringLiteral("Continuer");
    QTest::newRow("Changer") << int(Nom::maxi) << QStringLiteral("Changer");
}

void TestFenetreWindows::everyCaptionIsWholeInTheFaceItAsksFor()
{
    QFETCH(int, nom);
    QFETCH(QString, legende);

    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    auto* bouton = banc.w<QToolButton>(Controle { static_cast<Nom>(nom) });
    QVERIFY(bouton);
    // The button drawn as on screen, in the style of the desktop, with the caption it shows at that time.
    auto* temoin = new TemoinTextes(QStyleFactory::create(QApplication::style()->name()));
    temoin->setParent(bouton);
    bouton->setStyle(temoin);
    bouton->setText(legende);
    bouton->grab();
    QVERIFY2(temoin->textes == QStringList { legende },
        qPrintable(QStringLiteral("drawn as \"%1\" in %2 %3 pt, style %4")
                       .arg(temoin->textes.join(QStringLiteral("\", \"")), QFontInfo(bouton->font()).family())
                       .arg(bouton->font().pointSizeF())
                       .arg(QLatin1String(temoin->baseStyle()->metaObject()->className()))));

    // The window's own fonts (Verdana and Arial) are drawn in the face that stands in for them on every
    // desktop, not in whatever Windows would pick in its place.
    const struct {
        Controle controle;
        const char* famille;
    } textes[] = { { Command1, "Verdana" }, { Text1, "Verdana" }, { Label1, "Verdana" }, { Label5, "Arial" } };
    for (const auto& t : textes) {
        const QFontInfo face(banc.w(t.controle)->font());
        const QString attendue = QFont::substitute(QString::fromLatin1(t.famille));
        QVERIFY2(face.family().compare(attendue, Qt::CaseInsensitive) == 0,
            qPrintable(QStringLiteral("%1 drawn in %2, not %3")
                           .arg(QString::fromUtf8(identite(t.controle.nom).nom.data(),
                               qsizetype(identite(t.controle.nom).nom.size())),
                               face.family(), attendue)));
    }
}

QTEST_MAIN(TestFenetreWindows)
#include "tst_fenetre_windows.moc"
