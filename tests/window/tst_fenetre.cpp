#include "application.h"
#include "outils.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QToolButton>

namespace {

QString nom(const char* n, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(n)).arg(i); }

int px(int twips) { return qRound(twips / 15.0); }

QString texteDe(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLineEdit*>(w))
        return l->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    return {};
}

// Receives the addresses that the program asks the desktop to open.
class Navigateur : public QObject {
    Q_OBJECT

public:
    QList<QUrl> pages;

public Q_SLOTS:
    void ouvrir(const QUrl& page) { pages.append(page); }
};

} // namespace

class TestFenetre : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        substituerPolices();
        preparerApplication(*qApp);
    }

    void everyControlStandsWhereTheWindowDefinesIt_data();
    void everyControlStandsWhereTheWindowDefinesIt();
    void theWindowOpensIdleWithTheFocusOnStart();
    void theWindowHasTheFixedWhiteClientAreaAndNoResizeButtons();
    void theWindowDrawsTheScaleBehindTheWeightsAndTheFrameInFront();
    void aMouseClickOnStartBeginsAWeighing();
    void theKeyboardStartsAWeighingFromTheFocusedButton();
    void aClickInTheMiddleOfEachWeightReachesIt();
    void theFrameTakesNoClicksAndIsDrawnInFront();
    void theMenuHasItsCaptionsAndShortcuts();
    void helpAndAboutShowTheirTextsAndChangeNothing_data();
    void helpAndAboutShowTheirTextsAndChangeNothing();
    void theHomePageIsHandedToTheDesktopEachTime();
    void quitEndsTheProgramDuringAWeighing();
};

void TestFenetre::everyControlStandsWhereTheWindowDefinesIt_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QRect>("twips"); // width -1: sized to its text
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("infobulle");
    QTest::addColumn<QString>("police"); // empty: the toolkit's default font
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("gras");
    QTest::addColumn<bool>("italique");
    QTest::addColumn<QColor>("couleurTexte"); // invalid: the desktop's usual colours
    QTest::addColumn<QColor>("couleurFond");
    QTest::addColumn<int>("alignement");
    QTest::addColumn<bool>("montre");

    const QColor standard;
    const QColor blanc(255, 255, 255), noir(0, 0, 0), marine(0, 0, 128), rougeSurNoir(240, 0, 0);
    const int centre = Qt::AlignHCenter, droite = Qt::AlignRight, gauche = Qt::AlignLeft;
    const auto ligne = [](const QString& n) -> QTestData& { return QTest::newRow(qPrintable(n)) << n; };

    // clang-format off
    ligne("Command1") << QRect(480, 3000, 1092, 852) << "Démarrer" << "Cliquer ici pour commencer une pesée" << "Verdana" << 10.5 << false << false << standard << standard << 0 << true;
    ligne("Command2") << QRect(1320, 3960, 612, 492) << "" << "Cliquer ici pour arrêter le chronomètre et pour commencer une nouvelle série" << "Verdana" << 10.5 << false << false << standard << standard << 0 << false;
    ligne("maxi") << QRect(7800, 3840, 852, 732) << "Changer" << "Cliquer ici pour changer le maximum autorisé" << "" << 0.0 << false << false << standard << standard << 0 << true;
    ligne("Text1") << QRect(3000, 2520, 2892, 288) << "La Pesarine" << "Message de la Pesarine" << "Verdana" << 9.0 << true << false << QColor(0, 255, 0) << noir << centre << true;
    ligne("pesees") << QRect(3480, 3000, 612, 288) << "0" << "Nombre de pesées réussies dans cette série" << "Verdana" << 7.5 << true << false << standard << standard << centre << true;
    ligne("Err") << QRect(7800, 3000, 612, 288) << "0" << "Nombre d'erreurs de calcul" << "Verdana" << 7.5 << true << false << standard << standard << centre << true;
    ligne("tempo") << QRect(240, 4080, 972, 288) << " " << "Chronomètre" << "Verdana" << 7.5 << true << false << standard << standard << centre << true;
    ligne("rend") << QRect(840, 4680, 732, 288) << "" << "Nombre de pesées par minute" << "Verdana" << 7.5 << true << false << standard << standard << centre << true;
    ligne("Text2") << QRect(7800, 3360, 612, 288) << "1000" << "Masse maximum autorisée" << "Verdana" << 7.5 << true << false << standard << standard << centre << true;
    ligne("Label1") << QRect(1800, 3000, 1572, 252) << "Pesées réussies:" << "" << "Verdana" << 7.5 << true << false << QColor(0, 128, 0) << blanc << droite << true;
    ligne("Label2") << QRect(6120, 3000, 1572, 252) << "Erreurs de calcul:" << "" << "Verdana" << 7.5 << true << false << QColor(228, 0, 0) << blanc << droite << true;
    ligne("Label3") << QRect(360, 3840, 732, 252) << "Chrono:" << "" << "Verdana" << 7.5 << true << false << marine << blanc << gauche << true;
    ligne("Label4") << QRect(240, 4440, 2052, 252) << "Rendement par minute:" << "" << "Verdana" << 7.5 << true << false << marine << blanc << centre << true;
    ligne("Label8") << QRect(6600, 3360, 1092, 252) << "Maximum:" << "" << "Verdana" << 7.5 << true << false << noir << blanc << droite << true;
    ligne("Label5") << QRect(4236, 360, -1, -1) << "HB" << "Auteur: Hortense Bauzière" << "Arial" << 10.5 << true << false << QColor(216, 72, 0) << noir << centre << true;
    ligne("Label7") << QRect(3960, 600, 852, 252) << "Fléau" << "" << "Arial" << 7.5 << true << false << rougeSurNoir << noir << droite << true;
    ligne("Label6") << QRect(4200, 2040, -1, -1) << "2002" << "Année de mise en service" << "Verdana" << 7.5 << true << true << rougeSurNoir << noir << centre << true;
    ligne("Image1") << QRect(120, 0, 8730, 2880) << "" << "La Pesarine" << "" << 0.0 << false << false << standard << standard << 0 << true;
    ligne("Image3") << QRect(1320, 1240, 768, 468) << "" << "Paquet à peser" << "" << 0.0 << false << false << standard << standard << 0 << true;
    ligne("Image2") << QRect(1800, 2760, 6852, 2640) << "" << "Le plateau" << "" << 0.0 << false << false << standard << standard << 0 << true;
    ligne("Shape1") << QRect(120, 2880, 8652, 4572) << "" << "" << "" << 0.0 << false << false << standard << standard << 0 << true;
    // clang-format on

    const QRect boites[] = { { 480, 5040, 1512, 2292 }, { 2160, 5640, 1212, 1560 }, { 3600, 5880, 972, 1320 },
        { 4800, 5880, 936, 1320 }, { 5880, 6240, 732, 876 }, { 6720, 6360, 576, 732 }, { 7440, 6360, 300, 612 },
        { 7920, 6360, 312, 612 }, { 7800, 5520, 276, 360 }, { 7440, 5520, 192, 312 }, { 7080, 5520, 192, 312 },
        { 6600, 5520, 240, 252 } };
    const QRect places[] = { { 2400, 3840, 972, 1092 }, { 3360, 3960, 612, 972 }, { 3960, 4080, 612, 852 },
        { 4560, 4080, 612, 852 }, { 5160, 4200, 492, 732 }, { 5640, 4320, 492, 612 }, { 6120, 4440, 372, 492 },
        { 6480, 4440, 372, 492 }, { 6840, 4560, 372, 372 }, { 7200, 4680, 372, 252 }, { 7560, 4680, 372, 252 },
        { 7920, 4680, 252, 252 } };
    for (int i = 0; i < 12; ++i) {
        ligne(nom("boite", i)) << boites[i] << "" << "" << "" << 0.0 << false << false << standard << standard << 0 << false;
        ligne(nom("baim", i)) << places[i] << "" << "" << "" << 0.0 << false << false << standard << standard << 0 << true;
        ligne(nom("Picture2", i)) << QRect(6480 + 120 * i, 1560, 132, 100) << "" << "" << "" << 0.0 << false << false
                                  << standard << standard << 0 << false;
    }
}

void TestFenetre::everyControlStandsWhereTheWindowDefinesIt()
{
    QFETCH(QString, nom);
    QFETCH(QRect, twips);
    QFETCH(QString, texte);
    QFETCH(QString, infobulle);
    QFETCH(QString, police);
    QFETCH(double, points);
    QFETCH(bool, gras);
    QFETCH(bool, italique);
    QFETCH(QColor, couleurTexte);
    QFETCH(QColor, couleurFond);
    QFETCH(int, alignement);
    QFETCH(bool, montre);

    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    auto* w = banc.fenetre.findChild<QWidget*>(nom);
    QVERIFY2(w, qPrintable(nom));

    QCOMPARE(w->pos(), QPoint(px(twips.left()), px(twips.top())));
    if (twips.width() >= 0)
        QCOMPARE(w->size(), QSize(px(twips.width()), px(twips.height())));
    else
        QCOMPARE(w->size(), w->sizeHint());
    QCOMPARE(texteDe(w), texte);
    QCOMPARE(w->toolTip(), infobulle);
    QCOMPARE(w->isVisible(), montre);

    // A screen reader names every control by what it shows or tells.
    const QString parle = w->accessibleName().isEmpty() ? texteDe(w) : w->accessibleName();
    if (!texte.trimmed().isEmpty() || !infobulle.isEmpty())
        QVERIFY2(!parle.trimmed().isEmpty(), qPrintable(nom));

    if (!police.isEmpty()) {
        QCOMPARE(w->font().family(), QFont::substitute(police));
        QCOMPARE(w->font().pointSizeF(), points);
        QCOMPARE(w->font().bold(), gras);
        QCOMPARE(w->font().italic(), italique);
        QCOMPARE(QFontInfo(w->font()).family(), QStringLiteral("DejaVu Sans"));
    }

    const bool etiquette = qobject_cast<QLabel*>(w);
    if (couleurTexte.isValid())
        QCOMPARE(w->palette().color(etiquette ? QPalette::WindowText : QPalette::Text), couleurTexte);
    if (couleurFond.isValid())
        QCOMPARE(w->palette().color(etiquette ? QPalette::Window : QPalette::Base), couleurFond);
    if (auto* l = qobject_cast<QLabel*>(w))
        QCOMPARE(int(l->alignment() & Qt::AlignHorizontal_Mask), alignement);
    if (auto* l = qobject_cast<QLineEdit*>(w)) {
        QCOMPARE(int(l->alignment() & Qt::AlignHorizontal_Mask), alignement);
        QVERIFY(l->isReadOnly());
    }
}

void TestFenetre::theWindowOpensIdleWithTheFocusOnStart()
{
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));

    QCOMPARE(QApplication::focusWidget(), banc.w(Command1));
    QCOMPARE(banc.fenetre.etat().reussies, 0);
    QCOMPARE(banc.fenetre.etat().erreurs, 0);
    QVERIFY(!banc.fenetre.Timer1()->isActive());
    QCOMPARE(banc.fenetre.Timer1()->interval(), 1000);
    for (int i = 0; i < 12; ++i) {
        QVERIFY(!banc.w(boite(i))->isVisible());
        QVERIFY(banc.w(baim(i))->isVisible());
    }

    // The tab order starts at the start button, then the message line, the counters, and the maximum.
    QStringList ordre;
    QWidget* w = banc.w(Command1);
    do {
        if (w->focusPolicy() & Qt::TabFocus && banc.fenetre.centralWidget()->isAncestorOf(w))
            ordre << w->objectName();
        w = w->nextInFocusChain();
    } while (w != banc.w(Command1));
    QCOMPARE(ordre,
        QStringList({ "Command1", "Text1", "pesees", "Err", "tempo", "rend", "Command2", "Text2", "maxi" }));
}

void TestFenetre::theWindowHasTheFixedWhiteClientAreaAndNoResizeButtons()
{
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));

    QCOMPARE(banc.fenetre.windowTitle(), QStringLiteral("La Pesarine  2.1    Décembre 2002      Hortense Bauzière"));
    QCOMPARE(banc.fenetre.centralWidget()->size(), QSize(588, 502));
    QCOMPARE(banc.fenetre.minimumSize(), banc.fenetre.maximumSize());
    const Qt::WindowFlags drapeaux = banc.fenetre.windowFlags();
    QVERIFY(!(drapeaux & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(drapeaux & Qt::WindowMaximizeButtonHint));
    QVERIFY(drapeaux & Qt::WindowCloseButtonHint);
    QVERIFY(!banc.fenetre.windowIcon().isNull());
    const QPoint milieu = banc.fenetre.screen()->availableGeometry().center();
    const QPoint ecart = banc.fenetre.frameGeometry().center() - milieu;
    QVERIFY2(std::abs(ecart.x()) <= 2 && std::abs(ecart.y()) <= 2, "centred on the screen");

    const QImage vue = banc.fenetre.centralWidget()->grab().toImage();
    QCOMPARE(vue.pixelColor(20, 400), QColor(Qt::white)); // inside the frame, away from every control
}

void TestFenetre::theWindowDrawsTheScaleBehindTheWeightsAndTheFrameInFront()
{
    Banc banc;
    QStringList ordre;
    for (QObject* enfant : banc.fenetre.centralWidget()->children()) {
        if (enfant->isWidgetType())
            ordre << enfant->objectName();
    }
    const auto avant = [&](const QString& a, const QString& b) { return ordre.indexOf(a) < ordre.indexOf(b); };
    QVERIFY(avant("Image2", "Image1"));
    QVERIFY(avant("Image1", "boite(0)"));
    QVERIFY(avant("boite(4)", "baim(0)"));
    QVERIFY(avant("baim(11)", "boite(5)"));
    QVERIFY(avant("boite(11)", "Label1"));
    QVERIFY(avant("Label8", "Image3"));
    QVERIFY(avant("Image3", "Shape1"));
    // The windowed controls lie above all that is drawn on the surface.
    for (const char* fenetre : { "Command1", "Command2", "maxi", "Text1", "pesees", "Err", "tempo", "rend", "Text2" })
        QVERIFY2(avant("Shape1", fenetre), fenetre);
    for (int i = 0; i < 12; ++i)
        QVERIFY(avant("Shape1", nom("Picture2", i)));
}

void TestFenetre::aMouseClickOnStartBeginsAWeighing()
{
    Banc banc(417);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));

    QTest::mouseClick(banc.w(Command1), Qt::LeftButton);

    QCOMPARE(banc.fenetre.etat().paquet, 417);
    QCOMPARE(banc.fenetre.etat().maximum, 1000.0);
    QVERIFY(!banc.w(Command1)->isVisible());
    QVERIFY(!banc.w(Command2)->isVisible());
    QVERIFY(!banc.w(maxi)->isVisible());
    QCOMPARE(banc.w<QAbstractButton>(Command1)->text(), QStringLiteral("Continuer"));
    QVERIFY(banc.fenetre.Timer1()->isActive());
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("Il manque du poids."));
    QCOMPARE(banc.w(Text1)->palette().color(QPalette::Text), QColor(255, 255, 0));
    QCOMPARE(banc.w(Image3)->y(), px(1470));
    QCOMPARE(banc.w<ImageControle>(Image1)->image().cacheKey(),
        banc.w<ImageControle>(manque)->image().cacheKey());
    for (int i = 0; i < 12; ++i) {
        QVERIFY(banc.w(boite(i))->isVisible());
        QVERIFY(!banc.w(baim(i))->isVisible());
        QVERIFY(!banc.w(Picture2(i))->isVisible());
        QCOMPARE(banc.w(Picture2(i))->y(), px(1410));
        QCOMPARE(banc.w<ImageControle>(Picture2(i))->fond(), QColor(Qt::white));
    }
    QCOMPARE(banc.w(boite(9))->toolTip(), QStringLiteral(" 2 grammes"));
    QCOMPARE(banc.w(boite(11))->toolTip(), QStringLiteral(" 1 gramme"));
    QCOMPARE(banc.w(boite(0))->accessibleName(), QStringLiteral("500 grammes, dans la boîte"));
    QCOMPARE(banc.w(baim(11))->accessibleName(), QStringLiteral("1 gramme, sur le plateau"));

    // What the pupil sees: the box of weights appears below the plate.
    const QImage vue = banc.fenetre.centralWidget()->grab().toImage();
    const QRect poids = banc.w(boite(0))->geometry();
    bool dessine = false;
    for (int y = poids.top(); y <= poids.bottom() && !dessine; ++y) {
        for (int x = poids.left(); x <= poids.right() && !dessine; ++x)
            dessine = vue.pixelColor(x, y) != QColor(Qt::white);
    }
    QVERIFY(dessine);
}

void TestFenetre::theKeyboardStartsAWeighingFromTheFocusedButton()
{
    for (const Qt::Key touche : { Qt::Key_Space, Qt::Key_Return }) {
        Banc banc;
        banc.fenetre.show();
        QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
        QTest::keyClick(QApplication::focusWidget(), touche);
        QVERIFY2(banc.fenetre.Timer1()->isActive(), qPrintable(QKeySequence(touche).toString()));
        QVERIFY(banc.w(boite(0))->isVisible());
    }
}

void TestFenetre::aClickInTheMiddleOfEachWeightReachesIt()
{
    Banc banc(1000); // no single weight balances it, so no answer is asked
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));

    // Before any start the plate places are empty: a click there moves nothing.
    banc.cliquerAuMilieu(baim(0));
    QVERIFY(banc.w<ImageControle>(baim(0))->image().isNull());
    QCOMPARE(banc.w<QLineEdit>(Text1)->text(), QStringLiteral("La Pesarine"));

    banc.cliquerAuMilieu(Command1);
    for (int i = 0; i < 12; ++i) {
        const qint64 poids = banc.w<ImageControle>(boite(i))->image().cacheKey();
        banc.cliquerAuMilieu(boite(i));
        QVERIFY2(banc.w<ImageControle>(boite(i))->image().isNull(), qPrintable(nom("boite", i)));
        QCOMPARE(banc.w<ImageControle>(baim(i))->image().cacheKey(), poids);
        QVERIFY(banc.w(Picture2(i))->isVisible());

        banc.cliquerAuMilieu(baim(i));
        QVERIFY2(banc.w<ImageControle>(baim(i))->image().isNull(), qPrintable(nom("baim", i)));
        QCOMPARE(banc.w<ImageControle>(boite(i))->image().cacheKey(), poids);
        QVERIFY(!banc.w(Picture2(i))->isVisible());
    }
}

void TestFenetre::theFrameTakesNoClicksAndIsDrawnInFront()
{
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banc.fenetre));
    QWidget* surface = banc.fenetre.centralWidget();
    const QRect cadre = banc.w({ Nom::Shape1 })->geometry();

    // The frame's edge is black, 5 pixels wide, with rounded corners left unpainted.
    const QImage vue = surface->grab().toImage();
    const int milieu = cadre.center().x();
    for (int y = cadre.top(); y < cadre.top() + 5; ++y)
        QCOMPARE(vue.pixelColor(milieu, y), QColor(Qt::black));
    QCOMPARE(vue.pixelColor(milieu, cadre.top() + 6), QColor(Qt::white));
    QVERIFY(vue.pixelColor(cadre.topLeft()) != QColor(Qt::black));

    QCOMPARE(surface->childAt(banc.w(baim(0))->geometry().center()), banc.w(baim(0)));
}

void TestFenetre::theMenuHasItsCaptionsAndShortcuts()
{
    Banc banc;
    const QList<QAction*> menus = banc.fenetre.menuBar()->actions();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus[0]->text(), QStringLiteral("&Menu "));

    QStringList legendes, raccourcis, noms;
    for (QAction* a : menus[0]->menu()->actions()) {
        legendes << a->text();
        raccourcis << a->shortcut().toString();
        noms << a->objectName();
    }
    QCOMPARE(noms, QStringList({ "Aide", "propos", "Siteweb", "Quitter" }));
    QCOMPARE(legendes, QStringList({ "&Aide", "A &propos...", "Site &Web d'origine", "&Quitter" }));
    QCOMPARE(raccourcis, QStringList({ "F1", "F2", "F3", "F12" }));
}

void TestFenetre::helpAndAboutShowTheirTextsAndChangeNothing_data()
{
    QTest::addColumn<QString>("touche");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("texte");

    QTest::newRow("help") << "F1" << "La Pesarine: Aide"
                          << "La Pesarine: Mode d'emploi\n\n"
                             "Après avoir cliqué sur le bouton Démarrer, il faut équilibrer la balance:\n"
                             "Ajouter ou enlever des masses sur le plateau en cliquant dessus.\n"
                             "Il faut ensuite taper le résultat de la pesée.\n"
                             "Déplacer la boîte de dialogue si elle gène pour la lecture des masses qui sont sur le "
                             "plateau.\n\n"
                             "Cliquer sur le bouton Stop pour arrêter le chronomètre et pour commencer une nouvelle "
                             "série de pesées.\n\n";
    QTest::newRow("about") << "F2" << "La Pesarine: A propos"
                           << "La Pesarine 2.1         Hortense Bauzière Décembre 2002\n\n \n\n"
                              "Mises à jour sur Internet: \n"
                              "                http://example.org/pesarine/\n\n\n"
                              "       Contact auteur: hortense.bauziere@example.org";
}

void TestFenetre::helpAndAboutShowTheirTextsAndChangeNothing()
{
    QFETCH(QString, touche);
    QFETCH(QString, titre);
    QFETCH(QString, texte);

    Banc banc(300);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);
    banc.cliquerAuMilieu(boite(1));
    const EtatExercice avant = banc.fenetre.etat();

    QString titreVu, texteVu;
    QMessageBox::Icon icone = QMessageBox::Warning;
    QStringList boutons;
    Scenario scenario;
    scenario.puis<QMessageBox>([&](QMessageBox* b) {
        titreVu = b->windowTitle();
        texteVu = b->text();
        icone = b->icon();
        for (QAbstractButton* bouton : b->buttons())
            boutons << bouton->text();
        b->accept();
    });
    QTest::keySequence(&banc.fenetre, QKeySequence(touche));

    QVERIFY(scenario.fini());
    QCOMPARE(titreVu, titre);
    QCOMPARE(texteVu, texte);
    QCOMPARE(icone, QMessageBox::NoIcon);
    QCOMPARE(boutons, QStringList({ "OK" }));
    QCOMPARE(banc.fenetre.etat().paquet, avant.paquet);
    QCOMPARE(banc.fenetre.etat().reussies, avant.reussies);
    QCOMPARE(banc.fenetre.etat().erreurs, avant.erreurs);
    QCOMPARE(banc.fenetre.etat().debut, avant.debut);
    QVERIFY(!banc.w<ImageControle>(baim(1))->image().isNull());
    QVERIFY(banc.fenetre.Timer1()->isActive());
}

void TestFenetre::theHomePageIsHandedToTheDesktopEachTime()
{
    Navigateur navigateur;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &navigateur, "ouvrir");
    Banc banc;
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));

    QTest::keySequence(&banc.fenetre, QKeySequence(Qt::Key_F3));
    banc.fenetre.findChild<QAction*>(QStringLiteral("Siteweb"))->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));

    QCOMPARE(navigateur.pages, QList<QUrl>({ QUrl("http://example.org/pesarine/"), QUrl("http://example.org/pesarine/") }));
    QCOMPARE(banc.fenetre.adresse(), QStringLiteral("http://example.org/pesarine/"));
    QCOMPARE(banc.fenetre.retour(), 1);
}

void TestFenetre::quitEndsTheProgramDuringAWeighing()
{
    Banc banc(300);
    banc.fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&banc.fenetre));
    banc.cliquerAuMilieu(Command1);

    QTimer::singleShot(0, &banc.fenetre, [&] { QTest::keySequence(&banc.fenetre, QKeySequence(Qt::Key_F12)); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(TestFenetre)
#include "tst_fenetre.moc"
