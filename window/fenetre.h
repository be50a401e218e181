#pragma once

#include "clavier.h"
#include "controles.h"
#include "exercice.h"

#include <QMainWindow>
#include <QPixmap>

#include <map>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QTimer;
class Annonce;
class ImageControle;
struct DefinitionControle;

// The main window: builds its controls from the window's definition, carries out the operations that
// the exercise asks of them, and hands every click and tick to the exercise.
class FenetrePesarine : public QMainWindow, private Controles {
    Q_OBJECT

public:
    FenetrePesarine(const Horloge& horloge, Hasard& hasard, QWidget* parent = nullptr);
    ~FenetrePesarine() override;

    const EtatExercice& etat() const { return exercice_.etat(); }
    const QString& adresse() const { return adresse_; }
    std::int32_t retour() const { return retour_; }

    // The widget that shows a control, for the tests and the benchmarks.
    QWidget* widget(Controle c) const;
    QTimer* Timer1() const { return Timer1_; }

    // What a click on each button does: the exercise's handler, then the focus where the pupil wants it.
    void clicCommand1();
    void clicCommand2();
    void clicMaxi();

    void Aide_Click();
    void propos_Click();
    void Siteweb_Click();
    void Quitter_Click();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;
    bool focusNextPrevChild(bool suivant) override;

private:
    void construireControles();
    QWidget* creerControle(const DefinitionControle& d, QWidget* surface);
    void habiller(QWidget* w, const DefinitionControle& d);
    void rendreAccessible(QWidget* w, const DefinitionControle& d);
    void ordonnerTabulation();
    void construireMenu();
    void Form_Load();
    void OuvrirPage(const QString& adresse);
    void appliquerTabulation();
    ImageControle* image(Controle c) const;

    // The keyboard: the weights that hold a picture take the focus, in two groups, the box and the
    // plate; Tab reaches one weight of each group and the arrows move inside it. After each handler
    // the focus goes where the pupil will want it next, and never to nothing.
    void cliquerBouton(Nom bouton);
    void deplacerPoids(Controle poids);
    bool prendLeFocus(Controle poids) const;
    void majFocusPoids();
    void choisirPoidsAtteints();
    void retenirPoids(QWidget* focus);
    void focusSurPoids(Controle poids);
    bool focusVersVoisin(Controle poids);
    // The weight of the same group that an arrow key reaches, by their places on the screen; -1 for none.
    int voisinALEcran(Controle depuis, Qt::Key fleche) const;
    void marquerFocus();

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

    struct Cle {
        Nom nom;
        int index;
        friend auto operator<=>(const Cle&, const Cle&) = default;
    };
    static Cle cle(Controle c) { return { c.nom, c.index }; }

    FiltreClavier clavier_;
    Exercice exercice_;
    std::map<Cle, QWidget*> widgets_;
    std::vector<QWidget*> tabulation_; // widgets that take the focus, in tab order
    std::vector<QWidget*> chaine_; // the same with the weights, in the order that Tab follows
    QTimer* Timer1_ = nullptr;
    MarqueFocus* marque_ = nullptr;
    Annonce* annonce_ = nullptr;
    int courantBoite_ = 0; // the weight of each group that Tab reaches
    int courantPlateau_ = 0;
    QString adresse_;
    std::int32_t retour_ = 0;
};
