#pragma once

#include "controles.h"
#include "hasard.h"
#include "horloge.h"

#include <QMap>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <stdexcept>

// The window as the exercise sees it, without a widget: it keeps what each control shows, takes a
// picture of the whole window each time a modal box opens (what the pupil sees behind it), and
// answers the input boxes from a script. It also writes every operation down as one readable line
// ("montrer Command2 0"), so that a test can tell that an event did nothing at all.

// "Command1", "boite 3", "Picture2 11".
QString nomDe(Controle c);
QString texteCouleur(Couleur c);

// What the window shows. A picture is named after the control that held it when the window
// opened ("poids 3" for the 100 g weight of boite(3), "manque", "mini"); the empty text is no picture.
struct Vue {
    QMap<QString, QString> image;
    QMap<QString, bool> visible;
    QMap<QString, QString> texte;
    QMap<QString, QString> couleurTexte;
    QMap<QString, QString> fond;
    QMap<QString, int> haut;
    QMap<QString, QString> infobulle;
    QMap<QString, QString> legende;
    bool minuterie = false;
    QString premierTabulation;

    friend bool operator==(const Vue&, const Vue&) = default;
};

// The first difference between two views, for a readable failure; empty when they are alike.
QString difference(const Vue& attendu, const Vue& obtenu);

// An input box opened when the script had nothing left to answer: the code under test asked more
// than the test meant, maybe in a loop that would never end.
class ScriptEpuise : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Demande {
    QString invite;
    QString titre;
    QString propose;
    Placement placement;
    QString text1; // the message line behind the box
    QString couleurText1;
    QString err;
    Vue derriere {}; // the whole window behind the box
};

struct Message {
    QString texte;
    QString titre;
    Icone icone;
    QString text1;
    QString couleurText1;
    QString err;
    Vue derriere {};
};

class FaussesCommandes final : public Controles {
public:
    // As the window stands after Form_Load.
    FaussesCommandes();

    QStringList journal;
    QList<Demande> demandes;
    QList<Message> messages;
    // Operations that the real window could not carry out (a text given to an image...).
    QStringList anomalies;
    // Runs inside each input box, before it is answered: a tick, as the timer goes on meanwhile.
    std::function<void()> pendantDemande;

    void scripter(const QStringList& reponses) { reponses_.append(reponses); }
    qsizetype reponsesRestantes() const { return reponses_.size(); }

    const Vue& vue() const { return vue_; }
    QString image(Controle c) const { return vue_.image.value(nomDe(c)); }
    bool visible(Controle c) const { return vue_.visible.value(nomDe(c)); }
    QString texte(Controle c) const { return vue_.texte.value(nomDe(c)); }
    QString couleurTexte(Controle c) const { return vue_.couleurTexte.value(nomDe(c)); }
    QString fond(Controle c) const { return vue_.fond.value(nomDe(c)); }
    int haut(Controle c) const { return vue_.haut.value(nomDe(c), -1); }
    QString infobulle(Controle c) const { return vue_.infobulle.value(nomDe(c)); }
    QString legende(Controle c) const { return vue_.legende.value(nomDe(c)); }
    bool minuterie() const { return vue_.minuterie; }
    QString premierTabulation() const { return vue_.premierTabulation; }

    void definirLegende(Controle bouton, const QString& legende) override;
    void montrer(Controle c, bool visible) override;
    void mettrePremierDansTabulation(Controle bouton) override;
    bool aUneImage(Controle c) const override;
    void donnerImage(Controle cible, Controle source) override;
    void effacerImage(Controle c) override;
    void definirHaut(Controle c, int twips) override;
    void definirFond(Controle c, Couleur couleur) override;
    void definirInfobulle(Controle c, const QString& texte) override;
    void definirTexte(Controle c, const QString& texte) override;
    void definirCouleurTexte(Controle c, Couleur couleur) override;
    void activerMinuterie(bool active) override;
    QString demanderTexte(const QString& invite, const QString& titre, const QString& propose,
        Placement placement) override;
    void afficherMessage(const QString& texte, const QString& titre, Icone icone) override;

private:
    bool verifierGenre(Controle c, const char* operation, bool accepte);

    Vue vue_;
    QQueue<QString> reponses_;
};

// A clock that reads what the test sets.
class FausseHorloge final : public Horloge {
public:
    std::int64_t secondes = 0;
    std::int64_t maintenant() const override { return secondes; }
};

// Draws the value the test set, every time. It writes its calls down, "reamorcer" and "tirer", in
// their order: a draw made before the reseed would come from the last seed, the same package at
// every start of the program.
class FauxHasard final : public Hasard {
public:
    double r = 0.0;
    QStringList appels;
    void reamorcer() override { appels << QStringLiteral("reamorcer"); }
    double tirer() override
    {
        appels << QStringLiteral("tirer");
        return r;
    }
};
