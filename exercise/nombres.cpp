#include "nombres.h"

#include <cstdlib>
#include <limits>
#include <string>

namespace {

// Carriage returns are skipped too: the answer box keeps the line ends of a pasted text, and a text from a
// Windows document ends its lines with CR LF. Both characters of such a line end must count as one blank.
bool estBlanc(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r';
}

bool estChiffre(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'0' && u <= u'9';
}

// Walks a text one character at a time, blanks left out.
class Curseur {
public:
    explicit Curseur(QStringView texte) : texte_(texte) { sauterBlancs(); }

    bool fini() const { return pos_ >= texte_.size(); }
    QChar courant() const { return fini() ? QChar() : texte_[pos_]; }
    void avancer()
    {
        ++pos_;
        sauterBlancs();
    }

    qsizetype position() const { return pos_; }
    void revenir(qsizetype pos) { pos_ = pos; }

private:
    void sauterBlancs()
    {
        while (pos_ < texte_.size() && estBlanc(texte_[pos_]))
            ++pos_;
    }

    QStringView texte_;
    qsizetype pos_ = 0;
};

// More digits than any double needs to round correctly (767); the ones beyond only matter as "nonzero or not".
constexpr std::size_t chiffresGardes = 800;

// Past these powers of ten, whatever the digits, a double is infinite or zero.
constexpr std::int64_t exposantMaxi = 400;
constexpr std::int64_t exposantMini = -400;

// Exponents are only compared with the bounds above, so saturating far beyond them loses nothing.
constexpr std::int64_t saturation = std::int64_t{1} << 60;

std::int64_t sature(std::int64_t v)
{
    return v > saturation ? saturation : (v < -saturation ? -saturation : v);
}

} // namespace

double lireNombre(QStringView texte)
{
    Curseur c(texte);

    bool negatif = false;
    if (c.courant() == u'+' || c.courant() == u'-') {
        negatif = c.courant() == u'-';
        c.avancer();
    }

    std::string chiffres;       // significant digits, leading zeros dropped
    bool restesNonNuls = false; // a nonzero digit beyond those kept
    std::int64_t virgule = 0;   // the value is 0.chiffres × 10^virgule
    bool auMoinsUnChiffre = false;
    bool apresPoint = false;

    for (;;) {
        const QChar ch = c.courant();
        if (estChiffre(ch)) {
            auMoinsUnChiffre = true;
            const char chiffre = static_cast<char>(ch.unicode());
            if (chiffres.empty() && chiffre == '0') {
                if (apresPoint)
                    --virgule;
            } else {
                if (chiffres.size() < chiffresGardes)
                    chiffres.push_back(chiffre);
                else if (chiffre != '0')
                    restesNonNuls = true;
                if (!apresPoint)
                    ++virgule;
            }
        } else if (ch == u'.' && !apresPoint) {
            apresPoint = true;
        } else {
            break;
        }
        c.avancer();
    }
    if (!auMoinsUnChiffre)
        return 0.0;

    // The exponent belongs to the number only when at least one digit follows the letter.
    if (c.courant() == u'e' || c.courant() == u'E') {
        const qsizetype avantLettre = c.position();
        c.avancer();
        bool exposantNegatif = false;
        if (c.courant() == u'+' || c.courant() == u'-') {
            exposantNegatif = c.courant() == u'-';
            c.avancer();
        }
        if (estChiffre(c.courant())) {
            std::int64_t exposant = 0;
            while (estChiffre(c.courant())) {
                const int chiffre = c.courant().unicode() - u'0';
                exposant = exposant > saturation / 10 ? saturation : exposant * 10 + chiffre;
                c.avancer();
            }
            virgule = sature(virgule + (exposantNegatif ? -exposant : exposant));
        } else {
            c.revenir(avantLettre);
        }
    }

    const double signe = negatif ? -1.0 : 1.0;
    if (chiffres.empty())
        return signe * 0.0;
    if (virgule > exposantMaxi)
        return signe * std::numeric_limits<double>::infinity();
    if (virgule < exposantMini)
        return signe * 0.0;

    // A trailing 1 stands for the dropped nonzero digits: it breaks a tie that they would have broken.
    if (restesNonNuls)
        chiffres.push_back('1');
    const std::int64_t exposantFinal = virgule - static_cast<std::int64_t>(chiffres.size());
    chiffres.push_back('e');
    chiffres += std::to_string(exposantFinal);

    // "digits e exponent" holds no decimal point, so the C library's locale cannot change its reading. strtod
    // rounds correctly on every desktop, where from_chars for doubles is still missing from some standard
    // libraries. Past the range it gives an infinity or a value rounded to zero or a subnormal, as wanted.
    return signe * std::strtod(chiffres.c_str(), nullptr);
}

QString formeSimple(double valeur, const QLocale& locale)
{
    if (valeur == 0.0)
        valeur = 0.0; // no "-0"
    // ASCII digits and sign whatever the locale: only the decimal separator follows it.
    QString texte = QString::number(valeur, 'g', 15);
    texte.replace(u'.', locale.decimalPoint());
    return texte;
}

QString formeSignee(double valeur, const QLocale& locale)
{
    const QString texte = formeSimple(valeur, locale);
    return valeur < 0.0 ? texte : QStringLiteral(" ") + texte;
}

namespace {

QString separateurHeures(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    qsizetype i = 0;
    bool dansCitation = false;
    while (i < format.size()) {
        const QChar ch = format[i];
        if (ch == u'\'') {
            dansCitation = !dansCitation;
        } else if (!dansCitation && (ch == u'h' || ch == u'H')) {
            while (i < format.size() && (format[i] == u'h' || format[i] == u'H'))
                ++i;
            // A space or a quoted word after the hours ("HH 'h' mm") is no separator for "hh:mm:ss".
            if (i < format.size() && format[i].isPunct() && format[i] != u'\'')
                return QString(format[i]);
            break;
        }
        ++i;
    }
    return QStringLiteral(":");
}

QString deuxChiffres(std::int64_t n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
}

} // namespace

QString formeDuree(std::int64_t secondes, const QLocale& locale)
{
    constexpr std::int64_t jour = 24 * 3600;
    const std::int64_t s = secondes < 0 ? 0 : secondes % jour;
    const QString sep = separateurHeures(locale);
    return deuxChiffres(s / 3600) + sep + deuxChiffres(s / 60 % 60) + sep + deuxChiffres(s % 60);
}
