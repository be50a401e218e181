#include "exercice.h"
#include "attendus.h"
#include "fausses_commandes.h"

#include <QTest>

#include <cmath>

namespace {

// The exercise on a window that keeps what it shows, a clock and a draw that the test sets.
struct Banc {
    FaussesCommandes fenetre;
    FausseHorloge horloge;
    FauxHasard hasard;
    Exercice exercice { fenetre, horloge, hasard, QLocale(QLocale::French, QLocale::France) };

    // A present-day local date, in seconds.
    static constexpr std::int64_t aujourdhui = std::int64_t { 20000 } * 86400 + 9 * 3600;

    Banc() { horloge.secondes = aujourdhui; }

    // Starts a weighing whose package weighs `paquet` under a maximum of 1000.
    void demarrer(int paquet)
    {
        hasard.r = (paquet - 0.5) / 1000.0;
        exercice.Command1_Click();
    }

    void poser(const QList<int>& poids)
    {
        for (int i : poids)
            exercice.boite_Click(i);
    }

    const EtatExercice& etat() const { return exercice.etat(); }
};

QString infobulleAttendue(int i)
{
    return QStringLiteral(" %1 %2").arg(massesDeLaBoite[i]).arg(i == 11 ? "gramme" : "grammes");
}

// What the window shows after each kind of event, from what it showed before. Only the result
// counts: nothing is drawn while one handler runs, except behind a modal box that it opens.

Vue vueApresDemarrage(Vue v, bool nouvelleSerie)
{
    v.legende["Command1"] = "Continuer";
    v.visible["Command1"] = false;
    v.visible["Command2"] = false;
    v.visible["maxi"] = false;
    v.image["Image1"] = "manque";
    v.haut["Image3"] = 1470;
    v.visible["Image3"] = true;
    for (int i = 0; i < nombrePoids; ++i) {
        v.image[nomDe(boite(i))] = poids(i);
        v.image[nomDe(baim(i))] = QString();
        v.image[nomDe(Picture2(i))] = QString();
        v.haut[nomDe(Picture2(i))] = 1410;
        v.fond[nomDe(Picture2(i))] = blanc;
        for (Controle c : { boite(i), baim(i), Picture2(i) })
            v.infobulle[nomDe(c)] = infobulleAttendue(i);
        v.visible[nomDe(boite(i))] = true;
        v.visible[nomDe(baim(i))] = false;
        v.visible[nomDe(Picture2(i))] = false;
    }
    v.texte["Text1"] = "Il manque du poids.";
    v.couleurTexte["Text1"] = jaune;
    if (nouvelleSerie) {
        v.texte["pesees"] = "0";
        v.texte["Err"] = "0";
    }
    v.minuterie = true;
    return v;
}

// Weight i on the plate, its small weight on the scale's pan; its box place empty, still shown.
Vue vuePose(Vue v, int i)
{
    v.image[nomDe(boite(i))] = QString();
    v.image[nomDe(baim(i))] = poids(i);
    v.visible[nomDe(baim(i))] = true;
    v.image[nomDe(Picture2(i))] = QStringLiteral("mini");
    v.visible[nomDe(Picture2(i))] = true;
    return v;
}

// Weight i back in its box place, which stays shown or hidden as it was.
Vue vueRetire(Vue v, int i)
{
    v.image[nomDe(boite(i))] = poids(i);
    v.image[nomDe(baim(i))] = QString();
    v.visible[nomDe(baim(i))] = false;
    v.image[nomDe(Picture2(i))] = QString();
    v.visible[nomDe(Picture2(i))] = false;
    return v;
}

enum class Verdict { Equilibre, Trop, Manque };

Vue vueVerdict(Vue v, Verdict verdict)
{
    struct Reglage {
        const char* image;
        int paquet;
        int cellules;
        QString fond;
        const char* texte;
        QString couleur;
    };
    const Reglage r = verdict == Verdict::Equilibre
        ? Reglage { "equilibre", 1240, 1610, vert, "La balance est équilibrée.", vert }
        : verdict == Verdict::Trop ? Reglage { "trop", 930, 1990, blanc, "Il y a trop de poids.", rouge }
                                   : Reglage { "manque", 1470, 1410, blanc, "Il manque du poids.", jaune };
    v.image["Image1"] = QLatin1String(r.image);
    v.haut["Image3"] = r.paquet;
    for (int i = 0; i < nombrePoids; ++i) {
        v.haut[nomDe(Picture2(i))] = r.cellules;
        v.fond[nomDe(Picture2(i))] = r.fond;
    }
    v.texte["Text1"] = QString::fromUtf8(r.texte);
    v.couleurTexte["Text1"] = r.couleur;
    return v;
}

// A wrong answer, as the error box opens over it.
Vue vueErreur(Vue v, const QString& reponse, int erreurs)
{
    v.texte["Err"] = QString::number(erreurs);
    v.texte["Text1"] = reponse + " grammes, ERREUR !";
    v.couleurTexte["Text1"] = rouge;
    return v;
}

Vue vueReponseJuste(Vue v, const QString& reponse, int reussies, int erreurs)
{
    v.texte["Text1"] = reponse + " grammes, BRAVO !";
    v.couleurTexte["Text1"] = vert;
    v.visible["Command1"] = true;
    v.legende["Command1"] = "Continuer";
    v.texte["pesees"] = QString::number(reussies);
    v.texte["Err"] = QString::number(erreurs);
    for (int i = 0; i < nombrePoids; ++i)
        v.visible[nomDe(boite(i))] = false;
    v.visible["Command2"] = true;
    return v;
}

#define COMPARER_VUES(attendu, obtenu)                                                                                 \
    do {                                                                                                               \
        const QString ecart = difference((attendu), (obtenu));                                                         \
        QVERIFY2(ecart.isEmpty(), qPrintable(ecart));                                                                  \
    } while (false)

} // namespace

class TestExercice : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void demarrageNouvelleSerie();
    void demarrageSerieContinuee_data();
    void demarrageSerieContinuee();
    void tirage_data();
    void tirage();
    void infobulles_data();
    void infobulles();
    void infobulleDuGrammeAuSingulierAChaqueDemarrage();

    void equilibreAuPremierCoup();
    void verdicts_data();
    void verdicts();
    void dernierPoidsRetire();
    void retraitApresReponseJuste();
    void clicSurPlaceVide();
    void poidsJumeaux_data();
    void poidsJumeaux();

    void deuxErreursPuisJuste();
    void annulation();
    void reponses_data();
    void reponses();

    void chronometre_data();
    void chronometre();
    void tickPendantLaQuestion();

    void arret();
    void nouvelleSerieApresArret();
    void maximum_data();
    void maximum();
};

void TestExercice::demarrageNouvelleSerie()
{
    Banc b;
    const Vue avant = b.fenetre.vue();
    b.hasard.r = 0.4995;
    b.exercice.Command1_Click();

    COMPARER_VUES(vueApresDemarrage(avant, true), b.fenetre.vue());
    QVERIFY(b.fenetre.anomalies.isEmpty());
    QCOMPARE(b.hasard.appels, QStringList({ "reamorcer", "tirer" }));
    QCOMPARE(b.etat().maximum, 1000.0);
    QCOMPARE(b.etat().paquet, 500);
    QCOMPARE(b.etat().debut, Banc::aujourdhui);
    QCOMPARE(b.etat().reussies, 0);
    QCOMPARE(b.etat().erreurs, 0);
    for (int i = 0; i < nombrePoids; ++i)
        QCOMPARE(b.etat().masses[i], massesDeLaBoite[i]);
    QVERIFY(b.fenetre.demandes.isEmpty());
    QVERIFY(b.fenetre.messages.isEmpty());
}

void TestExercice::demarrageSerieContinuee_data()
{
    QTest::addColumn<int>("paquet");
    QTest::addColumn<QList<int>>("plateau");
    QTest::addColumn<QStringList>("reponses");

    QTest::newRow("350 g after one wrong answer") << 350 << QList<int> { 1, 2, 4 } << QStringList { "300", "350" };
    QTest::newRow("888 g at the first try") << 888 << QList<int> { 0, 1, 2, 4, 5, 6, 8, 9, 11 } << QStringList { "888" };
}

void TestExercice::demarrageSerieContinuee()
{
    QFETCH(int, paquet);
    QFETCH(QList<int>, plateau);
    QFETCH(QStringList, reponses);

    Banc b;
    b.demarrer(paquet);
    b.fenetre.scripter(reponses);
    b.poser(plateau);
    const int erreurs = int(reponses.size()) - 1;
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.etat().erreurs, erreurs);
    QCOMPARE(b.fenetre.legende(Command1), QStringLiteral("Continuer"));

    const Vue avant = b.fenetre.vue();
    const qsizetype boites = b.fenetre.demandes.size() + b.fenetre.messages.size();
    b.hasard.appels.clear();
    b.horloge.secondes += 30;
    b.demarrer(20);

    COMPARER_VUES(vueApresDemarrage(avant, false), b.fenetre.vue());
    QCOMPARE(b.etat().paquet, 20);
    QCOMPARE(b.etat().debut, Banc::aujourdhui);
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.etat().erreurs, erreurs);
    QCOMPARE(b.fenetre.texte(pesees), QStringLiteral("1"));
    QCOMPARE(b.fenetre.texte(Err), QString::number(erreurs));
    QCOMPARE(b.hasard.appels, QStringList({ "reamorcer", "tirer" }));
    QCOMPARE(b.fenetre.demandes.size() + b.fenetre.messages.size(), boites);
    QVERIFY(b.fenetre.anomalies.isEmpty());
}

void TestExercice::tirage_data()
{
    QTest::addColumn<QString>("saisie"); // typed in the maximum prompt first; empty: never changed
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("paquet");
    QTest::addColumn<double>("maximum");

    const double presqueUn = std::nextafter(1.0, 0.0);
    QTest::newRow("never changed, r 0") << "" << 0.0 << 1 << 1000.0;
    QTest::newRow("never changed, r 0.5") << "" << 0.5 << 501 << 1000.0;
    QTest::newRow("never changed, r just below 1") << "" << presqueUn << 1000 << 1000.0;
    QTest::newRow("1000 typed, r just below 1") << "1000" << presqueUn << 1000 << 1000.0;
    QTest::newRow("2, r 0") << "2" << 0.0 << 1 << 2.0;
    QTest::newRow("2, r 0.4999") << "2" << 0.4999 << 1 << 2.0;
    QTest::newRow("2, r 0.5") << "2" << 0.5 << 2 << 2.0;
    QTest::newRow("2, r just below 1") << "2" << presqueUn << 2 << 2.0;
    QTest::newRow("2.5, r 0") << "2.5" << 0.0 << 1 << 2.5;
    QTest::newRow("2.5, r 0.5") << "2.5" << 0.5 << 2 << 2.5;
    QTest::newRow("2.5, r 0.9") << "2.5" << 0.9 << 2 << 2.5;
    QTest::newRow("2.5, r just below 1") << "2.5" << presqueUn << 2 << 2.5;
    QTest::newRow("999.9, r just below 1") << "999.9" << presqueUn << 999 << 999.9;
    QTest::newRow("7, r 0.5") << "7" << 0.5 << 4 << 7.0;
}

void TestExercice::tirage()
{
    QFETCH(QString, saisie);
    QFETCH(double, r);
    QFETCH(int, paquet);
    QFETCH(double, maximum);

    Banc b;
    if (!saisie.isEmpty()) {
        b.fenetre.scripter({ saisie });
        b.exercice.maxi_Click();
    }
    b.hasard.r = r;
    b.exercice.Command1_Click();

    QCOMPARE(b.etat().paquet, paquet);
    QCOMPARE(b.etat().maximum, maximum);
    QCOMPARE(b.hasard.appels, QStringList({ "reamorcer", "tirer" }));
}

void TestExercice::infobulles_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<QString>("texte");

    for (int i = 0; i < nombrePoids; ++i)
        QTest::addRow("weight %d", i) << i << infobulleAttendue(i);
}

void TestExercice::infobulles()
{
    QFETCH(int, i);
    QFETCH(QString, texte);

    Banc b;
    b.demarrer(500);
    QCOMPARE(b.fenetre.infobulle(boite(i)), texte);
    QCOMPARE(b.fenetre.infobulle(baim(i)), texte);
    QCOMPARE(b.fenetre.infobulle(Picture2(i)), texte);
}

void TestExercice::infobulleDuGrammeAuSingulierAChaqueDemarrage()
{
    // Each start writes every tooltip again: the 1 g weight must end in the singular every time,
    // whether it lay on the plate or in the box, and the 2 g weights beside it in the plural.
    Banc b;
    const auto verifier = [&b](const char* quand) {
        for (Controle c : { boite(11), baim(11), Picture2(11) })
            QVERIFY2(b.fenetre.infobulle(c) == QStringLiteral(" 1 gramme"), quand);
        for (Controle c : { boite(10), baim(10), Picture2(10) })
            QVERIFY2(b.fenetre.infobulle(c) == QStringLiteral(" 2 grammes"), quand);
    };
    b.demarrer(13);
    verifier("first start");
    b.fenetre.scripter({ "13" });
    b.poser({ 11, 10, 6 });
    QCOMPARE(b.etat().reussies, 1);
    b.demarrer(500);
    verifier("continued with the 1 g weight on the plate");
    b.fenetre.scripter({ "500" });
    b.poser({ 0 });
    b.exercice.Command2_Click();
    b.demarrer(1);
    verifier("new series after a stop");
}

void TestExercice::equilibreAuPremierCoup()
{
    Banc b;
    b.demarrer(500);
    const Vue avant = b.fenetre.vue();
    b.fenetre.scripter({ "500" });
    b.exercice.boite_Click(0);

    QCOMPARE(b.fenetre.demandes.size(), 1);
    QVERIFY(b.fenetre.messages.isEmpty());
    const Demande& d = b.fenetre.demandes[0];
    QCOMPARE(d.invite, inviteReponse);
    QCOMPARE(d.titre, titreReponse);
    QCOMPARE(d.propose, QStringLiteral("0"));
    QVERIFY(d.placement == Placement::CoinEcran);
    // Behind the prompt: the weight on the plate and the level scale, green cells, the line in green.
    const Vue derriere = vueVerdict(vuePose(avant, 0), Verdict::Equilibre);
    COMPARER_VUES(derriere, d.derriere);

    COMPARER_VUES(vueReponseJuste(derriere, "500", 1, 0), b.fenetre.vue());
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.etat().erreurs, 0);
    QVERIFY(b.fenetre.anomalies.isEmpty());
}

void TestExercice::verdicts_data()
{
    QTest::addColumn<int>("paquet");
    QTest::addColumn<QList<int>>("plateau");
    QTest::addColumn<int>("verdict");

    QTest::newRow("500 g on a 300 g package") << 300 << QList<int> { 0 } << int(Verdict::Trop);
    QTest::newRow("200 g on a 300 g package") << 300 << QList<int> { 1 } << int(Verdict::Manque);
    QTest::newRow("2 g on a 1 g package") << 1 << QList<int> { 10 } << int(Verdict::Trop);
    QTest::newRow("all but 1 g on 1000 g") << 1000 << QList<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }
                                           << int(Verdict::Manque);
    QTest::newRow("one gram too much") << 999 << QList<int> { 11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }
                                       << int(Verdict::Trop);
}

void TestExercice::verdicts()
{
    QFETCH(int, paquet);
    QFETCH(QList<int>, plateau);
    QFETCH(int, verdict);

    Banc b;
    b.demarrer(paquet);
    Vue attendu = b.fenetre.vue();
    b.poser(plateau);

    for (int i : plateau)
        attendu = vuePose(attendu, i);
    COMPARER_VUES(vueVerdict(attendu, Verdict(verdict)), b.fenetre.vue());
    QVERIFY(b.fenetre.demandes.isEmpty());
    QVERIFY(b.fenetre.messages.isEmpty());
    QCOMPARE(b.etat().reussies, 0);
    QCOMPARE(b.etat().erreurs, 0);
    QVERIFY(b.fenetre.anomalies.isEmpty());
}

void TestExercice::dernierPoidsRetire()
{
    Banc b;
    b.demarrer(300);
    b.poser({ 0 });
    QCOMPARE(b.fenetre.image(Image1), QStringLiteral("trop"));
    const Vue avant = b.fenetre.vue();
    b.exercice.baim_Click(0);

    // The weight back in its box place, shown; the plate place and the cell hidden and empty.
    COMPARER_VUES(vueVerdict(vueRetire(avant, 0), Verdict::Manque), b.fenetre.vue());
    QVERIFY(b.fenetre.visible(boite(0)));
    QVERIFY(b.fenetre.demandes.isEmpty());
    QVERIFY(b.fenetre.messages.isEmpty());
}

void TestExercice::retraitApresReponseJuste()
{
    Banc b;
    b.demarrer(350);
    b.fenetre.scripter({ "350" });
    b.poser({ 1, 2, 4 });
    QCOMPARE(b.etat().reussies, 1);

    // Back into a box place that stays hidden until the next start; the counters stay.
    Vue attendu = vueVerdict(vueRetire(b.fenetre.vue(), 2), Verdict::Manque);
    b.exercice.baim_Click(2);
    COMPARER_VUES(attendu, b.fenetre.vue());
    QVERIFY(!b.fenetre.visible(boite(2)));
    QCOMPARE(b.fenetre.texte(pesees), QStringLiteral("1"));
    QCOMPARE(b.fenetre.demandes.size(), 1);
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.etat().erreurs, 0);

    // Likewise after a stop.
    b.exercice.Command2_Click();
    attendu = vueVerdict(vueRetire(b.fenetre.vue(), 1), Verdict::Manque);
    b.exercice.baim_Click(1);
    COMPARER_VUES(attendu, b.fenetre.vue());
    QCOMPARE(b.fenetre.demandes.size(), 1);
    QVERIFY(b.fenetre.messages.isEmpty());
    QCOMPARE(b.etat().reussies, 0);
    QCOMPARE(b.etat().erreurs, 0);
}

void TestExercice::clicSurPlaceVide()
{
    Banc b;
    const Vue auChargement = b.fenetre.vue();
    for (int i = 0; i < nombrePoids; ++i)
        b.exercice.baim_Click(i);
    QVERIFY(b.fenetre.journal.isEmpty());
    COMPARER_VUES(auChargement, b.fenetre.vue());

    b.demarrer(500);
    b.poser({ 5 });
    const Vue apresPose = b.fenetre.vue();
    const qsizetype taille = b.fenetre.journal.size();
    b.exercice.boite_Click(5);
    b.exercice.baim_Click(6);
    QCOMPARE(b.fenetre.journal.size(), taille);
    COMPARER_VUES(apresPose, b.fenetre.vue());
}

void TestExercice::poidsJumeaux_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");

    QTest::newRow("100 g, 2 and 3") << 2 << 3;
    QTest::newRow("10 g, 6 and 7") << 6 << 7;
    QTest::newRow("2 g, 9 and 10") << 9 << 10;
}

void TestExercice::poidsJumeaux()
{
    QFETCH(int, a);
    QFETCH(int, b);

    Banc banc;
    const int masse = massesDeLaBoite[a];
    banc.demarrer(2 * masse);

    banc.exercice.boite_Click(b);
    QCOMPARE(banc.fenetre.image(baim(b)), poids(b));
    QCOMPARE(banc.fenetre.image(boite(b)), QString());
    QCOMPARE(banc.fenetre.image(boite(a)), poids(a));
    QCOMPARE(banc.fenetre.image(baim(a)), QString());
    QVERIFY(!banc.fenetre.visible(baim(a)));
    QVERIFY(!banc.fenetre.visible(Picture2(a)));
    QCOMPARE(banc.fenetre.texte(Text1), QStringLiteral("Il manque du poids."));

    // Both on the plate balance the package: each counts.
    banc.fenetre.scripter({ QString::number(2 * masse) });
    banc.exercice.boite_Click(a);
    QCOMPARE(banc.fenetre.demandes.size(), 1);
    QCOMPARE(banc.fenetre.image(baim(a)), poids(a));
    QCOMPARE(banc.fenetre.image(baim(b)), poids(b));

    banc.exercice.baim_Click(b);
    QCOMPARE(banc.fenetre.image(boite(b)), poids(b));
    QCOMPARE(banc.fenetre.image(baim(b)), QString());
    QCOMPARE(banc.fenetre.image(Picture2(b)), QString());
    QCOMPARE(banc.fenetre.image(baim(a)), poids(a));
    QCOMPARE(banc.fenetre.image(boite(a)), QString());
    QCOMPARE(banc.fenetre.image(Picture2(a)), QStringLiteral("mini"));
    QVERIFY(banc.fenetre.visible(Picture2(a)));
    QCOMPARE(banc.fenetre.texte(Text1), QStringLiteral("Il manque du poids."));
}

void TestExercice::deuxErreursPuisJuste()
{
    Banc b;
    b.demarrer(350);
    b.fenetre.scripter({ "300", "abc", "350" });
    b.poser({ 1, 2 });
    const Vue avant = b.fenetre.vue();
    b.poser({ 4 });

    // Each box shows, behind it, the window as the pupil last left it: the level scale throughout;
    // before each error box, Err already counts the error and the line shows the answer in red;
    // the prompt then comes back over that, proposing "0" again.
    const QStringList tapes { "300", "abc" };
    QCOMPARE(b.fenetre.demandes.size(), 3);
    QCOMPARE(b.fenetre.messages.size(), 2);
    Vue derriere = vueVerdict(vuePose(avant, 4), Verdict::Equilibre);
    for (int k = 0; k < 3; ++k) {
        const Demande& d = b.fenetre.demandes[k];
        QCOMPARE(d.invite, inviteReponse);
        QCOMPARE(d.titre, titreReponse);
        QCOMPARE(d.propose, QStringLiteral("0"));
        QVERIFY(d.placement == Placement::CoinEcran);
        COMPARER_VUES(derriere, d.derriere);
        if (k == 2)
            break;
        const Message& m = b.fenetre.messages[k];
        QCOMPARE(m.texte, "Erreur de calcul ! Ce n'est pas " + tapes[k] + " grammes");
        QCOMPARE(m.titre, QStringLiteral("Erreur:"));
        QVERIFY(m.icone == Icone::Exclamation);
        derriere = vueErreur(derriere, tapes[k], k + 1);
        COMPARER_VUES(derriere, m.derriere);
    }

    COMPARER_VUES(vueReponseJuste(derriere, "350", 1, 2), b.fenetre.vue());
    QCOMPARE(b.etat().erreurs, 2);
    QCOMPARE(b.etat().reussies, 1);
}

void TestExercice::annulation()
{
    Banc b;
    b.demarrer(500);
    b.fenetre.scripter({ QString(), "400", QString(), "500" });
    b.poser({ 0 });

    QCOMPARE(b.fenetre.demandes.size(), 4);
    QCOMPARE(b.fenetre.demandes[1].propose, QStringLiteral("0"));
    QCOMPARE(b.fenetre.demandes[3].propose, QStringLiteral("0"));
    QCOMPARE(b.fenetre.messages.size(), 3);
    for (int k : { 0, 2 }) {
        QCOMPARE(b.fenetre.messages[k].texte, QStringLiteral("Erreur de calcul ! Ce n'est pas  grammes"));
        QCOMPARE(b.fenetre.messages[k].text1, QStringLiteral(" grammes, ERREUR !"));
        QCOMPARE(b.fenetre.messages[k].err, QString::number(k + 1));
    }
    QCOMPARE(b.etat().erreurs, 3);
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.fenetre.texte(Err), QStringLiteral("3"));
}

void TestExercice::reponses_data()
{
    QTest::addColumn<int>("paquet");
    QTest::addColumn<QList<int>>("plateau");
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<bool>("juste");

    const QList<int> p350 { 1, 2, 4 };
    QTest::newRow("350") << 350 << p350 << "350" << true;
    QTest::newRow("leading zero echoed") << 350 << p350 << "0350" << true;
    QTest::newRow("unit after the number") << 350 << p350 << "350 g" << true;
    QTest::newRow("comma ends the number") << 350 << p350 << "350,5" << true;
    QTest::newRow("exponent") << 350 << p350 << "3.5E2" << true;
    QTest::newRow("point zero") << 350 << p350 << "350.0" << true;
    QTest::newRow("blanks between digits") << 350 << p350 << " 3 5 0" << true;
    QTest::newRow("1 for 1 g, still plural") << 1 << QList<int> { 11 } << "1" << true;
    QTest::newRow("1000 with every weight") << 1000 << QList<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 } << "1000"
                                            << true;
    QTest::newRow("one less") << 350 << p350 << "349" << false;
    QTest::newRow("letters") << 350 << p350 << "abc" << false;
    QTest::newRow("negative") << 350 << p350 << "-350" << false;
    QTest::newRow("a digit missing") << 350 << p350 << "35" << false;
    QTest::newRow("a digit too many") << 350 << p350 << "3500" << false;
    QTest::newRow("half a gram more") << 350 << p350 << "350.5" << false;
    QTest::newRow("too large for a double") << 350 << p350 << "1e999999999999" << false;
    QTest::newRow("zero proposed, accepted as is") << 350 << p350 << "0" << false;
}

void TestExercice::reponses()
{
    QFETCH(int, paquet);
    QFETCH(QList<int>, plateau);
    QFETCH(QString, saisie);
    QFETCH(bool, juste);

    Banc b;
    b.demarrer(paquet);
    QCOMPARE(b.etat().paquet, paquet);
    const QString bonne = QString::number(paquet);
    b.fenetre.scripter(juste ? QStringList { saisie } : QStringList { saisie, bonne });
    b.poser(plateau);

    QCOMPARE(b.fenetre.reponsesRestantes(), 0);
    QCOMPARE(b.etat().reussies, 1);
    if (juste) {
        QCOMPARE(b.fenetre.demandes.size(), 1);
        QVERIFY(b.fenetre.messages.isEmpty());
        QCOMPARE(b.etat().erreurs, 0);
        QCOMPARE(b.fenetre.texte(Text1), saisie + " grammes, BRAVO !");
    } else {
        QCOMPARE(b.fenetre.demandes.size(), 2);
        QCOMPARE(b.fenetre.messages.size(), 1);
        QCOMPARE(b.fenetre.messages[0].texte, "Erreur de calcul ! Ce n'est pas " + saisie + " grammes");
        QCOMPARE(b.fenetre.messages[0].text1, saisie + " grammes, ERREUR !");
        QCOMPARE(b.etat().erreurs, 1);
        QCOMPARE(b.fenetre.texte(Text1), bonne + " grammes, BRAVO !");
    }
}

void TestExercice::chronometre_data()
{
    QTest::addColumn<int>("reussies");
    QTest::addColumn<qint64>("secondes");
    QTest::addColumn<QString>("tempo");
    QTest::addColumn<QString>("rend");
    QTest::addColumn<double>("rendement");

    QTest::newRow("first tick, no success") << 0 << qint64(1) << "00:00:01" << "0" << 0.0;
    QTest::newRow("an hour without success") << 0 << qint64(3600) << "01:00:00" << "0" << 0.0;
    QTest::newRow("1 in 60 s") << 1 << qint64(60) << "00:01:00" << "1" << 1.0;
    QTest::newRow("3 in 120 s") << 3 << qint64(120) << "00:02:00" << "1,5" << 1.5;
    QTest::newRow("1 in 7 s") << 1 << qint64(7) << "00:00:07" << "8,57" << 8.57;
    QTest::newRow("2 in 45 s, cut not rounded") << 2 << qint64(45) << "00:00:45" << "2,66" << 2.66;
    QTest::newRow("59 min 59 s") << 1 << qint64(3599) << "00:59:59" << "0,01" << 0.01;
    QTest::newRow("25 h 3 min 4 s, yield on the whole time") << 100 << qint64(25 * 3600 + 3 * 60 + 4) << "01:03:04"
                                                             << "0,06" << 0.06;
    QTest::newRow("one whole day") << 1 << qint64(86400) << "00:00:00" << "0" << 0.0;
    QTest::newRow("success count times 6000 beyond 32 bits") << 400000 << qint64(1) << "00:00:01" << "24000000"
                                                             << 24000000.0;
    QTest::newRow("no time elapsed") << 1 << qint64(0) << "00:00:00" << "0" << 0.0;
    QTest::newRow("clock set back 5 s") << 1 << qint64(-5) << "00:00:00" << "0" << 0.0;
    QTest::newRow("clock set back a day") << 3 << qint64(-86400 - 7) << "00:00:00" << "0" << 0.0;
}

void TestExercice::chronometre()
{
    QFETCH(int, reussies);
    QFETCH(qint64, secondes);
    QFETCH(QString, tempo);
    QFETCH(QString, rend);
    QFETCH(double, rendement);

    Banc b;
    b.demarrer(500);
    // The tick reads the success count; how it got there does not matter.
    b.exercice.etat().reussies = reussies;
    const EtatExercice avant = b.etat();
    Vue attendu = b.fenetre.vue();
    b.horloge.secondes += secondes;
    b.exercice.Timer1_Timer();

    attendu.texte["tempo"] = tempo;
    attendu.texte["rend"] = rend;
    COMPARER_VUES(attendu, b.fenetre.vue());
    QCOMPARE(b.etat().duree, secondes);
    QCOMPARE(b.etat().rendement, rendement);
    QCOMPARE(b.etat().debut, avant.debut);
    QCOMPARE(b.etat().reussies, avant.reussies);
    QCOMPARE(b.etat().erreurs, avant.erreurs);
    QCOMPARE(b.etat().paquet, avant.paquet);
    QCOMPARE(b.etat().maximum, avant.maximum);
}

void TestExercice::tickPendantLaQuestion()
{
    Banc b;
    b.demarrer(500);
    b.fenetre.scripter({ "400", "500" });
    QStringList pendant; // the chronometer and the yield as they stand while each prompt is open
    b.fenetre.pendantDemande = [&b, &pendant] {
        b.horloge.secondes += 30;
        b.exercice.Timer1_Timer();
        pendant << b.fenetre.texte(tempo) + " " + b.fenetre.texte(rend);
    };
    b.poser({ 0 });
    b.fenetre.pendantDemande = nullptr;

    // Both ticks came before the success was counted.
    QCOMPARE(pendant, QStringList({ "00:00:30 0", "00:01:00 0" }));
    QCOMPARE(b.fenetre.messages.size(), 1);
    QCOMPARE(b.fenetre.messages[0].derriere.texte["rend"], QStringLiteral("0"));
    QCOMPARE(b.fenetre.texte(tempo), QStringLiteral("00:01:00"));
    QCOMPARE(b.fenetre.texte(rend), QStringLiteral("0"));
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.etat().erreurs, 1);

    b.exercice.Timer1_Timer();
    QCOMPARE(b.fenetre.texte(rend), QStringLiteral("1"));
}

void TestExercice::arret()
{
    Banc b;
    b.demarrer(500);
    b.fenetre.scripter({ "50", "500" });
    b.poser({ 0 });
    b.horloge.secondes += 20;
    b.exercice.Timer1_Timer();
    QCOMPARE(b.fenetre.texte(tempo), QStringLiteral("00:00:20"));
    QCOMPARE(b.fenetre.texte(rend), QStringLiteral("3"));

    const Vue avant = b.fenetre.vue();
    const EtatExercice etatAvant = b.etat();
    b.exercice.Command2_Click();

    Vue attendu = avant;
    attendu.minuterie = false;
    attendu.visible["Command2"] = false;
    attendu.legende["Command1"] = "Démarrer";
    attendu.visible["maxi"] = true;
    COMPARER_VUES(attendu, b.fenetre.vue());
    // Untouched: the finished series' counts stay on view, the plate as it was.
    QCOMPARE(b.fenetre.texte(pesees), QStringLiteral("1"));
    QCOMPARE(b.fenetre.texte(Err), QStringLiteral("1"));
    QCOMPARE(b.fenetre.image(baim(0)), poids(0));
    QVERIFY(b.fenetre.visible(Command1));

    QCOMPARE(b.etat().reussies, 0);
    QCOMPARE(b.etat().erreurs, 0);
    QCOMPARE(b.etat().debut, etatAvant.debut);
    QCOMPARE(b.etat().duree, etatAvant.duree);
    QCOMPARE(b.etat().rendement, etatAvant.rendement);
    QCOMPARE(b.etat().paquet, etatAvant.paquet);
    QCOMPARE(b.etat().maximum, etatAvant.maximum);
    QCOMPARE(b.etat().saisie, etatAvant.saisie);
    QCOMPARE(b.etat().masses, etatAvant.masses);
}

void TestExercice::nouvelleSerieApresArret()
{
    Banc b;
    b.demarrer(500);
    b.fenetre.scripter({ "50", "500" });
    b.poser({ 0 });
    b.horloge.secondes += 20;
    b.exercice.Timer1_Timer();
    b.exercice.Command2_Click();

    b.fenetre.scripter({ "2" });
    b.exercice.maxi_Click();
    QCOMPARE(b.fenetre.texte(Text2), QStringLiteral("2"));

    const Vue avant = b.fenetre.vue();
    b.hasard.appels.clear();
    b.horloge.secondes += 100;
    b.hasard.r = 0.9;
    b.exercice.Command1_Click();

    COMPARER_VUES(vueApresDemarrage(avant, true), b.fenetre.vue());
    QCOMPARE(b.hasard.appels, QStringList({ "reamorcer", "tirer" }));
    QCOMPARE(b.etat().debut, Banc::aujourdhui + 120);
    QCOMPARE(b.etat().maximum, 2.0);
    QCOMPARE(b.etat().paquet, 2);
    QCOMPARE(b.fenetre.texte(pesees), QStringLiteral("0"));
    QCOMPARE(b.fenetre.texte(Err), QStringLiteral("0"));
    // The last series' time and yield until the first tick of this one.
    QCOMPARE(b.fenetre.texte(tempo), QStringLiteral("00:00:20"));
    QCOMPARE(b.fenetre.texte(rend), QStringLiteral("3"));

    b.horloge.secondes += 1;
    b.exercice.Timer1_Timer();
    QCOMPARE(b.fenetre.texte(tempo), QStringLiteral("00:00:01"));
    QCOMPARE(b.fenetre.texte(rend), QStringLiteral("0"));
}

void TestExercice::maximum_data()
{
    QTest::addColumn<QStringList>("saisies");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<QString>("text2");

    QTest::newRow("1000") << QStringList { "1000" } << 1000.0 << "1000";
    QTest::newRow("2") << QStringList { "2" } << 2.0 << "2";
    QTest::newRow("1 refused") << QStringList { "1", "2" } << 2.0 << "2";
    QTest::newRow("1001 refused") << QStringList { "1001", "1000" } << 1000.0 << "1000";
    QTest::newRow("12abc") << QStringList { "12abc" } << 12.0 << "12";
    QTest::newRow("2.5 with a point") << QStringList { "2.5" } << 2.5 << "2,5";
    QTest::newRow("2,5 with a comma") << QStringList { "2,5" } << 2.0 << "2";
    QTest::newRow("1,5 refused") << QStringList { "1,5", "3" } << 3.0 << "3";
    QTest::newRow("blanks inside") << QStringList { "  5 0 0" } << 500.0 << "500";
    QTest::newRow("1e3") << QStringList { "1e3" } << 1000.0 << "1000";
    QTest::newRow("-5 refused") << QStringList { "-5", "2" } << 2.0 << "2";
    QTest::newRow("cancel twice") << QStringList { "", "", "7" } << 7.0 << "7";
    QTest::newRow("too large for a double") << QStringList { "1e999999999999", "999.5" } << 999.5 << "999,5";
    QTest::newRow("just above 1000") << QStringList { "1000.5", "abc", "1.99", "2.01" } << 2.01 << "2,01";
}

void TestExercice::maximum()
{
    QFETCH(QStringList, saisies);
    QFETCH(double, maximum);
    QFETCH(QString, text2);

    Banc b;
    const Vue avant = b.fenetre.vue();
    b.fenetre.scripter(saisies);
    b.exercice.maxi_Click();

    // A refused value shows nowhere: every box opens over the window as it was, proposing 1000.
    QCOMPARE(b.fenetre.demandes.size(), saisies.size());
    for (const Demande& d : b.fenetre.demandes) {
        QCOMPARE(d.invite, inviteMaximum);
        QCOMPARE(d.titre, titreMaximum);
        QCOMPARE(d.propose, QStringLiteral("1000"));
        QVERIFY(d.placement == Placement::ParDefaut);
        COMPARER_VUES(avant, d.derriere);
    }
    QCOMPARE(b.etat().maximum, maximum);
    QCOMPARE(b.etat().saisie, saisies.last());
    Vue attendu = avant;
    attendu.texte["Text2"] = text2;
    COMPARER_VUES(attendu, b.fenetre.vue());
    QVERIFY(b.fenetre.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestExercice)
#include "tst_exercice.moc"
