#include "exercice.h"
#include "attendus.h"
#include "fausses_commandes.h"

#include <QTest>

#include <array>
#include <cmath>
#include <deque>
#include <random>

// Thousands of random clicks, ticks and answers, each followed by a comparison of the window and
// the state with a small model of the exercise written apart from it.

namespace {

// Whole seconds as hh:mm:ss, whole days dropped, nothing before the start.
QString chrono(std::int64_t s)
{
    if (s <= 0)
        return QStringLiteral("00:00:00");
    s %= 86400;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

// Successful weighings per minute, cut to hundredths, with a French comma.
QString rendement(std::int64_t reussies, std::int64_t s)
{
    if (s <= 0)
        return QStringLiteral("0");
    const std::int64_t centiemes = reussies * 6000 / s;
    QString t = QString::number(centiemes / 100);
    const std::int64_t reste = centiemes % 100;
    if (reste % 10 != 0)
        t += QStringLiteral(",%1").arg(reste, 2, 10, QLatin1Char('0'));
    else if (reste != 0)
        t += QStringLiteral(",%1").arg(reste / 10);
    return t;
}

struct Reponse {
    QString texte;
    bool juste;
    int tick; // seconds the clock moves on while the box is open, then a tick; 0: no tick
};

struct Modele {
    enum class Etat { Repos, Pesee, Entre };

    Etat etat = Etat::Repos;
    bool demarre = false;
    std::array<bool, nombrePoids> plateau {};
    int paquet = 0;
    double maximum = 0;
    double maximumDuTirage = 0;
    int reussies = 0;
    int erreurs = 0;
    std::int64_t debut = 0;
    QString saisie;

    QString pesees = QStringLiteral("0");
    QString err = QStringLiteral("0");
    QString text2 = QStringLiteral("1000");
    QString text1 = QStringLiteral("La Pesarine");
    QString couleurText1 = vert;
    QString image1 = QStringLiteral("balance");
    int hautPaquet = 1240;
    int hautCellules = 1560;
    QString fondCellules = blanc;
    QString tempo = QStringLiteral(" ");
    QString rend;
    bool minuterie = false;

    // The boxes that the last event should have opened, as the window stood then.
    QList<Demande> demandes;
    QList<Message> messages;

    // The scale as it stands now: the part of the window behind a box that the model knows.
    Vue balance() const
    {
        Vue v;
        v.image["Image1"] = image1;
        v.haut["Image3"] = hautPaquet;
        for (int i = 0; i < nombrePoids; ++i) {
            v.haut[nomDe(Picture2(i))] = hautCellules;
            v.fond[nomDe(Picture2(i))] = fondCellules;
        }
        return v;
    }

    void demande(const QString& invite, const QString& titre, const QString& propose, Placement placement)
    {
        demandes << Demande { invite, titre, propose, placement, text1, couleurText1, err, balance() };
    }

    int somme() const
    {
        int s = 0;
        for (int i = 0; i < nombrePoids; ++i)
            s += plateau[i] ? massesDeLaBoite[i] : 0;
        return s;
    }

    void demarrer(double r, std::int64_t maintenant)
    {
        if (maximum == 0)
            maximum = 1000;
        const int plusGrand = int(std::floor(maximum));
        paquet = std::min(int(std::floor(r * plusGrand)) + 1, plusGrand);
        maximumDuTirage = maximum;
        plateau = {};
        etat = Etat::Pesee;
        demarre = true;
        verdict(false);
        if (reussies == 0) {
            debut = maintenant;
            pesees = err = QStringLiteral("0");
        }
        minuterie = true;
    }

    void verdict(bool tropLourd)
    {
        image1 = tropLourd ? QStringLiteral("trop") : QStringLiteral("manque");
        hautPaquet = tropLourd ? 930 : 1470;
        hautCellules = tropLourd ? 1990 : 1410;
        fondCellules = blanc;
        text1 = tropLourd ? QStringLiteral("Il y a trop de poids.") : QStringLiteral("Il manque du poids.");
        couleurText1 = tropLourd ? rouge : jaune;
    }

    void juger(const QList<Reponse>& reponses, std::int64_t& horloge)
    {
        const int s = somme();
        if (s != paquet) {
            verdict(s > paquet);
            return;
        }
        image1 = QStringLiteral("equilibre");
        hautPaquet = 1240;
        hautCellules = 1610;
        fondCellules = vert;
        text1 = QStringLiteral("La balance est équilibrée.");
        couleurText1 = vert;
        for (const Reponse& r : reponses) {
            demande(inviteReponse, titreReponse, QStringLiteral("0"), Placement::CoinEcran);
            if (r.tick > 0) {
                horloge += r.tick;
                tic(horloge);
            }
            if (!r.juste) {
                ++erreurs;
                err = QString::number(erreurs);
                text1 = r.texte + QStringLiteral(" grammes, ERREUR !");
                couleurText1 = rouge;
                messages << Message { QStringLiteral("Erreur de calcul ! Ce n'est pas ") + r.texte
                        + QStringLiteral(" grammes"),
                    QStringLiteral("Erreur:"), Icone::Exclamation, text1, couleurText1, err, balance() };
                continue;
            }
            text1 = r.texte + QStringLiteral(" grammes, BRAVO !");
            couleurText1 = vert;
            ++reussies;
            pesees = QString::number(reussies);
            err = QString::number(erreurs);
            etat = Etat::Entre;
        }
    }

    void tic(std::int64_t maintenant)
    {
        tempo = chrono(maintenant - debut);
        rend = rendement(reussies, maintenant - debut);
    }

    void arreter()
    {
        minuterie = false;
        reussies = erreurs = 0;
        etat = Etat::Repos;
    }
};

struct Banc {
    FaussesCommandes fenetre;
    FausseHorloge horloge;
    FauxHasard hasard;
    Exercice exercice { fenetre, horloge, hasard, QLocale(QLocale::French, QLocale::France) };
};

// How the scale behind a box differs from the model's; empty when it stands as the model has it.
QString ecartBalance(const Vue& modele, const Vue& derriere)
{
    for (auto i = modele.haut.cbegin(); i != modele.haut.cend(); ++i) {
        if (derriere.haut.value(i.key()) != i.value())
            return QStringLiteral("top of %1 %2, model %3")
                .arg(i.key())
                .arg(derriere.haut.value(i.key()))
                .arg(i.value());
    }
    for (auto i = modele.fond.cbegin(); i != modele.fond.cend(); ++i) {
        if (derriere.fond.value(i.key()) != i.value())
            return QStringLiteral("background of %1 %2, model %3")
                .arg(i.key(), derriere.fond.value(i.key()), i.value());
    }
    if (derriere.image.value("Image1") != modele.image.value("Image1"))
        return QStringLiteral("scale %1, model %2")
            .arg(derriere.image.value("Image1"), modele.image.value("Image1"));
    return {};
}

// The first difference between the model and what the exercise shows; empty when none.
QString verifier(const Modele& m, const Banc& b)
{
    const FaussesCommandes& f = b.fenetre;
    const EtatExercice& e = b.exercice.etat();
    using Etat = Modele::Etat;

    int sommeAffichee = 0;
    for (int i = 0; i < nombrePoids; ++i) {
        const bool sur = m.plateau[i];
        if (f.image(boite(i)) != (sur ? QString() : poids(i)) || f.image(baim(i)) != (sur ? poids(i) : QString()))
            return QStringLiteral("weight %1: box holds '%2', plate holds '%3', model: %4")
                .arg(i)
                .arg(f.image(boite(i)), f.image(baim(i)), sur ? "on the plate" : "in the box");
        if (!f.image(baim(i)).isEmpty())
            sommeAffichee += massesDeLaBoite[i];
        if (f.visible(baim(i)) != (m.demarre ? sur : true))
            return QStringLiteral("baim %1 visible: %2").arg(i).arg(f.visible(baim(i)));
        if (f.visible(Picture2(i)) != sur || f.image(Picture2(i)) != (sur ? QStringLiteral("mini") : QString()))
            return QStringLiteral("Picture2 %1: visible %2, holds '%3'").arg(i).arg(f.visible(Picture2(i))).arg(f.image(Picture2(i)));
        if (f.visible(boite(i)) != (m.etat == Etat::Pesee))
            return QStringLiteral("boite %1 visible: %2").arg(i).arg(f.visible(boite(i)));
        if (f.haut(Picture2(i)) != m.hautCellules || f.fond(Picture2(i)) != m.fondCellules)
            return QStringLiteral("Picture2 %1: top %2, background %3").arg(i).arg(f.haut(Picture2(i))).arg(f.fond(Picture2(i)));
        if (m.demarre) {
            const QString bulle = QStringLiteral(" %1 %2").arg(massesDeLaBoite[i]).arg(i == 11 ? "gramme" : "grammes");
            for (Controle c : { boite(i), baim(i), Picture2(i) }) {
                if (f.infobulle(c) != bulle)
                    return QStringLiteral("tooltip of %1: '%2'").arg(nomDe(c), f.infobulle(c));
            }
        }
    }
    if (sommeAffichee != m.somme() || sommeAffichee > 1000)
        return QStringLiteral("plate holds %1 g, model %2 g").arg(sommeAffichee).arg(m.somme());
    if (m.etat == Etat::Pesee && sommeAffichee == m.paquet)
        return QStringLiteral("plate balances the package while weighing");

    if (f.visible(Command1) != (m.etat != Etat::Pesee) || f.visible(Command2) != (m.etat == Etat::Entre)
        || f.visible(maxi) != (m.etat == Etat::Repos))
        return QStringLiteral("buttons shown: Command1 %1, Command2 %2, maxi %3")
            .arg(f.visible(Command1))
            .arg(f.visible(Command2))
            .arg(f.visible(maxi));
    const QString legende = m.etat == Etat::Repos ? QStringLiteral("Démarrer") : QStringLiteral("Continuer");
    if (f.legende(Command1) != legende)
        return QStringLiteral("Command1 reads '%1'").arg(f.legende(Command1));
    if (f.minuterie() != m.minuterie)
        return QStringLiteral("timer %1").arg(f.minuterie());

    if (e.reussies != m.reussies || e.erreurs != m.erreurs)
        return QStringLiteral("counters %1 and %2, model %3 and %4").arg(e.reussies).arg(e.erreurs).arg(m.reussies).arg(m.erreurs);
    if (f.texte(pesees) != m.pesees || f.texte(Err) != m.err)
        return QStringLiteral("pesees '%1', Err '%2', model '%3', '%4'").arg(f.texte(pesees), f.texte(Err), m.pesees, m.err);
    if (m.demarre) {
        if (e.paquet != m.paquet || e.paquet < 1 || e.paquet > std::floor(m.maximumDuTirage))
            return QStringLiteral("package %1 g, model %2 g").arg(e.paquet).arg(m.paquet);
        if (e.masses != massesDeLaBoite)
            return QStringLiteral("masses changed");
        if (e.debut != m.debut)
            return QStringLiteral("debut %1, model %2").arg(e.debut).arg(m.debut);
    }
    if (e.maximum != m.maximum || (m.maximum != 0 && (e.maximum < 2 || e.maximum > 1000)))
        return QStringLiteral("maximum %1, model %2").arg(e.maximum).arg(m.maximum);
    if (f.texte(Text2) != m.text2 || e.saisie != m.saisie)
        return QStringLiteral("Text2 '%1', saisie '%2'").arg(f.texte(Text2), e.saisie);

    if (f.image(Image1) != m.image1 || f.haut(Image3) != m.hautPaquet)
        return QStringLiteral("scale '%1', package at %2").arg(f.image(Image1)).arg(f.haut(Image3));
    if (f.texte(Text1) != m.text1 || f.couleurTexte(Text1) != m.couleurText1)
        return QStringLiteral("Text1 '%1' in %2, model '%3' in %4")
            .arg(f.texte(Text1), f.couleurTexte(Text1), m.text1, m.couleurText1);
    if (f.texte(tempo) != m.tempo || f.texte(rend) != m.rend)
        return QStringLiteral("tempo '%1', rend '%2', model '%3', '%4'").arg(f.texte(tempo), f.texte(rend), m.tempo, m.rend);

    if (f.reponsesRestantes() != 0)
        return QStringLiteral("%1 scripted answers left unread").arg(f.reponsesRestantes());
    if (f.demandes.size() != m.demandes.size() || f.messages.size() != m.messages.size())
        return QStringLiteral("%1 prompts and %2 messages, model %3 and %4")
            .arg(f.demandes.size())
            .arg(f.messages.size())
            .arg(m.demandes.size())
            .arg(m.messages.size());
    for (qsizetype k = 0; k < f.demandes.size(); ++k) {
        const Demande& a = m.demandes[k];
        const Demande& o = f.demandes[k];
        if (o.invite != a.invite || o.titre != a.titre || o.propose != a.propose || o.placement != a.placement
            || o.text1 != a.text1 || o.couleurText1 != a.couleurText1 || o.err != a.err)
            return QStringLiteral("prompt %1: '%2' proposing '%3' over '%4' and Err '%5'; model '%6' proposing '%7' over '%8' and Err '%9'")
                .arg(k)
                .arg(o.titre, o.propose, o.text1, o.err, a.titre, a.propose, a.text1, a.err);
        if (const QString e = ecartBalance(a.derriere, o.derriere); !e.isEmpty())
            return QStringLiteral("prompt %1 opens over: %2").arg(k).arg(e);
    }
    for (qsizetype k = 0; k < f.messages.size(); ++k) {
        const Message& a = m.messages[k];
        const Message& o = f.messages[k];
        if (o.texte != a.texte || o.titre != a.titre || o.icone != a.icone || o.text1 != a.text1
            || o.couleurText1 != a.couleurText1 || o.err != a.err)
            return QStringLiteral("error box %1: '%2' over '%3' and Err '%4'; model '%5' over '%6' and Err '%7'")
                .arg(k)
                .arg(o.texte, o.text1, o.err, a.texte, a.text1, a.err);
        if (const QString e = ecartBalance(a.derriere, o.derriere); !e.isEmpty())
            return QStringLiteral("error box %1 opens over: %2").arg(k).arg(e);
    }
    if (!f.anomalies.isEmpty())
        return QStringLiteral("operations the window cannot do: %1").arg(f.anomalies.join(", "));
    return {};
}

class Tirages {
public:
    explicit Tirages(unsigned graine) : alea_(graine) { }

    int entier(int de, int a) { return std::uniform_int_distribution<int>(de, a)(alea_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(alea_) < p; }
    double reel() { return std::uniform_real_distribution<double>(0, 1)(alea_); }

    template <typename T>
    const T& parmi(const QList<T>& liste)
    {
        return liste[entier(0, int(liste.size()) - 1)];
    }

private:
    std::mt19937 alea_;
};

QString fausseReponse(Tirages& t, int paquet)
{
    const QString p = QString::number(paquet);
    switch (t.entier(0, 8)) {
    case 0:
        return QString();
    case 1:
        return QStringLiteral("abc");
    case 2:
        return QStringLiteral("0");
    case 3:
        return "-" + p;
    case 4:
        return p + "0";
    case 5:
        return p + ".5";
    case 6:
        return QStringLiteral("1e999999999999");
    default: {
        int autre = paquet;
        while (autre == paquet)
            autre = t.entier(1, 1000);
        return QString::number(autre);
    }
    }
}

QString bonneReponse(Tirages& t, int paquet)
{
    const QString p = QString::number(paquet);
    switch (t.entier(0, 6)) {
    case 0:
        return "0" + p;
    case 1:
        return p + " g";
    case 2:
        return p + ",5";
    case 3:
        return p + ".0";
    case 4: {
        QString espace;
        for (QChar c : p)
            espace += QStringLiteral(" ") + c;
        return espace;
    }
    default:
        return p;
    }
}

struct Saisie {
    QString texte;
    double valeur;
    QString affichage;
};

QList<Saisie> saisiesMaximum(Tirages& t)
{
    const QList<QString> refusees { "", "1", "1001", "abc", "-5", "1,5", "1e999999999999", "0.5", "1000.5", "1e4" };
    QList<Saisie> s;
    for (int k = t.entier(0, 3); k > 0; --k)
        s << Saisie { t.parmi(refusees), 0, {} };
    const int n = t.entier(2, 999);
    const QList<Saisie> acceptees {
        { "2", 2, "2" },
        { "1000", 1000, "1000" },
        { "12abc", 12, "12" },
        { "2.5", 2.5, "2,5" },
        { "  5 0 0", 500, "500" },
        { "1e3", 1000, "1000" },
        { "3,9", 3, "3" },
        { "7.25", 7.25, "7,25" },
        { QString::number(n), double(n), QString::number(n) },
        { QString::number(n) + ".5", n + 0.5, QString::number(n) + ",5" },
    };
    s << t.parmi(acceptees);
    return s;
}

} // namespace

class TestModele : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aleatoire_data();
    void aleatoire();
};

void TestModele::aleatoire_data()
{
    QTest::addColumn<unsigned>("graine");
    QTest::newRow("seed 1") << 1u;
    QTest::newRow("seed 2002") << 2002u;
    QTest::newRow("seed 31337") << 31337u;
    QTest::newRow("seed 4000000000") << 4000000000u;
}

void TestModele::aleatoire()
{
    QFETCH(unsigned, graine);
    constexpr int evenements = 6000;

    Tirages t(graine);
    Banc b;
    b.horloge.secondes = std::int64_t { 20000 } * 86400;
    Modele m;

    std::deque<int> ticksEnAttente;
    b.fenetre.pendantDemande = [&] {
        if (ticksEnAttente.empty())
            return;
        const int s = ticksEnAttente.front();
        ticksEnAttente.pop_front();
        if (s > 0) {
            b.horloge.secondes += s;
            b.exercice.Timer1_Timer();
        }
    };

    int succes = 0, erreurs = 0, arrets = 0, changements = 0, retoursEnArriere = 0;
    for (int n = 0; n < evenements; ++n) {
        // What the window lets through: shown buttons and images, ticks while the timer runs.
        enum Genre { Demarrer, Arreter, Maximum, Boite, Plateau, Viser, Tic };
        struct Candidat {
            Genre genre;
            int i;
            int poids;
        };
        QList<Candidat> candidats;
        if (b.fenetre.visible(Command1))
            candidats << Candidat { Demarrer, -1, 4 };
        if (b.fenetre.visible(Command2))
            candidats << Candidat { Arreter, -1, 1 };
        if (b.fenetre.visible(maxi))
            candidats << Candidat { Maximum, -1, 1 };
        for (int i = 0; i < nombrePoids; ++i) {
            if (b.fenetre.visible(boite(i)))
                candidats << Candidat { Boite, i, 1 };
            if (b.fenetre.visible(baim(i)))
                candidats << Candidat { Plateau, i, 1 };
        }
        if (m.etat == Modele::Etat::Pesee)
            candidats << Candidat { Viser, -1, 14 };
        if (b.fenetre.minuterie())
            candidats << Candidat { Tic, -1, 4 };
        int total = 0;
        for (const Candidat& c : candidats)
            total += c.poids;
        int tire = t.entier(0, total - 1);
        Candidat choix = candidats.first();
        for (const Candidat& c : candidats) {
            if (tire < c.poids) {
                choix = c;
                break;
            }
            tire -= c.poids;
        }

        // Towards the package: the weights of its decomposition, heaviest first, go on; the others come off.
        if (choix.genre == Viser) {
            std::array<bool, nombrePoids> cible {};
            int reste = m.paquet;
            for (int i = 0; i < nombrePoids; ++i) {
                cible[i] = reste >= massesDeLaBoite[i];
                reste -= cible[i] ? massesDeLaBoite[i] : 0;
            }
            QList<int> aBouger;
            for (int i = 0; i < nombrePoids; ++i) {
                if (cible[i] != m.plateau[i])
                    aBouger << i;
            }
            if (aBouger.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: weighing with a balanced plate").arg(graine).arg(n)));
            const int i = t.parmi(aBouger);
            choix = Candidat { m.plateau[i] ? Plateau : Boite, i, 0 };
        }

        b.horloge.secondes += t.entier(0, 2);
        const qsizetype journalAvant = b.fenetre.journal.size();
        bool ignore = false;
        QString description;

        try {
            switch (choix.genre) {
            case Demarrer: {
                const double r = t.chance(0.05) ? 0.0 : t.chance(0.05) ? std::nextafter(1.0, 0.0) : t.reel();
                description = QStringLiteral("Command1 with r = %1").arg(r, 0, 'g', 17);
                b.hasard.r = r;
                m.demarrer(r, b.horloge.secondes);
                b.exercice.Command1_Click();
                break;
            }
            case Arreter:
                description = QStringLiteral("Command2");
                m.arreter();
                b.exercice.Command2_Click();
                ++arrets;
                break;
            case Maximum: {
                const QList<Saisie> saisies = saisiesMaximum(t);
                QStringList textes;
                for (const Saisie& s : saisies)
                    textes << s.texte;
                description = QStringLiteral("maxi typing '%1'").arg(textes.join("', '"));
                b.fenetre.scripter(textes);
                m.maximum = saisies.last().valeur;
                m.text2 = saisies.last().affichage;
                m.saisie = saisies.last().texte;
                for (qsizetype k = 0; k < saisies.size(); ++k)
                    m.demande(inviteMaximum, titreMaximum, QStringLiteral("1000"), Placement::ParDefaut);
                b.exercice.maxi_Click();
                ++changements;
                break;
            }
            case Boite:
            case Plateau: {
                const int i = choix.i;
                const bool poser = choix.genre == Boite;
                description = QStringLiteral("%1(%2)").arg(poser ? "boite" : "baim").arg(i);
                if (m.plateau[i] == poser) {
                    ignore = true;
                    poser ? b.exercice.boite_Click(i) : b.exercice.baim_Click(i);
                    break;
                }
                m.plateau[i] = poser;
                QList<Reponse> reponses;
                if (m.somme() == m.paquet) {
                    for (int k = t.chance(0.5) ? 0 : t.entier(1, 3); k > 0; --k)
                        reponses << Reponse { fausseReponse(t, m.paquet), false, 0 };
                    reponses << Reponse { bonneReponse(t, m.paquet), true, 0 };
                    for (Reponse& r : reponses) {
                        r.tick = t.chance(0.3) ? t.entier(1, 5) : 0;
                        b.fenetre.scripter({ r.texte });
                        ticksEnAttente.push_back(r.tick);
                    }
                    succes += 1;
                    erreurs += int(reponses.size()) - 1;
                    description += QStringLiteral(" answered '%1'").arg([&] {
                        QStringList l;
                        for (const Reponse& r : reponses)
                            l << r.texte;
                        return l.join("', '");
                    }());
                }
                std::int64_t horlogeModele = b.horloge.secondes;
                m.juger(reponses, horlogeModele);
                poser ? b.exercice.boite_Click(i) : b.exercice.baim_Click(i);
                if (horlogeModele != b.horloge.secondes)
                    QFAIL(qPrintable(QStringLiteral("seed %1, event %2 (%3): ticks during the prompts differ")
                                         .arg(graine)
                                         .arg(n)
                                         .arg(description)));
                break;
            }
            case Tic: {
                std::int64_t pas = 1;
                if (t.chance(0.1))
                    pas = t.entier(2, 100000);
                else if (t.chance(0.08)) {
                    pas = -t.entier(1, 200000);
                    ++retoursEnArriere;
                } else if (t.chance(0.08))
                    pas = 0;
                else if (t.chance(0.2))
                    pas = t.entier(0, 10);
                description = QStringLiteral("tick after %1 s").arg(pas);
                b.horloge.secondes += pas;
                m.tic(b.horloge.secondes);
                b.exercice.Timer1_Timer();
                break;
            }
            case Viser:
                break;
            }
        } catch (const ScriptEpuise& e) {
            QFAIL(qPrintable(QStringLiteral("seed %1, event %2 (%3): %4").arg(graine).arg(n).arg(description, e.what())));
        }

        if (ignore && b.fenetre.journal.size() != journalAvant)
            QFAIL(qPrintable(QStringLiteral("seed %1, event %2 (%3): a click on an empty place did %4")
                                 .arg(graine)
                                 .arg(n)
                                 .arg(description, b.fenetre.journal.mid(journalAvant).join("; "))));
        if (!ticksEnAttente.empty())
            QFAIL(qPrintable(QStringLiteral("seed %1, event %2 (%3): fewer prompts than expected").arg(graine).arg(n).arg(description)));
        const QString ecart = verifier(m, b);
        QVERIFY2(ecart.isEmpty(),
            qPrintable(QStringLiteral("seed %1, event %2 (%3): %4").arg(graine).arg(n).arg(description, ecart)));
        b.fenetre.journal.clear();
        b.fenetre.demandes.clear();
        b.fenetre.messages.clear();
        m.demandes.clear();
        m.messages.clear();
    }

    // A run that never reached a path would prove nothing about it.
    QVERIFY2(succes > 50 && erreurs > 50 && arrets > 10 && changements > 10 && retoursEnArriere > 5,
        qPrintable(QStringLiteral("%1 successes, %2 wrong answers, %3 stops, %4 maximum changes, %5 clocks set back")
                       .arg(succes)
                       .arg(erreurs)
                       .arg(arrets)
                       .arg(changements)
                       .arg(retoursEnArriere)));
}

QTEST_GUILESS_MAIN(TestModele)
#include "tst_modele.moc"
