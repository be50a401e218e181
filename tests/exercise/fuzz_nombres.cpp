// The number reader against an independent reading of the same rule. Built with libFuzzer
// (-DPESARINE_FUZZ=ON, clang) it is a fuzz target; otherwise it replays the files and folders of
// inputs named on its command line, and CTest replays the committed corpus with it.
//
// The reference reading: take the text without its blanks (space, tab, line feed, and carriage
// return, which a pasted line end brings along with its line feed); find its longest
// prefix of the form  [+-]? (D+ [.] D* | . D+) ([eE] [+-]? D+)?  where D is an ASCII digit; give
// that prefix to strtod in the C locale; with no such prefix, the value is 0. The two readings must
// give the same double, bit for bit (the sign of a zero included).

#include "nombres.h"

#include <bit>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Bytes become UTF-16 code units: an ASCII byte stands for itself, any other for a character that
// looks like a blank, a digit, a sign, a point or an E without being one.
constexpr char16_t sosies[] = {
    0x00A0, // no-break space
    0x2009, // thin space
    0x3000, // ideographic space
    0x0085, // next line
    0x2028, // line separator
    0x0663, // arabic-indic digit three
    0xFF11, // fullwidth digit one
    0x00B2, // superscript two
    0x2212, // minus sign
    0xFF0B, // fullwidth plus sign
    0xFF0E, // fullwidth full stop
    0x066B, // arabic decimal separator
    0x0415, // cyrillic capital letter ie
    0x0435, // cyrillic small letter ie
    0xD800, // a lone high surrogate
    0xDC00, // a lone low surrogate
};

std::u16string texteDe(const std::uint8_t* octets, std::size_t taille)
{
    std::u16string texte;
    texte.reserve(taille);
    for (std::size_t i = 0; i < taille; ++i) {
        const std::uint8_t o = octets[i];
        texte.push_back(o < 0x80 ? char16_t(o) : sosies[(o - 0x80) % std::size(sosies)]);
    }
    return texte;
}

// The prefix's shape as a finite automaton: the state after each character, and which states end a
// number.
enum class Etat {
    Debut,
    Signe,
    Entier,
    PointApresChiffres,
    PointSeul,
    Fraction,
    Lettre,
    SigneExposant,
    Exposant,
    Mort
};

bool finit(Etat e)
{
    return e == Etat::Entier || e == Etat::PointApresChiffres || e == Etat::Fraction || e == Etat::Exposant;
}

Etat suivant(Etat e, char c)
{
    const bool chiffre = c >= '0' && c <= '9';
    const bool signe = c == '+' || c == '-';
    const bool point = c == '.';
    const bool lettre = c == 'e' || c == 'E';
    switch (e) {
    case Etat::Debut:
        return signe ? Etat::Signe : chiffre ? Etat::Entier : point ? Etat::PointSeul : Etat::Mort;
    case Etat::Signe:
        return chiffre ? Etat::Entier : point ? Etat::PointSeul : Etat::Mort;
    case Etat::Entier:
        return chiffre ? Etat::Entier : point ? Etat::PointApresChiffres : lettre ? Etat::Lettre : Etat::Mort;
    case Etat::PointApresChiffres:
    case Etat::Fraction:
        return chiffre ? Etat::Fraction : lettre ? Etat::Lettre : Etat::Mort;
    case Etat::PointSeul:
        return chiffre ? Etat::Fraction : Etat::Mort;
    case Etat::Lettre:
        return signe ? Etat::SigneExposant : chiffre ? Etat::Exposant : Etat::Mort;
    case Etat::SigneExposant:
    case Etat::Exposant:
        return chiffre ? Etat::Exposant : Etat::Mort;
    case Etat::Mort:
        break;
    }
    return Etat::Mort;
}

double lectureDeReference(const std::u16string& texte)
{
    std::string sansBlancs;
    for (const char16_t u : texte) {
        if (u == u' ' || u == u'\t' || u == u'\n' || u == u'\r')
            continue;
        // Whatever is not ASCII can be no part of a number: '#' stands for it.
        sansBlancs.push_back(u < 0x80 ? char(u) : '#');
    }

    std::size_t longueur = 0;
    Etat e = Etat::Debut;
    for (std::size_t i = 0; i < sansBlancs.size() && e != Etat::Mort; ++i) {
        e = suivant(e, sansBlancs[i]);
        if (finit(e))
            longueur = i + 1;
    }
    if (longueur == 0)
        return 0.0;
    return std::strtod(sansBlancs.substr(0, longueur).c_str(), nullptr);
}

std::string lisible(const std::u16string& texte)
{
    std::string s;
    for (const char16_t u : texte) {
        char tampon[12];
        if (u >= 0x20 && u < 0x7F && u != u'\\')
            s.push_back(char(u));
        else {
            std::snprintf(tampon, sizeof tampon, "\\u%04X", unsigned(u));
            s += tampon;
        }
    }
    return s;
}

// True when both readings agree; otherwise says how they differ.
bool verifier(const std::uint8_t* octets, std::size_t taille)
{
    const std::u16string texte = texteDe(octets, taille);
    const double lu = lireNombre(QStringView(texte.data(), qsizetype(texte.size())));
    const double attendu = lectureDeReference(texte);
    if (std::bit_cast<std::uint64_t>(lu) == std::bit_cast<std::uint64_t>(attendu))
        return true;
    std::fprintf(stderr, "\"%s\": read %a (%.17g), the reference reads %a (%.17g)\n", lisible(texte).c_str(),
        lu, lu, attendu, attendu);
    return false;
}

} // namespace

#ifdef PESARINE_LIBFUZZER

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t taille)
{
    if (!verifier(octets, taille))
        std::abort();
    return 0;
}

#else

namespace {

bool rejouer(const std::filesystem::path& fichier)
{
    std::ifstream flux(fichier, std::ios::binary);
    const std::vector<char> contenu((std::istreambuf_iterator<char>(flux)), std::istreambuf_iterator<char>());
    if (!flux.eof() && flux.fail()) {
        std::fprintf(stderr, "%s: cannot be read\n", fichier.string().c_str());
        return false;
    }
    if (verifier(reinterpret_cast<const std::uint8_t*>(contenu.data()), contenu.size()))
        return true;
    std::fprintf(stderr, "  in %s\n", fichier.string().c_str());
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    std::setlocale(LC_ALL, "C");
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
        return EXIT_FAILURE;
    }
    bool accord = true;
    std::size_t rejoues = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path chemin(argv[i]);
        if (std::filesystem::is_directory(chemin)) {
            for (const auto& entree : std::filesystem::directory_iterator(chemin)) {
                if (entree.is_regular_file()) {
                    accord = rejouer(entree.path()) && accord;
                    ++rejoues;
                }
            }
        } else if (std::filesystem::is_regular_file(chemin)) {
            accord = rejouer(chemin) && accord;
            ++rejoues;
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            accord = false;
        }
    }
    if (rejoues == 0) {
        std::fputs("no input to replay\n", stderr);
        return EXIT_FAILURE;
    }
    std::printf("%zu inputs replayed: %s\n", rejoues, accord ? "both readings agree" : "DISAGREEMENT");
    return accord ? EXIT_SUCCESS : EXIT_FAILURE;
}

#endif
