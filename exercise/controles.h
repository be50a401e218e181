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

#include "etat.h"

#include <string_view>

// What a control is, which tells what can be asked of it.
enum class Genre {
    Bouton, // picture button: icon above caption
    Texte, // single-line text display, written by the program only
    Etiquette, // fixed text
    Image, // picture stretched to its rectangle, reporting clicks over all of it
    Cellule, // small picture box: picture unscaled from its top-left corner, on a background colour
    Porteur, // picture holder, never shown
    Cadre, // outlined frame with rounded corners, taking no clicks
};

// Every control of the window, once: its name, its kind and its number of elements (1, or one per
// weight for the arrays boite, baim and Picture2, which take the weight index 0 to 11). The names,
// the constants below and what the tests' fake window knows of each control all come from here.
#define PESARINE_CONTROLES(X) \
    X(Command1, Bouton, 1) \
    X(Command2, Bouton, 1) \
    X(maxi, Bouton, 1) \
    X(Text1, Texte, 1) \
    X(Text2, Texte, 1) \
    X(pesees, Texte, 1) \
    X(Err, Texte, 1) \
    X(tempo, Texte, 1) \
    X(rend, Texte, 1) \
    X(Image1, Image, 1) \
    X(Image2, Image, 1) \
    X(Image3, Image, 1) \
    X(boite, Image, nombrePoids) \
    X(baim, Image, nombrePoids) \
    X(Picture2, Cellule, nombrePoids) \
    X(trop, Porteur, 1) \
    X(manque, Porteur, 1) \
    X(equilibre, Porteur, 1) \
    X(mini, Porteur, 1) \
    X(Label1, Etiquette, 1) \
    X(Label2, Etiquette, 1) \
    X(Label3, Etiquette, 1) \
    X(Label4, Etiquette, 1) \
    X(Label5, Etiquette, 1) \
    X(Label6, Etiquette, 1) \
    X(Label7, Etiquette, 1) \
    X(Label8, Etiquette, 1) \
    X(Shape1, Cadre, 1)

enum class Nom {
#define PESARINE_ENUMERATEUR(nom, genre, elements) nom,
    PESARINE_CONTROLES(PESARINE_ENUMERATEUR)
#undef PESARINE_ENUMERATEUR
};

struct Identite {
    std::string_view nom;
    Genre genre;
    int elements;
};

inline constexpr Identite identites[] = {
#define PESARINE_IDENTITE(nom, genre, elements) { #nom, Genre::genre, elements },
    PESARINE_CONTROLES(PESARINE_IDENTITE)
#undef PESARINE_IDENTITE
};

constexpr const Identite& identite(Nom nom) { return identites[static_cast<std::size_t>(nom)]; }

struct Controle {
    Nom nom;
    int index = -1; // the weight index for an element of an array, -1 otherwise

    friend bool operator==(const Controle&, const Controle&) = default;
};

constexpr Genre genreDe(Controle c) { return identite(c.nom).genre; }

// Whether the control exists: a single control without an index, an array's element with one in range.
constexpr bool existe(Controle c)
{
    const int n = identite(c.nom).elements;
    return n == 1 ? c.index == -1 : c.index >= 0 && c.index < n;
}

// A control is named as in the window's definition: Command1 is a control, boite(3) one element of
// an array.
template <int elements>
struct Designation {
    Nom nom;
    constexpr Controle operator()(int index) const
        requires(elements > 1)
    {
        return { nom, index };
    }
    constexpr operator Controle() const
        requires(elements == 1)
    {
        return { nom };
    }
};

#define PESARINE_CONSTANTE(nom, genre, elements) inline constexpr Designation<elements> nom { Nom::nom };
PESARINE_CONTROLES(PESARINE_CONSTANTE)
#undef PESARINE_CONSTANTE

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
