// Draws every picture of the program and writes it as a PNG file.
//
// Everything is drawn pixel by pixel, with no antialiasing and no system font, into indexed images whose
// colour tables are written out explicitly: the files depend on this program alone, and drawing them again
// gives the same bytes.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr QRgb transparent = 0x00FFFFFF;

// An indexed picture being drawn. Shapes are given in the pixels of the picture at its natural size and
// tested at the centre of each pixel; at `echelle` 2 or 3 the picture has that many times more pixels each
// way, so the same shapes come out finer, with every edge where it lies at the natural size.
class Toile {
public:
    Toile(int largeur, int hauteur, const QList<QRgb>& couleurs, int fond = 0, int echelle = 1)
        : image_(largeur * echelle, hauteur * echelle, QImage::Format_Indexed8)
        , echelle_(echelle)
    {
        image_.setColorTable(couleurs);
        image_.fill(static_cast<uint>(fond));
        // The default resolution comes from the screen; a fixed one keeps the files identical everywhere.
        image_.setDotsPerMeterX(3780 * echelle);
        image_.setDotsPerMeterY(3780 * echelle);
    }

    // The natural size, and the picture's own pixels.
    int largeur() const { return image_.width() / echelle_; }
    int hauteur() const { return image_.height() / echelle_; }
    int echelle() const { return echelle_; }
    int pixelsLarge() const { return image_.width(); }
    int pixelsHaut() const { return image_.height(); }

    // In the picture's own pixels.
    bool dedans(int x, int y) const { return x >= 0 && y >= 0 && x < pixelsLarge() && y < pixelsHaut(); }
    int indice(int x, int y) const { return dedans(x, y) ? image_.pixelIndex(x, y) : -1; }

    void poser(int x, int y, int indice)
    {
        if (dedans(x, y))
            image_.setPixel(x, y, static_cast<uint>(indice));
    }

    // The centre of one of the picture's own pixels, at the natural size.
    double centre(int pixel) const { return (pixel + 0.5) / echelle_; }

    void remplir(int indice, const std::function<bool(double, double)>& forme)
    {
        for (int y = 0; y < pixelsHaut(); ++y)
            for (int x = 0; x < pixelsLarge(); ++x)
                if (forme(centre(x), centre(y)))
                    poser(x, y, indice);
    }

    // Whole pixels of the natural size, corners included.
    void rectangle(int x0, int y0, int x1, int y1, int indice)
    {
        for (int y = y0 * echelle_; y < (y1 + 1) * echelle_; ++y)
            for (int x = x0 * echelle_; x < (x1 + 1) * echelle_; ++x)
                poser(x, y, indice);
    }

    void ellipse(double cx, double cy, double rx, double ry, int indice)
    {
        remplir(indice, [=](double x, double y) {
            const double u = (x - cx) / rx, v = (y - cy) / ry;
            return u * u + v * v <= 1.0;
        });
    }

    // A line one pixel of the natural size thick, from the pixel (x0, y0) to the pixel (x1, y1).
    void ligne(int x0, int y0, int x1, int y1, int indice)
    {
        if (echelle_ > 1)
            return ligneFine(x0, y0, x1, y1, indice);
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int erreur = dx + dy;
        for (;;) {
            poser(x0, y0, indice);
            if (x0 == x1 && y0 == y1)
                break;
            const int double_erreur = 2 * erreur;
            if (double_erreur >= dy) {
                erreur += dy;
                x0 += sx;
            }
            if (double_erreur <= dx) {
                erreur += dx;
                y0 += sy;
            }
        }
    }

    // Paints `bord` over the pixels of `interieur` that touch a pixel of another colour (or the edge), within
    // `epaisseur` of the picture's own pixels.
    void cerner(int interieur, int bord, int epaisseur = 1)
    {
        const QImage avant = image_;
        for (int y = 0; y < pixelsHaut(); ++y)
            for (int x = 0; x < pixelsLarge(); ++x) {
                if (avant.pixelIndex(x, y) != interieur)
                    continue;
                bool touche = false;
                for (int d = 1; d <= epaisseur && !touche; ++d)
                    for (auto [ex, ey] : { std::pair { d, 0 }, { -d, 0 }, { 0, d }, { 0, -d } }) {
                        const int vx = x + ex, vy = y + ey;
                        if (vx < 0 || vy < 0 || vx >= pixelsLarge() || vy >= pixelsHaut()
                            || avant.pixelIndex(vx, vy) != interieur)
                            touche = true;
                    }
                if (touche)
                    poser(x, y, bord);
            }
    }

    bool enregistrer(const QString& chemin) const { return image_.save(chemin, "PNG"); }

private:
    // Step along the line's longer direction through the picture's own pixels, and paint across it as many
    // pixels as one pixel of the natural size holds, centred on the line.
    void ligneFine(int x0, int y0, int x1, int y1, int indice)
    {
        const bool couchee = std::abs(x1 - x0) >= std::abs(y1 - y0);
        const int a0 = couchee ? x0 : y0, a1 = couchee ? x1 : y1;
        const int b0 = couchee ? y0 : x0, b1 = couchee ? y1 : x1;
        const int e = echelle_;
        for (int a = std::min(a0, a1) * e; a < (std::max(a0, a1) + 1) * e; ++a) {
            const double t
                = a0 == a1 ? 0.0 : std::clamp((centre(a) - (a0 + 0.5)) / double(a1 - a0), 0.0, 1.0);
            const double milieu = ((b0 + 0.5) + t * (b1 - b0)) * e;
            // The e pixels whose centres lie in (milieu - e / 2, milieu + e / 2].
            const int premier = static_cast<int>(std::floor(milieu - e / 2.0 - 0.5)) + 1;
            for (int b = premier; b < premier + e; ++b)
                couchee ? poser(a, b, indice) : poser(b, a, indice);
        }
    }

    QImage image_;
    int echelle_;
};

// The distance from (px, py) to the segment from (ax, ay) to (bx, by).
double distanceSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double vx = bx - ax, vy = by - ay;
    const double l = vx * vx + vy * vy;
    double t = l > 0.0 ? ((px - ax) * vx + (py - ay) * vy) / l : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = px - ax - t * vx, dy = py - ay - t * vy;
    return std::sqrt(dx * dx + dy * dy);
}

// Glyphs of the figures, one string per row, '#' for ink.
struct Glyphe {
    char caractere;
    int decalage; // rows below the top of the figures, for the tail of the g
    std::vector<const char*> lignes;
};

const std::vector<Glyphe>& petitePolice()
{
    static const std::vector<Glyphe> police {
        { '0', 0, { "###", "#.#", "#.#", "#.#", "###" } },
        { '1', 0, { ".#.", "##.", ".#.", ".#.", "###" } },
        { '2', 0, { "###", "..#", "###", "#..", "###" } },
        { '3', 0, { "###", "..#", ".##", "..#", "###" } },
        { '4', 0, { "#.#", "#.#", "###", "..#", "..#" } },
        { '5', 0, { "###", "#..", "###", "..#", "###" } },
        { '6', 0, { "###", "#..", "###", "#.#", "###" } },
        { '7', 0, { "###", "..#", ".#.", ".#.", ".#." } },
        { '8', 0, { "###", "#.#", "###", "#.#", "###" } },
        { '9', 0, { "###", "#.#", "###", "..#", "###" } },
        { ' ', 0, { ".", ".", ".", ".", "." } },
        { 'g', 2, { ".##", "#.#", ".##", "..#", "##." } },
        { 'S', 0, { "###", "#..", "###", "..#", "###" } },
        { 'T', 0, { "###", ".#.", ".#.", ".#.", ".#." } },
        { 'O', 0, { "###", "#.#", "#.#", "#.#", "###" } },
        { 'P', 0, { "###", "#.#", "###", "#..", "#.." } },
    };
    return police;
}

const std::vector<Glyphe>& grandePolice()
{
    static const std::vector<Glyphe> police {
        { '0', 0, { ".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###." } },
        { '1', 0, { "..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "#####" } },
        { '2', 0, { ".###.", "#...#", "....#", "..##.", ".#...", "#....", "#####" } },
        { '3', 0, { ".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###." } },
        { '4', 0, { "...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#." } },
        { '5', 0, { "#####", "#....", "####.", "....#", "....#", "#...#", ".###." } },
        { '6', 0, { "..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###." } },
        { '7', 0, { "#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..." } },
        { '8', 0, { ".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###." } },
        { '9', 0, { ".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.." } },
        { ' ', 0, { "...", "...", "...", "...", "...", "...", "..." } },
        { 'g', 2, { ".####", "#...#", "#...#", "#...#", ".####", "....#", ".###." } },
        { 'S', 0, { ".####", "#....", "#....", ".###.", "....#", "....#", "####." } },
        { 'T', 0, { "#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.." } },
        { 'O', 0, { ".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###." } },
        { 'P', 0, { "####.", "#...#", "#...#", "####.", "#....", "#....", "#...." } },
    };
    return police;
}

const Glyphe& glyphe(const std::vector<Glyphe>& police, char c)
{
    for (const Glyphe& g : police)
        if (g.caractere == c)
            return g;
    std::fprintf(stderr, "glyphe manquant : %c\n", c);
    std::exit(EXIT_FAILURE);
}

int largeurTexte(const std::vector<Glyphe>& police, const char* texte, int echelle = 1)
{
    int largeur = 0;
    for (const char* c = texte; *c; ++c)
        largeur += (static_cast<int>(std::string_view(glyphe(police, *c).lignes[0]).size()) + (c[1] ? 1 : 0));
    return largeur * echelle;
}

int hauteurTexte(const std::vector<Glyphe>& police, const char* texte, int echelle = 1)
{
    int hauteur = 0;
    for (const char* c = texte; *c; ++c) {
        const Glyphe& g = glyphe(police, *c);
        hauteur = std::max(hauteur, g.decalage + static_cast<int>(g.lignes.size()));
    }
    return hauteur * echelle;
}

// A glyph drawn as strokes through the centres of its inked cells, as wide as a cell (or `traitX` of a cell
// across and `traitY` down), into the box of the given size: at one pixel a cell it gives the glyph's own
// pixels, and finer it keeps its diagonals smooth.
void tracerGlyphe(Toile& toile, const Glyphe& g, double x, double y, double largeur, double hauteur,
    int indice, double traitX = 1.0, double traitY = 1.0)
{
    const int colonnes = static_cast<int>(std::string_view(g.lignes[0]).size());
    const int lignes = static_cast<int>(g.lignes.size());
    auto encre = [&](int c, int l) {
        return c >= 0 && l >= 0 && c < colonnes && l < lignes && g.lignes[l][c] == '#';
    };
    struct Trait {
        double x0, y0, x1, y1;
    };
    std::vector<Trait> traits;
    for (int l = 0; l < lignes; ++l)
        for (int c = 0; c < colonnes; ++c) {
            if (!encre(c, l))
                continue;
            traits.push_back({ double(c), double(l), double(c), double(l) });
            if (encre(c + 1, l))
                traits.push_back({ double(c), double(l), c + 1.0, double(l) });
            if (encre(c, l + 1))
                traits.push_back({ double(c), double(l), double(c), l + 1.0 });
            // A diagonal only where no corner already joins the two cells.
            for (const int sens : { -1, 1 })
                if (encre(c + sens, l + 1) && !encre(c + sens, l) && !encre(c, l + 1))
                    traits.push_back({ double(c), double(l), double(c + sens), l + 1.0 });
        }
    const double cellX = largeur / colonnes, cellY = hauteur / lignes;
    toile.remplir(indice, [&](double px, double py) {
        const double u = (px - x) / cellX - 0.5, v = (py - y) / cellY - 0.5;
        if (u < -1.0 || v < -1.0 || u > colonnes || v > lignes)
            return false;
        for (const Trait& t : traits)
            if (distanceSegment(
                    u / traitX, v / traitY, t.x0 / traitX, t.y0 / traitY, t.x1 / traitX, t.y1 / traitY)
                <= 0.5)
                return true;
        return false;
    });
}

// Lays the text out with the cells of `police`, each `ex` by `ey`, and draws every glyph from the larger
// font: for pictures drawn finer than their natural size, where the small font's few cells would only be
// enlarged.
void tracer(Toile& toile, const std::vector<Glyphe>& police, const char* texte, double x, double y, double ex,
    double ey, int indice)
{
    for (const char* c = texte; *c; ++c) {
        const Glyphe& g = glyphe(police, *c);
        const int largeur = static_cast<int>(std::string_view(g.lignes[0]).size());
        // The large g's tail runs out to the right, under its stem: in the small weights' short body, whose
        // bottom already curves in there, the small g keeps to the inside, with strokes as thin as the
        // figures'.
        const bool petitG = &police == &petitePolice() && *c == 'g';
        const Glyphe& grand = glyphe(grandePolice(), *c);
        const Glyphe& forme = petitG ? g : grand;
        const auto cellules = [](const Glyphe& h) { return double(std::string_view(h.lignes[0]).size()); };
        const double traitX = cellules(forme) / cellules(grand);
        const double traitY = double(forme.lignes.size()) / double(grand.lignes.size());
        if (*c != ' ')
            tracerGlyphe(toile, forme, x, y + g.decalage * ey, largeur * ex,
                static_cast<double>(g.lignes.size()) * ey, indice, traitX, traitY);
        x += (largeur + 1) * ex;
    }
}

void ecrire(Toile& toile, const std::vector<Glyphe>& police, const char* texte, int x, int y, int ex, int ey,
    int indice)
{
    if (toile.echelle() > 1)
        return tracer(toile, police, texte, x, y, ex, ey, indice);
    for (const char* c = texte; *c; ++c) {
        const Glyphe& g = glyphe(police, *c);
        const int largeur = static_cast<int>(std::string_view(g.lignes[0]).size());
        for (int ligne = 0; ligne < static_cast<int>(g.lignes.size()); ++ligne)
            for (int colonne = 0; colonne < largeur; ++colonne)
                if (g.lignes[ligne][colonne] == '#')
                    toile.rectangle(x + colonne * ex, y + (g.decalage + ligne) * ey,
                        x + (colonne + 1) * ex - 1, y + (g.decalage + ligne + 1) * ey - 1, indice);
        x += (largeur + 1) * ex;
    }
}

// ---------------------------------------------------------------------------------------------------------
// The scale. Image1 stretches a column to about three screen pixels and a row to 1.28, so round things are
// drawn about 2.4 times taller than wide here.

constexpr int fondBalance = 0, noir = 1, brun = 2;
constexpr double axe = 93.5; // centre of column 93

enum class Etat { Niveau, Trop, Manque };

struct Position {
    int hautGauche; // top row of the beam at column 20
    int hautDroite; // top row of the beam at column 161
    int rebordGauche; // top row of the left pan (the package's)
    int rebordDroite; // top row of the right pan (the masses')
};

Position position(Etat etat)
{
    switch (etat) {
    case Etat::Trop:
        return { 12, 47, 73, 109 };
    case Etat::Manque:
        return { 39, 20, 101, 79 };
    case Etat::Niveau:
        break;
    }
    return { 27, 27, 89, 89 };
}

constexpr int fleauDebut = 20, fleauFin = 161, fleauEpaisseur = 4;

// The top of the beam in one of the picture's own columns, in its own rows; at the natural size the columns
// step from the left end to the right end, finer pictures take the centres of their columns.
int hautFleau(const Position& p, int colonne, int e = 1)
{
    const int depuisDebut
        = std::clamp(2 * colonne + 1 - (2 * fleauDebut + 1) * e, 0, 2 * (fleauFin - fleauDebut) * e);
    const int num = depuisDebut * (p.hautDroite - p.hautGauche);
    const int den = 2 * (fleauFin - fleauDebut);
    // Rounded to the nearest row, halves away from zero, in integers only.
    const int pas = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
    return p.hautGauche * e + pas;
}

void profil(
    Toile& toile, int indice, int premiere, int derniere, const std::function<double(double)>& demiLargeur)
{
    const int e = toile.echelle();
    for (int y = premiere * e; y < (derniere + 1) * e; ++y) {
        const double d = demiLargeur(toile.centre(y));
        for (int x = 0; x < toile.pixelsLarge(); ++x)
            if (std::abs(toile.centre(x) - axe) <= d)
                toile.poser(x, y, indice);
    }
}

void boule(Toile& toile, double cy, double rx, double ry)
{
    toile.ellipse(axe, cy, rx + 1.0, ry + 1.6, noir);
    toile.ellipse(axe, cy, rx, ry, brun);
}

void plateauBalance(Toile& toile, int gauche, int droite, int rebord)
{
    const double centre = (gauche + droite + 1) / 2.0;
    const double demi = (droite - gauche + 1) / 2.0;
    toile.rectangle(gauche, rebord, droite, rebord + 1, brun);
    toile.rectangle(gauche + 1, rebord + 2, droite - 1, rebord + 2, noir);
    const int e = toile.echelle();
    for (int y = (rebord + 3) * e; y < (rebord + 10) * e; ++y) {
        const double t = (toile.centre(y) - (rebord + 3)) / 7.0;
        const bool fond = y >= (rebord + 9) * e;
        const double d = (demi - 4.0) * std::sqrt(1.0 - 0.75 * t * t);
        for (int x = gauche * e; x < (droite + 1) * e; ++x) {
            const double ecart = std::abs(toile.centre(x) - centre);
            if (ecart <= d)
                toile.poser(x, y, fond || ecart > d - 1.0 ? noir : brun);
        }
    }
}

Toile balance(Etat etat, bool fondVert, int echelle)
{
    const QRgb fond = fondVert ? qRgb(64, 255, 64) : transparent;
    Toile toile(187, 150, { fond, qRgb(8, 0, 0), qRgb(181, 99, 0) }, fondBalance, echelle);
    const Position p = position(etat);

    // The stand, from the foot up.
    profil(toile, noir, 144, 149, [](double) { return 28.5; });
    profil(toile, brun, 139, 143, [](double) { return 20.5; });
    toile.rectangle(74, 139, 113, 139, noir);
    profil(toile, noir, 132, 138, [](double) { return 12.5; });
    profil(toile, brun, 128, 131, [](double) { return 6.5; });
    // The spindle: a neck, a long swelling body where the year plate sits, and a foot.
    profil(toile, noir, 94, 127, [](double y) {
        const double t = (y - 94.0) / 34.0;
        if (t < 0.3) {
            const double u = 1.0 - t / 0.3;
            return 2.5 + 5.0 * std::sqrt(1.0 - u * u);
        }
        if (t < 0.75)
            return 7.5;
        const double u = (t - 0.75) / 0.25;
        return 3.5 + 4.0 * std::sqrt(1.0 - u * u);
    });
    profil(toile, noir, 50, 96, [](double) { return 1.5; });
    boule(toile, 88.0, 3.4, 7.0);

    // The head, a drop with its point up, wide enough for the maker's plates.
    constexpr double pointe = 8.0, bas = 52.0, large = 14.0;
    constexpr double coude = 0.65;
    profil(toile, noir, 8, 51, [=](double y) {
        const double t = (y - pointe) / (bas - pointe);
        if (t <= 0.0 || t >= 1.0)
            return -1.0;
        if (t < coude)
            return large * std::pow(t / coude, 0.6);
        const double u = (t - coude) / (1.0 - coude);
        return large * std::sqrt(1.0 - u * u);
    });
    boule(toile, 4.8, 2.8, 4.2);

    // The beam, and below each end the hook that carries the strings.
    const int e = toile.echelle();
    for (int x = fleauDebut * e; x < (fleauFin + 1) * e; ++x) {
        const int haut = hautFleau(p, x, e);
        for (int y = haut; y < haut + fleauEpaisseur * e; ++y)
            toile.poser(x, y, noir);
    }
    const int basGauche = hautFleau(p, fleauDebut) + fleauEpaisseur;
    const int basDroite = hautFleau(p, fleauFin) + fleauEpaisseur;
    toile.ligne(20, basGauche, 0, p.rebordGauche - 1, brun);
    toile.ligne(21, basGauche, 61, p.rebordGauche - 1, brun);
    toile.ligne(160, basDroite, 124, p.rebordDroite - 1, brun);
    toile.ligne(161, basDroite, 186, p.rebordDroite - 1, brun);
    toile.rectangle(20, basGauche, 21, basGauche + 1, brun);
    toile.rectangle(160, basDroite, 161, basDroite + 1, brun);

    plateauBalance(toile, 0, 61, p.rebordGauche);
    plateauBalance(toile, 124, 186, p.rebordDroite);
    return toile;
}

// ---------------------------------------------------------------------------------------------------------
// The package, shown about 1.6 times narrower and 2.8 times lower than drawn: strokes are thick on purpose.

Toile paquet(int echelle)
{
    constexpr int vide = 0, jaune = 1, bleu = 2;
    Toile toile(83, 87, { transparent, qRgb(255, 255, 0), qRgb(0, 0, 255) }, vide, echelle);

    // The bow: two loops leaning outwards, each with its yellow eye, and the knot between them.
    for (const double sens : { -1.0, 1.0 }) {
        auto boucle = [sens](double rx, double ry) {
            return [=](double x, double y) {
                // A tilt of about 20 degrees, up and away from the knot.
                const double dx = x - (41.5 + sens * 16.0), dy = y - 14.0;
                const double u = (dx * 0.94 + sens * dy * 0.34) / rx,
                             v = (-sens * dx * 0.34 + dy * 0.94) / ry;
                return u * u + v * v <= 1.0;
            };
        };
        toile.remplir(bleu, boucle(16.0, 12.5));
        toile.remplir(jaune, boucle(9.0, 5.5));
    }
    toile.ellipse(41.5, 18.0, 7.0, 9.0, bleu);

    // The lid, a little wider than the box below it; both yellow, edged in blue.
    toile.rectangle(4, 36, 78, 86, bleu);
    toile.rectangle(6, 39, 76, 83, jaune);
    toile.rectangle(0, 24, 82, 41, bleu);
    toile.rectangle(2, 27, 80, 38, jaune);

    // The ribbon crossing the box, and its two ends falling from the knot over the lid.
    toile.rectangle(36, 24, 46, 86, bleu);
    toile.rectangle(4, 54, 78, 65, bleu);
    for (const double sens : { -1.0, 1.0 })
        toile.remplir(bleu, [sens](double x, double y) {
            const double t = (y - 22.0) / 17.0;
            return t >= 0.0 && t <= 1.0 && std::abs(x - 41.5 - sens * (4.0 + 12.0 * t)) <= 3.0;
        });
    return toile;
}

// ---------------------------------------------------------------------------------------------------------

Toile plateau(int echelle)
{
    constexpr int blanc = 0, brunPlateau = 1;
    Toile toile(71, 89, { qRgb(255, 255, 255), qRgb(181, 99, 0) }, blanc, echelle);
    toile.ligne(33, 13, 0, 72, brunPlateau);
    toile.ligne(33, 13, 68, 72, brunPlateau);
    toile.rectangle(0, 73, 68, 74, brunPlateau);
    const int e = echelle;
    for (int y = 75 * e; y < 83 * e; ++y) {
        const double t = (toile.centre(y) - 0.5 - 74) / 8.0;
        const double d = 31.0 * std::sqrt(1.0 - 0.7 * t * t);
        for (int x = 0; x < 69 * e; ++x)
            if (std::abs(toile.centre(x) - 34.5) <= d)
                toile.poser(x, y, brunPlateau);
    }
    // A white groove under the rim.
    toile.rectangle(4, 75, 64, 75, blanc);
    return toile;
}

Toile mini(int echelle)
{
    Toile toile(8, 8, { qRgb(255, 255, 255), qRgb(128, 128, 128) }, 0, echelle);
    toile.rectangle(3, 0, 4, 0, 1);
    toile.rectangle(1, 1, 6, 7, 1);
    return toile;
}

// ---------------------------------------------------------------------------------------------------------
// The weights: a shaded cylinder with a neck and a ball on top, in 16 greys (index g is the grey 17 g).

struct Poids {
    const char* fichier;
    const char* texte;
    int largeur, hauteur;
    double bouton; // diameter of the knob
    double col; // height of the neck between knob and body
    double face; // half-height of the body's top face
    int trait; // width of the black outline
    bool grande; // 5x7 figures, else 3x5
    int echelleX, echelleY;
    int sombre; // darkest grey of the shading
};

// The box shows every weight at about two thirds of its size without smoothing, so no stroke of the figures
// is thinner than two pixels.
const std::array<Poids, 9> poids { {
    { "poids500", "500 g", 136, 231, 56.0, 12.0, 13.0, 3, true, 3, 3, 2 },
    { "poids200", "200 g", 114, 168, 44.0, 9.0, 11.0, 3, true, 3, 3, 2 },
    { "poids100", "100 g", 86, 120, 34.0, 7.0, 8.0, 2, true, 2, 2, 2 },
    { "poids50", "50 g", 66, 98, 28.0, 6.0, 6.0, 2, true, 2, 2, 2 },
    { "poids20", "20 g", 46, 73, 20.0, 4.0, 4.5, 2, false, 2, 2, 4 },
    { "poids10", "10 g", 29, 45, 14.0, 3.0, 3.0, 1, false, 2, 2, 6 },
    { "poids5", "5 g", 26, 40, 12.0, 2.0, 3.0, 1, false, 2, 2, 6 },
    { "poids2", "2 g", 21, 29, 9.0, 2.0, 2.5, 1, false, 2, 2, 7 },
    { "poids1", "1", 24, 18, 6.0, 1.0, 2.0, 1, false, 2, 1, 6 },
} };

// The light comes from the upper left; returns a grey level from 0 to 15.
int eclairage(double nx, double ny, int sombre)
{
    const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
    const double lx = -0.48, ly = -0.36, lz = 0.8;
    const double diffus = std::max(0.0, nx * lx + ny * ly + nz * lz);
    double reflet = 2.0 * diffus * nz - lz;
    reflet = std::max(0.0, reflet);
    reflet = reflet * reflet * reflet * reflet * reflet * reflet;
    const double i = std::min(1.0, 0.08 + 0.78 * diffus + 0.5 * reflet);
    return std::clamp(static_cast<int>(sombre + i * (15 - sombre) + 0.5), sombre, 15);
}

Toile dessinerPoids(const Poids& q, int echelle)
{
    QList<QRgb> gris;
    for (int g = 0; g < 16; ++g)
        gris.append(qRgb(17 * g, 17 * g, 17 * g));
    constexpr int blanc = 15, encre = 0;
    Toile toile(q.largeur, q.hauteur, gris, blanc, echelle);
    const int e = echelle, pl = toile.pixelsLarge(), ph = toile.pixelsHaut();

    const double w = q.largeur, h = q.hauteur, cx = w / 2.0;
    const double r = w / 2.0;
    const double fond = q.face * 0.6; // the bottom curve is flatter than the top face
    const double haut = q.bouton + q.col + q.face; // centre of the top face
    const double bas = h - fond; // centre of the bottom curve

    enum Partie { Rien, Flanc, Dessus, Col, Bouton };
    std::vector<int> partie(static_cast<size_t>(pl * ph), Rien);
    auto at = [&](int x, int y) -> int& { return partie[static_cast<size_t>(y * pl + x)]; };

    const double rb = q.bouton / 2.0, by = rb;
    const double rc = std::max(1.5, q.bouton * 0.28);
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pl; ++x) {
            const double px = toile.centre(x), py = toile.centre(y);
            const double u = (px - cx) / r;
            if (std::abs(u) <= 1.0) {
                const double s = std::sqrt(1.0 - u * u);
                if (py >= haut - q.face * s && py <= bas + fond * s)
                    at(x, y) = py <= haut + q.face * s ? Dessus : Flanc;
            }
            if (std::abs(px - cx) <= rc && py >= by && py <= haut)
                at(x, y) = Col;
            const double bx = (px - cx) / rb, byy = (py - by) / rb;
            if (bx * bx + byy * byy <= 1.0)
                at(x, y) = Bouton;
        }

    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pl; ++x) {
            const double px = toile.centre(x), py = toile.centre(y);
            int g = blanc;
            switch (at(x, y)) {
            case Flanc:
                g = eclairage((px - cx) / r, 0.0, q.sombre);
                break;
            case Dessus:
                g = std::max(q.sombre, eclairage((px - cx) / r * 0.7, -0.55, q.sombre) - 2);
                break;
            case Col:
                g = eclairage((px - cx) / rc * 0.95, 0.0, q.sombre);
                break;
            case Bouton:
                g = eclairage((px - cx) / rb * 0.97, (py - by) / rb * 0.97, q.sombre);
                break;
            default:
                continue;
            }
            toile.poser(x, y, g);
        }

    // Outlines: round the whole shape, and between the parts seen one in front of the other.
    // The lines keep their width at the natural size: finer pictures draw them over as many of their pixels.
    const int trait = q.trait * e;
    auto partieEn = [&](int x, int y) { return x >= 0 && y >= 0 && x < pl && y < ph ? at(x, y) : Rien; };
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pl; ++x) {
            const int ici = at(x, y);
            if (ici == Rien)
                continue;
            bool bord = false;
            for (int dy = -trait; dy <= trait && !bord; ++dy)
                for (int dx = -trait; dx <= trait && !bord; ++dx) {
                    if (std::abs(dx) + std::abs(dy) > trait)
                        continue;
                    if (partieEn(x + dx, y + dy) == Rien)
                        bord = true;
                }
            bool jointure = false, flancCol = false;
            for (int k = 1; k <= e; ++k) {
                const int dessous = partieEn(x, y + k);
                jointure = jointure || (ici == Dessus && dessous == Flanc)
                    || (ici == Bouton && dessous == Col) || (ici == Col && dessous == Dessus)
                    || (ici == Bouton && dessous == Dessus);
                flancCol = flancCol
                    || (ici == Col && (partieEn(x - k, y) == Dessus || partieEn(x + k, y) == Dessus));
            }
            if (bord || jointure || flancCol)
                toile.poser(x, y, encre);
        }

    // The mass, across the middle of the body.
    const auto& police = q.grande ? grandePolice() : petitePolice();
    const int lt = largeurTexte(police, q.texte, q.echelleX);
    const int ht = hauteurTexte(police, q.texte, q.echelleY);
    const double dessusBas = haut + q.face;
    const int tx = static_cast<int>(std::floor(cx - lt / 2.0 + 0.5));
    const int ty = static_cast<int>(std::floor((dessusBas + bas) / 2.0 - ht / 2.0 + 0.5));
    ecrire(toile, police, q.texte, tx, ty, q.echelleX, q.echelleY, encre);
    return toile;
}

// ---------------------------------------------------------------------------------------------------------
// Icons, drawn in a unit square so that one drawing gives every size.

// One shape of a vector icon; the same list gives the pixels and the SVG.
struct Forme {
    enum Type { Rectangle, Ellipse, DemiEllipse, Trait } type;
    int indice;
    double a, b, c, d; // rectangle x0 y0 x1 y1; ellipse cx cy rx ry; trait x0 y0 x1 y1
    double epaisseur = 0.0; // for a trait, in units
};

bool contient(const Forme& f, double x, double y, double pixel)
{
    switch (f.type) {
    case Forme::Rectangle:
        return x >= f.a && x <= f.c && y >= f.b && y <= f.d;
    case Forme::Ellipse:
    case Forme::DemiEllipse: {
        const double u = (x - f.a) / f.c, v = (y - f.b) / f.d;
        return u * u + v * v <= 1.0 && (f.type == Forme::Ellipse || y >= f.b);
    }
    case Forme::Trait:
        return distanceSegment(x, y, f.a, f.b, f.c, f.d) <= std::max(f.epaisseur / 2.0, pixel * 0.55);
    }
    return false;
}

const std::vector<Forme>& iconeBalance()
{
    constexpr int noirIcone = 1, rouge = 2;
    static const std::vector<Forme> formes {
        { Forme::Rectangle, noirIcone, 0.25, 0.85, 0.75, 0.92 },
        { Forme::Rectangle, noirIcone, 0.36, 0.79, 0.64, 0.86 },
        { Forme::Rectangle, noirIcone, 0.46, 0.22, 0.54, 0.80 },
        { Forme::Ellipse, noirIcone, 0.50, 0.17, 0.075, 0.075 },
        { Forme::Rectangle, noirIcone, 0.10, 0.26, 0.90, 0.32 },
        { Forme::Trait, noirIcone, 0.15, 0.30, 0.05, 0.62, 0.035 },
        { Forme::Trait, noirIcone, 0.15, 0.30, 0.29, 0.62, 0.035 },
        { Forme::Trait, noirIcone, 0.85, 0.30, 0.71, 0.62, 0.035 },
        { Forme::Trait, noirIcone, 0.85, 0.30, 0.95, 0.62, 0.035 },
        { Forme::DemiEllipse, rouge, 0.17, 0.60, 0.15, 0.13 },
        { Forme::DemiEllipse, rouge, 0.83, 0.60, 0.15, 0.13 },
    };
    return formes;
}

const QList<QRgb> couleursIconeBalance { qRgb(0, 255, 255), qRgb(0, 0, 0), qRgb(128, 0, 0) };

Toile dessinerIconeBalance(int taille)
{
    Toile toile(taille, taille, couleursIconeBalance, 0);
    const double pixel = 1.0 / taille;
    for (const Forme& f : iconeBalance())
        toile.remplir(f.indice, [&](double x, double y) { return contient(f, x * pixel, y * pixel, pixel); });
    return toile;
}

QByteArray svgIconeBalance()
{
    auto couleur = [](int indice) {
        const QRgb c = couleursIconeBalance[indice];
        return QString::asprintf("#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
    };
    auto n = [](double v) { return QString::number(v * 256.0, 'f', 2); };
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                 "viewBox=\"0 0 256 256\">\n");
    svg += QStringLiteral("  <rect x=\"0\" y=\"0\" width=\"256\" height=\"256\" fill=\"%1\"/>\n")
               .arg(couleur(0));
    for (const Forme& f : iconeBalance()) {
        switch (f.type) {
        case Forme::Rectangle:
            svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                       .arg(n(f.a), n(f.b), n(f.c - f.a), n(f.d - f.b), couleur(f.indice));
            break;
        case Forme::Ellipse:
            svg += QStringLiteral("  <ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" fill=\"%5\"/>\n")
                       .arg(n(f.a), n(f.b), n(f.c), n(f.d), couleur(f.indice));
            break;
        case Forme::DemiEllipse:
            svg += QStringLiteral("  <path d=\"M %1 %2 A %3 %4 0 0 0 %5 %2 Z\" fill=\"%6\"/>\n")
                       .arg(n(f.a - f.c), n(f.b), n(f.c), n(f.d), n(f.a + f.c), couleur(f.indice));
            break;
        case Forme::Trait:
            svg += QStringLiteral(
                "  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" stroke-width=\"%6\" "
                "stroke-linecap=\"round\"/>\n")
                       .arg(n(f.a), n(f.b), n(f.c), n(f.d), couleur(f.indice), n(f.epaisseur));
            break;
        }
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

// A picture given row by row, each character standing for the colour of the same rank in `cles`.
Toile depuisMotif(const QList<QRgb>& couleurs, const char* const lignes[], int taille, const char* cles)
{
    Toile toile(taille, taille, couleurs, 0);
    const std::string_view c(cles);
    for (int y = 0; y < taille; ++y)
        for (int x = 0; x < taille; ++x)
            toile.poser(x, y, static_cast<int>(c.find(lignes[y][x])));
    return toile;
}

const QList<QRgb> couleursFeu { transparent, qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(128, 0, 0),
    qRgb(128, 128, 0), qRgb(0, 255, 0) };
const QList<QRgb> couleursCle { transparent, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(96, 96, 96),
    qRgb(144, 144, 144), qRgb(192, 192, 192) };

// The larger icons are drawn at 32 pixels and finer; the lines of one pixel at 32 keep their width.
Toile feu(int taille)
{
    constexpr int vide = 0, noirFeu = 1, gris = 2, rougeSombre = 3, jauneSombre = 4, vert = 5;
    Toile toile(taille, taille, couleursFeu, vide);
    const double p = 1.0 / taille;
    auto boite = [&](double x0, double y0, double x1, double y1, double rayon) {
        return [=](double x, double y) {
            x *= p;
            y *= p;
            const double cx = std::clamp(x, x0 + rayon, x1 - rayon),
                         cy = std::clamp(y, y0 + rayon, y1 - rayon);
            return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= rayon * rayon;
        };
    };
    toile.remplir(gris, boite(0.43, 0.80, 0.57, 1.0, 0.0));
    toile.remplir(gris, boite(0.22, 0.0, 0.78, 0.86, 0.12));
    const double trait = 1.0 / 32;
    toile.remplir(noirFeu, boite(0.22 + trait, trait, 0.78 - trait, 0.86 - trait, 0.10));
    const double rayon = 0.115;
    const std::array<double, 3> hauteurs { 0.165, 0.43, 0.695 };
    const std::array<int, 3> lampes { rougeSombre, jauneSombre, vert };
    for (int k = 0; k < 3; ++k) {
        const double cy = hauteurs[k];
        toile.remplir(lampes[k], [=](double x, double y) {
            x = x * p - 0.5;
            y = y * p - cy;
            return x * x + y * y <= rayon * rayon;
        });
    }
    return toile;
}

Toile stop(int taille)
{
    constexpr int vide = 0, rouge = 1, blanc = 2;
    Toile toile(taille, taille, { transparent, qRgb(255, 0, 0), qRgb(255, 255, 255) }, vide);
    // A regular octagon whose flat sides touch the edges; the corners stay transparent.
    auto octogone = [taille](double marge) {
        return [=](double x, double y) {
            const double u = std::abs(x / taille - 0.5), v = std::abs(y / taille - 0.5);
            const double demi = 0.5 - marge;
            return u <= demi && v <= demi && u + v <= demi * std::sqrt(2.0);
        };
    };
    toile.remplir(rouge, octogone(0.0));
    if (taille >= 32) {
        toile.remplir(blanc, octogone(1.0 / 32));
        toile.remplir(rouge, octogone(2.0 / 32));
        const int l = largeurTexte(grandePolice(), "STOP");
        const int x = (32 - l) / 2, y = (32 - 7) / 2;
        if (taille == 32) {
            ecrire(toile, grandePolice(), "STOP", x, y, 1, 1, blanc);
        } else {
            const double cellule = taille / 32.0;
            tracer(toile, grandePolice(), "STOP", x * cellule, y * cellule, cellule, cellule, blanc);
        }
    } else {
        const int l = largeurTexte(petitePolice(), "STOP");
        ecrire(toile, petitePolice(), "STOP", (taille - l + 1) / 2, (taille - 5) / 2, 1, 1, blanc);
    }
    return toile;
}

Toile cle(int taille)
{
    constexpr int vide = 0, noirCle = 1, blanc = 2, sombre = 3, moyen = 4, clair = 5;
    Toile toile(taille, taille, couleursCle, vide);
    const double p = 1.0 / taille;
    // Along the handle, from the ring (lower left) to the open jaw (upper right).
    const double ax = 0.22, ay = 0.78, bx = 0.72, by = 0.28;
    const double m = std::sqrt(0.5);
    auto forme = [=](double x, double y) {
        x *= p;
        y *= p;
        const bool manche = distanceSegment(x, y, ax, ay, bx, by) <= 0.1;
        const double dxb = x - 0.76, dyb = y - 0.24;
        const bool tete = dxb * dxb + dyb * dyb <= 0.21 * 0.21;
        // The jaw opens along the handle, away from it.
        const double le = dxb * m - dyb * m, tr = dxb * m + dyb * m;
        const bool machoire = le >= -0.03 && std::abs(tr) <= 0.085;
        const double dxa = x - ax, dya = y - ay;
        const bool anneau = dxa * dxa + dya * dya <= 0.17 * 0.17;
        const bool trou = dxa * dxa + dya * dya <= 0.07 * 0.07;
        return ((manche || tete) && !machoire) || (anneau && !trou);
    };
    // Lit from the upper left: light on that side of the axis, dark on the other.
    toile.remplir(moyen, forme);
    toile.remplir(clair, [=](double x, double y) { return forme(x, y) && (x + y) * p < 1.0 - 0.02; });
    toile.remplir(sombre, [=](double x, double y) { return forme(x, y) && (x + y) * p > 1.0 + 0.07; });
    const int trait = std::max(1, static_cast<int>(std::lround(taille / 32.0)));
    for (int indice : { clair, moyen, sombre })
        toile.cerner(indice, noirCle, trait);
    // A glint just inside the lit edge.
    const Toile avant = toile;
    for (int y = 1; y < taille; ++y)
        for (int x = 1; x < taille; ++x) {
            bool auBord = false;
            for (int k = 1; k <= trait; ++k)
                auBord = auBord || avant.indice(x - k, y - k) == noirCle;
            if (avant.indice(x, y) == clair && auBord && avant.indice(x + 1, y + 1) == clair)
                toile.poser(x, y, blanc);
        }
    return toile;
}

// At 16 pixels the shapes are placed by hand.
Toile cle16()
{
    static const char* const motif[] = {
        "..........KKK...",
        ".........KWLK...",
        ".........KLLK.KK",
        ".........KLLKKLK",
        "........KLLLLMDK",
        ".......KLLLMDDK.",
        "......KLLMDDKK..",
        ".....KLLMDK.....",
        "....KLLMDK......",
        "..KKLLMDK.......",
        ".KLLLMDKK.......",
        "KLLKKMDK........",
        "KLK..KDK........",
        "KLK..KDK........",
        ".KDKKDK.........",
        "..KKKK..........",
    };
    return depuisMotif(couleursCle, motif, 16, ".KWDML");
}

Toile feu16()
{
    static const char* const motif[] = {
        ".....GGGGGG.....",
        "....GKKKKKKG....",
        "....GKKRRKKG....",
        "....GKRRRRKG....",
        "....GKKRRKKG....",
        "....GKKKKKKG....",
        "....GKKYYKKG....",
        "....GKYYYYKG....",
        "....GKKYYKKG....",
        "....GKKKKKKG....",
        "....GKKVVKKG....",
        "....GKVVVVKG....",
        "....GKKVVKKG....",
        ".....GKKKKG.....",
        "......GGGG......",
        ".......GG.......",
    };
    return depuisMotif(couleursFeu, motif, 16, ".KGRYV");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2) {
        std::fputs("usage : dessiner_images <dossier>\n", stderr);
        return EXIT_FAILURE;
    }
    QDir dossier(arguments[1]);
    if (!dossier.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "dossier impossible à créer : %s\n", qPrintable(arguments[1]));
        return EXIT_FAILURE;
    }

    bool reussi = true;
    auto sauver = [&](const Toile& toile, const std::string& nom) {
        const QString chemin = dossier.filePath(QString::fromStdString(nom));
        if (!toile.enregistrer(chemin)) {
            std::fprintf(stderr, "écriture impossible : %s\n", qPrintable(chemin));
            reussi = false;
        }
    };

    // Each picture the window shows at its natural size, and twice and three times finer for screens whose
    // pixels are that much smaller ("@2x", "@3x", as the toolkit names them).
    for (const int e : { 1, 2, 3 }) {
        const std::string suffixe = (e == 1 ? std::string() : "@" + std::to_string(e) + "x") + ".png";
        auto nom = [&](const char* base) { return base + suffixe; };
        sauver(balance(Etat::Niveau, false, e), nom("balance"));
        sauver(balance(Etat::Niveau, true, e), nom("equilibre"));
        sauver(balance(Etat::Trop, false, e), nom("trop"));
        sauver(balance(Etat::Manque, false, e), nom("manque"));
        sauver(paquet(e), nom("paquet"));
        sauver(plateau(e), nom("plateau"));
        sauver(mini(e), nom("mini"));
        for (const Poids& q : poids)
            sauver(dessinerPoids(q, e), nom(q.fichier));
        sauver(dessinerIconeBalance(32 * e), nom("icone_balance32"));
        sauver(feu(32 * e), nom("feu32"));
        sauver(e == 1 ? feu16() : feu(16 * e), nom("feu16"));
        sauver(stop(32 * e), nom("stop32"));
        sauver(stop(16 * e), nom("stop16"));
        sauver(cle(32 * e), nom("cle32"));
        sauver(e == 1 ? cle16() : cle(16 * e), nom("cle16"));
    }
    // For the desktop's icon theme.
    sauver(dessinerIconeBalance(48), "icone_balance48.png");
    sauver(dessinerIconeBalance(256), "icone_balance256.png");

    QFile svg(dossier.filePath(QStringLiteral("icone_balance.svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(svgIconeBalance()) < 0) {
        std::fprintf(stderr, "écriture impossible : %s\n", qPrintable(svg.fileName()));
        reussi = false;
    }
    return reussi ? EXIT_SUCCESS : EXIT_FAILURE;
}
