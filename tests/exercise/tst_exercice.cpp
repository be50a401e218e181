#include "exercice.h"
#include "attendus.h"
#include "fausses_commandes.h"

#include <QTest>

#include <cmath>

namespace {

// The exercise on a window that writes everything down, a clock and a draw that the test sets.
struct Banc {
    FaussesCommandes fenetre;
    FausseHorloge horloge { &fenetre.journal };
    FauxHasard hasard { &fenetre.journal };
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

// Every operation of a start, in its order; `surPlateau` are the weights that the last weighing left.
QStringList sequenceDemarrage(bool nouvelleSerie, const QList<int>& surPlateau)
{
    QStringList s { "reamorcer", "tirer", "legende Command1: Continuer", "montrer Command1 0", "donner Image1 manque",
        "haut Image3 1470" };
    for (int i = 0; i < nombrePoids; ++i) {
        if (surPlateau.contains(i))
            s << QStringLiteral("donner boite %1 baim %1").arg(i) << QStringLiteral("effacer baim %1").arg(i)
              << QStringLiteral("effacer Picture2 %1").arg(i);
        s << QStringLiteral("haut Picture2 %1 1410").arg(i) << QStringLiteral("fond Picture2 %1 %2").arg(i).arg(blanc);
        QStringList textes { QStringLiteral(" %1 grammes").arg(massesDeLaBoite[i]) };
        if (i == 11)
            textes << QStringLiteral(" 1 gramme");
        for (const QString& t : textes)
            s << QStringLiteral("infobulle Picture2 %1: %2").arg(i).arg(t)
              << QStringLiteral("infobulle boite %1: %2").arg(i).arg(t)
              << QStringLiteral("infobulle baim %1: %2").arg(i).arg(t);
        s << QStringLiteral("montrer boite %1 1").arg(i) << QStringLiteral("montrer Picture2 %1 0").arg(i)
          << QStringLiteral("montrer baim %1 0").arg(i);
    }
    s << "montrer Image3 1" << "texte Text1: Il manque du poids." << "couleur Text1 " + jaune;
    if (nouvelleSerie)
        s << "maintenant" << "texte pesees: 0" << "texte Err: 0";
    s << "minuterie 1" << "montrer Command2 0" << "montrer maxi 0";
    return s;
}

enum class Verdict { Equilibre, Trop, Manque };

QStringList sequenceVerdict(Verdict v)
{
    struct Reglage {
        const char* image;
        int paquet;
        int cellules;
        QString fond;
        const char* texte;
        QString couleur;
    };
    const Reglage r = v == Verdict::Equilibre ? Reglage { "equilibre", 1240, 1610, vert, "La balance est équilibrée.", vert }
        : v == Verdict::Trop                  ? Reglage { "trop", 930, 1990, blanc, "Il y a trop de poids.", rouge }
                                              : Reglage { "manque", 1470, 1410, blanc, "Il manque du poids.", jaune };
    QStringList s { QStringLiteral("donner Image1 %1").arg(QLatin1String(r.image)),
        QStringLiteral("haut Image3 %1").arg(r.paquet) };
    for (int i = 0; i < nombrePoids; ++i)
        s << QStringLiteral("haut Picture2 %1 %2").arg(i).arg(r.cellules)
          << QStringLiteral("fond Picture2 %1 %2").arg(i).arg(r.fond);
    s << QStringLiteral("texte Text1: %1").arg(QString::fromUtf8(r.texte)) << "couleur Text1 " + r.couleur;
    return s;
}

// The view that a start leaves, from the view before it.
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
    void infobulleDuGrammeAuSingulierEnDernier();

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

    QCOMPARE(b.fenetre.journal, sequenceDemarrage(true, {}));
    COMPARER_VUES(vueApresDemarrage(avant, true), b.fenetre.vue());
    QVERIFY(b.fenetre.anomalies.isEmpty());
    QCOMPARE(b.hasard.reamorcages, 1);
    QCOMPARE(b.hasard.tirages, 1);
    QCOMPARE(b.etat().maximum, 1000.0);
    QCOMPARE(b.etat().paquet, 500);
    QCOMPARE(b.etat().debut, Banc::aujourdhui);
    QCOMPARE(b.etat().reussies, 0);
    QCOMPARE(b.etat().erreurs, 0);
    for (int i = 0; i < nombrePoids; ++i)
        QCOMPARE(b.etat().masses[i], massesDeLaBoite[i]);
    QVERIFY(b.fenetre.demandes.isEmpty());
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
    b.fenetre.journal.clear();
    b.horloge.secondes += 30;
    b.demarrer(20);

    QCOMPARE(b.fenetre.journal, sequenceDemarrage(false, plateau));
    COMPARER_VUES(vueApresDemarrage(avant, false), b.fenetre.vue());
    QCOMPARE(b.etat().paquet, 20);
    QCOMPARE(b.etat().debut, Banc::aujourdhui);
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.etat().erreurs, erreurs);
    QCOMPARE(b.fenetre.texte(pesees), QStringLiteral("1"));
    QCOMPARE(b.fenetre.texte(Err), QString::number(erreurs));
    QCOMPARE(b.hasard.reamorcages, 2);
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
    b.fenetre.journal.clear();
    b.hasard.r = r;
    b.exercice.Command1_Click();

    QCOMPARE(b.etat().paquet, paquet);
    QCOMPARE(b.etat().maximum, maximum);
    QCOMPARE(b.hasard.reamorcages, 1);
    QCOMPARE(b.hasard.tirages, 1);
    QCOMPARE(b.fenetre.journal.mid(0, 2), QStringList({ "reamorcer", "tirer" }));
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

void TestExercice::infobulleDuGrammeAuSingulierEnDernier()
{
    Banc b;
    b.demarrer(500);
    QStringList dernier;
    for (const QString& ligne : b.fenetre.journal) {
        if (ligne.startsWith("infobulle") && ligne.contains(" 11:"))
            dernier << ligne;
    }
    QCOMPARE(dernier,
        QStringList({ "infobulle Picture2 11:  1 grammes", "infobulle boite 11:  1 grammes",
            "infobulle baim 11:  1 grammes", "infobulle Picture2 11:  1 gramme", "infobulle boite 11:  1 gramme",
            "infobulle baim 11:  1 gramme" }));
}

void TestExercice::equilibreAuPremierCoup()
{
    Banc b;
    b.demarrer(500);
    b.fenetre.journal.clear();
    b.fenetre.scripter({ "500" });
    b.exercice.boite_Click(0);

    QStringList attendu { "donner baim 0 boite 0", "montrer baim 0 1", "donner Picture2 0 mini", "montrer Picture2 0 1",
        "effacer boite 0" };
    attendu << sequenceVerdict(Verdict::Equilibre) << "demander: " + titreReponse << "couleur Text1 " + vert
            << "texte Text1: 500 grammes, BRAVO !" << "montrer Command1 1" << "legende Command1: Continuer"
            << "texte pesees: 1" << "texte Err: 0";
    for (int i = 0; i < nombrePoids; ++i)
        attendu << QStringLiteral("montrer boite %1 0").arg(i);
    attendu << "montrer Command2 1";
    QCOMPARE(b.fenetre.journal, attendu);

    QCOMPARE(b.fenetre.demandes.size(), 1);
    const Demande& d = b.fenetre.demandes[0];
    QCOMPARE(d.invite, inviteReponse);
    QCOMPARE(d.titre, titreReponse);
    QCOMPARE(d.propose, QStringLiteral("0"));
    QVERIFY(d.placement == Placement::CoinEcran);
    // The level scale stands behind the prompt.
    QCOMPARE(d.text1, QStringLiteral("La balance est équilibrée."));
    QCOMPARE(d.couleurText1, vert);
    QVERIFY(b.fenetre.messages.isEmpty());

    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.etat().erreurs, 0);
    QCOMPARE(b.fenetre.texte(Text1), QStringLiteral("500 grammes, BRAVO !"));
    QCOMPARE(b.fenetre.couleurTexte(Text1), vert);
    QVERIFY(b.fenetre.visible(Command1));
    QVERIFY(b.fenetre.visible(Command2));
    QVERIFY(!b.fenetre.visible(maxi));
    QVERIFY(b.fenetre.minuterie());
    QCOMPARE(b.fenetre.image(baim(0)), poids(0));
    QVERIFY(b.fenetre.visible(baim(0)));
    QCOMPARE(b.fenetre.image(Picture2(0)), QStringLiteral("mini"));
    QVERIFY(b.fenetre.visible(Picture2(0)));
    QCOMPARE(b.fenetre.fond(Picture2(0)), vert);
    QCOMPARE(b.fenetre.image(Image1), QStringLiteral("equilibre"));
    for (int i = 0; i < nombrePoids; ++i)
        QVERIFY(!b.fenetre.visible(boite(i)));
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
    b.poser(plateau);

    const QStringList sequence = sequenceVerdict(Verdict(verdict));
    QCOMPARE(b.fenetre.journal.mid(b.fenetre.journal.size() - sequence.size()), sequence);
    QVERIFY(b.fenetre.demandes.isEmpty());
    QVERIFY(b.fenetre.messages.isEmpty());

    const bool trop = Verdict(verdict) == Verdict::Trop;
    QCOMPARE(b.fenetre.image(Image1), trop ? QStringLiteral("trop") : QStringLiteral("manque"));
    QCOMPARE(b.fenetre.haut(Image3), trop ? 930 : 1470);
    for (int i = 0; i < nombrePoids; ++i) {
        QCOMPARE(b.fenetre.haut(Picture2(i)), trop ? 1990 : 1410);
        QCOMPARE(b.fenetre.fond(Picture2(i)), blanc);
        QCOMPARE(b.fenetre.visible(Picture2(i)), plateau.contains(i));
    }
    QCOMPARE(b.fenetre.texte(Text1), trop ? QStringLiteral("Il y a trop de poids.") : QStringLiteral("Il manque du poids."));
    QCOMPARE(b.fenetre.couleurTexte(Text1), trop ? rouge : jaune);
    QCOMPARE(b.etat().reussies, 0);
    QCOMPARE(b.etat().erreurs, 0);
    QVERIFY(!b.fenetre.visible(Command1));
}

void TestExercice::dernierPoidsRetire()
{
    Banc b;
    b.demarrer(300);
    b.poser({ 0 });
    QCOMPARE(b.fenetre.image(Image1), QStringLiteral("trop"));
    b.fenetre.journal.clear();
    b.exercice.baim_Click(0);

    QStringList attendu { "donner boite 0 baim 0", "effacer Picture2 0", "effacer baim 0", "montrer baim 0 0",
        "montrer Picture2 0 0" };
    attendu << sequenceVerdict(Verdict::Manque);
    QCOMPARE(b.fenetre.journal, attendu);
    QCOMPARE(b.fenetre.image(boite(0)), poids(0));
    QVERIFY(b.fenetre.visible(boite(0)));
    QCOMPARE(b.fenetre.image(baim(0)), QString());
    QVERIFY(!b.fenetre.visible(baim(0)));
    QCOMPARE(b.fenetre.image(Picture2(0)), QString());
    QVERIFY(!b.fenetre.visible(Picture2(0)));
    QVERIFY(b.fenetre.demandes.isEmpty());
}

void TestExercice::retraitApresReponseJuste()
{
    Banc b;
    b.demarrer(350);
    b.fenetre.scripter({ "350" });
    b.poser({ 1, 2, 4 });
    QCOMPARE(b.etat().reussies, 1);

    b.fenetre.journal.clear();
    b.exercice.baim_Click(2);
    QCOMPARE(b.fenetre.journal.mid(5), sequenceVerdict(Verdict::Manque));
    QCOMPARE(b.fenetre.demandes.size(), 1);
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.etat().erreurs, 0);
    QCOMPARE(b.fenetre.texte(pesees), QStringLiteral("1"));
    // Back into a box place that stays hidden until the next start.
    QCOMPARE(b.fenetre.image(boite(2)), poids(2));
    QVERIFY(!b.fenetre.visible(boite(2)));
    QVERIFY(b.fenetre.visible(Command1));
    QVERIFY(b.fenetre.visible(Command2));

    // Likewise after a stop.
    b.exercice.Command2_Click();
    b.exercice.baim_Click(1);
    QCOMPARE(b.fenetre.texte(Text1), QStringLiteral("Il manque du poids."));
    QCOMPARE(b.fenetre.demandes.size(), 1);
    QCOMPARE(b.etat().reussies, 0);
    QCOMPARE(b.etat().erreurs, 0);
    QCOMPARE(b.fenetre.image(boite(1)), poids(1));
    QCOMPARE(b.fenetre.image(baim(4)), poids(4));
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
    b.fenetre.journal.clear();
    b.poser({ 4 });

    QCOMPARE(b.fenetre.demandes.size(), 3);
    for (const Demande& d : b.fenetre.demandes) {
        QCOMPARE(d.invite, inviteReponse);
        QCOMPARE(d.titre, titreReponse);
        QCOMPARE(d.propose, QStringLiteral("0"));
        QVERIFY(d.placement == Placement::CoinEcran);
    }
    QCOMPARE(b.fenetre.demandes[0].text1, QStringLiteral("La balance est équilibrée."));
    QCOMPARE(b.fenetre.demandes[1].text1, QStringLiteral("300 grammes, ERREUR !"));
    QCOMPARE(b.fenetre.demandes[1].couleurText1, rouge);
    QCOMPARE(b.fenetre.demandes[2].text1, QStringLiteral("abc grammes, ERREUR !"));

    QCOMPARE(b.fenetre.messages.size(), 2);
    const QStringList tapes { "300", "abc" };
    for (int k = 0; k < 2; ++k) {
        const Message& m = b.fenetre.messages[k];
        QCOMPARE(m.texte, "Erreur de calcul ! Ce n'est pas " + tapes[k] + " grammes");
        QCOMPARE(m.titre, QStringLiteral("Erreur:"));
        QVERIFY(m.icone == Icone::Exclamation);
        QCOMPARE(m.err, QString::number(k + 1));
        QCOMPARE(m.text1, tapes[k] + " grammes, ERREUR !");
        QCOMPARE(m.couleurText1, rouge);
    }

    // Between the first two prompts: the count, the message line, then the box.
    const qsizetype premiere = b.fenetre.journal.indexOf("demander: " + titreReponse);
    const qsizetype seconde = b.fenetre.journal.indexOf("demander: " + titreReponse, premiere + 1);
    QCOMPARE(b.fenetre.journal.mid(premiere + 1, seconde - premiere - 1),
        QStringList({ "texte Err: 1", "texte Text1: 300 grammes, ERREUR !", "couleur Text1 " + rouge,
            "message: Erreur de calcul ! Ce n'est pas 300 grammes" }));

    QCOMPARE(b.etat().erreurs, 2);
    QCOMPARE(b.etat().reussies, 1);
    QCOMPARE(b.fenetre.texte(Err), QStringLiteral("2"));
    QCOMPARE(b.fenetre.texte(pesees), QStringLiteral("1"));
    QCOMPARE(b.fenetre.texte(Text1), QStringLiteral("350 grammes, BRAVO !"));
    QCOMPARE(b.fenetre.couleurTexte(Text1), vert);
    // The scale stays level throughout.
    QCOMPARE(b.fenetre.image(Image1), QStringLiteral("equilibre"));
    QCOMPARE(b.fenetre.journal.count("donner Image1 equilibre"), 1);
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
    b.fenetre.journal.clear();
    b.horloge.secondes += secondes;
    b.exercice.Timer1_Timer();

    QCOMPARE(b.fenetre.journal, QStringList({ "maintenant", "texte tempo: " + tempo, "texte rend: " + rend }));
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
    b.fenetre.pendantDemande = [&b] {
        b.horloge.secondes += 30;
        b.exercice.Timer1_Timer();
    };
    b.poser({ 0 });
    b.fenetre.pendantDemande = nullptr;

    // Both ticks came before the success was counted.
    QCOMPARE(b.fenetre.journal.count("texte rend: 0"), 2);
    QCOMPARE(b.fenetre.texte(tempo), QStringLiteral("00:01:00"));
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
    b.fenetre.journal.clear();
    b.exercice.Command2_Click();

    QCOMPARE(b.fenetre.journal,
        QStringList({ "minuterie 0", "premier Command1", "montrer Command2 0", "legende Command1: Démarrer",
            "montrer maxi 1" }));
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
    b.fenetre.journal.clear();
    b.horloge.secondes += 100;
    b.hasard.r = 0.9;
    b.exercice.Command1_Click();

    QCOMPARE(b.fenetre.journal, sequenceDemarrage(true, { 0 }));
    COMPARER_VUES(vueApresDemarrage(avant, true), b.fenetre.vue());
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
    b.fenetre.scripter(saisies);
    b.exercice.maxi_Click();

    QCOMPARE(b.fenetre.demandes.size(), saisies.size());
    for (const Demande& d : b.fenetre.demandes) {
        QCOMPARE(d.invite, inviteMaximum);
        QCOMPARE(d.titre, titreMaximum);
        QCOMPARE(d.propose, QStringLiteral("1000"));
        QVERIFY(d.placement == Placement::ParDefaut);
    }
    QCOMPARE(b.etat().maximum, maximum);
    QCOMPARE(b.etat().saisie, saisies.last());
    QCOMPARE(b.fenetre.texte(Text2), text2);

    QStringList attendu;
    for (qsizetype k = 0; k < saisies.size(); ++k)
        attendu << "demander: " + titreMaximum;
    attendu << "texte Text2: " + text2;
    QCOMPARE(b.fenetre.journal, attendu);
    QVERIFY(b.fenetre.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestExercice)
#include "tst_exercice.moc"
