#pragma once

// La Pesarine is made of three parts:
//  - the exercise (this folder): the state EtatExercice and the handlers that move it on, written
//    against the abstract operations below, so that it never sees a widget;
//  - the window (window/): the control table, the widgets built from it, and the implementation
//    of these operations with Qt; it forwards every click and tick to the exercise;
//  - the pictures (pictures/): the drawings, embedded in the executable as resources.
// Data flows one way: an event reaches the window, the window calls a handler of Exercice, and the
// handler changes the state and tells the window what to show through Controles.

#include <QString>

#include <cstdint>

// Every control of the window that a handler can name. The arrays boite, baim and Picture2 take an
// index, the weight index 0 to 11.
enum class Nom {
    Command1,
    Command2,
    maxi,
    Text1,
    Text2,
    pesees,
    Err,
    tempo,
    rend,
    Image1,
    Image2,
    Image3,
    boite,
    baim,
    Picture2,
    trop,
    manque,
    equilibre,
    mini,
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Label7,
    Label8,
    Shape1,
};

struct Controle {
    Nom nom;
    int index = -1;

    friend bool operator==(const Controle&, const Controle&) = default;
};

inline constexpr Controle Command1 { Nom::Command1 };
inline constexpr Controle Command2 { Nom::Command2 };
inline constexpr Controle maxi { Nom::maxi };
inline constexpr Controle Text1 { Nom::Text1 };
inline constexpr Controle Text2 { Nom::Text2 };
inline constexpr Controle pesees { Nom::pesees };
inline constexpr Controle Err { Nom::Err };
inline constexpr Controle tempo { Nom::tempo };
inline constexpr Controle rend { Nom::rend };
inline constexpr Controle Image1 { Nom::Image1 };
inline constexpr Controle Image2 { Nom::Image2 };
inline constexpr Controle Image3 { Nom::Image3 };
inline constexpr Controle trop { Nom::trop };
inline constexpr Controle manque { Nom::manque };
inline constexpr Controle equilibre { Nom::equilibre };
inline constexpr Controle mini { Nom::mini };

constexpr Controle boite(int i) { return { Nom::boite, i }; }
constexpr Controle baim(int i) { return { Nom::baim, i }; }
constexpr Controle Picture2(int i) { return { Nom::Picture2, i }; }

struct Couleur {
    std::uint8_t rouge = 0;
    std::uint8_t vert = 0;
    std::uint8_t bleu = 0;

    friend bool operator==(const Couleur&, const Couleur&) = default;
};

namespace couleurs {
inline constexpr Couleur blanc { 255, 255, 255 };
inline constexpr Couleur vert { 0, 255, 0 };
inline constexpr Couleur rouge { 255, 0, 0 };
inline constexpr Couleur jaune { 255, 255, 0 };
}

enum class Icone { Aucune, Exclamation };

// Where an input box opens: where the platform puts it, or in the screen's top-left corner (the
// answer box, so that the pupil can still see the plate and may move it aside).
enum class Placement { ParDefaut, CoinEcran };

// The operations on the window's controls. Each acts at once. Texts are the program's own: a line
// break inside a message is the pair line feed, carriage return, and the window shows it as one.
class Controles {
public:
    virtual ~Controles() = default;

    virtual void definirLegende(Controle bouton, const QString& legende) = 0;
    virtual void montrer(Controle c, bool visible) = 0;
    virtual void mettrePremierDansTabulation(Controle bouton) = 0;

    // A picture is handed over by sharing: both controls show the same picture afterwards.
    virtual bool aUneImage(Controle c) const = 0;
    virtual void donnerImage(Controle cible, Controle source) = 0;
    virtual void effacerImage(Controle c) = 0;

    virtual void definirHaut(Controle c, int twips) = 0;
    virtual void definirFond(Controle c, Couleur couleur) = 0;
    virtual void definirInfobulle(Controle c, const QString& texte) = 0;
    virtual void definirTexte(Controle c, const QString& texte) = 0;
    virtual void definirCouleurTexte(Controle c, Couleur couleur) = 0;

    virtual void activerMinuterie(bool active) = 0;

    // Modal boxes: they return when closed. The input box returns the text typed, or the empty text
    // when the user cancels or closes it.
    virtual QString demanderTexte(const QString& invite, const QString& titre, const QString& propose,
        Placement placement)
        = 0;
    virtual void afficherMessage(const QString& texte, const QString& titre, Icone icone) = 0;
};
