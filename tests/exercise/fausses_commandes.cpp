#include "fausses_commandes.h"

#include "etat.h"

#include <QDebug>

namespace {

bool valide(Controle c) { return existe(c); }

bool porteImage(Controle c)
{
    const Genre g = genreDe(c);
    return g == Genre::Image || g == Genre::Cellule || g == Genre::Porteur;
}

const char* texteBool(bool b) { return b ? "1" : "0"; }

} // namespace

QString nomDe(Controle c)
{
    const std::string_view n = identite(c.nom).nom;
    const QString nom = QString::fromLatin1(n.data(), qsizetype(n.size()));
    return c.index < 0 ? nom : QStringLiteral("%1 %2").arg(nom).arg(c.index);
}

QString texteCouleur(Couleur c) { return QStringLiteral("%1,%2,%3").arg(c.rouge).arg(c.vert).arg(c.bleu); }

namespace {

template <typename Valeur>
QString differenceCarte(const char* quoi, const QMap<QString, Valeur>& attendu, const QMap<QString, Valeur>& obtenu)
{
    QStringList cles = attendu.keys() + obtenu.keys();
    cles.removeDuplicates();
    for (const QString& cle : cles) {
        if (!attendu.contains(cle) || !obtenu.contains(cle) || !(attendu.value(cle) == obtenu.value(cle))) {
            QString a, o;
            QDebug(&a) << attendu.value(cle);
            QDebug(&o) << obtenu.value(cle);
            return QStringLiteral("%1 %2: attendu %3, obtenu %4").arg(QLatin1String(quoi), cle, a, o);
        }
    }
    return {};
}

} // namespace

QString difference(const Vue& attendu, const Vue& obtenu)
{
    for (const QString& d : {
             differenceCarte("image", attendu.image, obtenu.image),
             differenceCarte("visible", attendu.visible, obtenu.visible),
             differenceCarte("texte", attendu.texte, obtenu.texte),
             differenceCarte("couleurTexte", attendu.couleurTexte, obtenu.couleurTexte),
             differenceCarte("fond", attendu.fond, obtenu.fond),
             differenceCarte("haut", attendu.haut, obtenu.haut),
             differenceCarte("infobulle", attendu.infobulle, obtenu.infobulle),
             differenceCarte("legende", attendu.legende, obtenu.legende),
         }) {
        if (!d.isEmpty())
            return d;
    }
    if (attendu.minuterie != obtenu.minuterie)
        return QStringLiteral("minuterie: attendu %1").arg(texteBool(attendu.minuterie));
    if (attendu.premierTabulation != obtenu.premierTabulation)
        return QStringLiteral("premier dans la tabulation: attendu %1, obtenu %2")
            .arg(attendu.premierTabulation, obtenu.premierTabulation);
    return {};
}

FaussesCommandes::FaussesCommandes()
{
    for (std::size_t rang = 0; rang < std::size(identites); ++rang) {
        const Identite& f = identites[rang];
        const bool tableau = f.elements > 1;
        for (int i = tableau ? 0 : -1; i < (tableau ? f.elements : 0); ++i) {
            const QString nom = nomDe({ Nom(rang), i });
            vue_.visible[nom] = true;
            vue_.infobulle[nom] = QString();
            switch (f.genre) {
            case Genre::Bouton:
                vue_.legende[nom] = QString();
                break;
            case Genre::Texte:
                vue_.texte[nom] = QString();
                vue_.couleurTexte[nom] = QStringLiteral("0,0,0");
                break;
            case Genre::Image:
            case Genre::Porteur:
                vue_.image[nom] = QString();
                break;
            case Genre::Cellule:
                vue_.image[nom] = QString();
                vue_.fond[nom] = texteCouleur(couleurs::blanc);
                vue_.haut[nom] = 1560;
                vue_.visible[nom] = false;
                break;
            case Genre::Etiquette:
            case Genre::Cadre:
                break;
            }
        }
    }

    // The window's definition, then Form_Load (Command1 first in the tab order, Command2 hidden).
    vue_.legende[QStringLiteral("Command1")] = QStringLiteral("Démarrer");
    vue_.legende[QStringLiteral("maxi")] = QStringLiteral("Changer");
    vue_.visible[QStringLiteral("Command2")] = false;
    vue_.premierTabulation = QStringLiteral("Command1");

    vue_.texte[QStringLiteral("Text1")] = QStringLiteral("La Pesarine");
    vue_.couleurTexte[QStringLiteral("Text1")] = texteCouleur(couleurs::vert);
    vue_.texte[QStringLiteral("Text2")] = QStringLiteral("1000");
    vue_.texte[QStringLiteral("pesees")] = QStringLiteral("0");
    vue_.texte[QStringLiteral("Err")] = QStringLiteral("0");
    vue_.texte[QStringLiteral("tempo")] = QStringLiteral(" ");

    vue_.image[QStringLiteral("Image1")] = QStringLiteral("balance");
    vue_.image[QStringLiteral("Image2")] = QStringLiteral("plateau");
    vue_.image[QStringLiteral("Image3")] = QStringLiteral("paquet");
    vue_.haut[QStringLiteral("Image3")] = 1240;
    for (const char* porteur : { "trop", "manque", "equilibre", "mini" }) {
        vue_.image[QString::fromLatin1(porteur)] = QString::fromLatin1(porteur);
        vue_.visible[QString::fromLatin1(porteur)] = false;
    }
    for (int i = 0; i < nombrePoids; ++i) {
        vue_.image[nomDe(boite(i))] = QStringLiteral("poids %1").arg(i);
        vue_.visible[nomDe(boite(i))] = false;
    }
}

bool FaussesCommandes::verifierGenre(Controle c, const char* operation, bool accepte)
{
    if (valide(c) && accepte)
        return true;
    anomalies << QStringLiteral("%1 %2").arg(QLatin1String(operation), nomDe(c));
    return false;
}

void FaussesCommandes::definirLegende(Controle bouton, const QString& legende)
{
    journal << QStringLiteral("legende %1: %2").arg(nomDe(bouton), legende);
    if (verifierGenre(bouton, "legende", genreDe(bouton) == Genre::Bouton))
        vue_.legende[nomDe(bouton)] = legende;
}

void FaussesCommandes::montrer(Controle c, bool visible)
{
    journal << QStringLiteral("montrer %1 %2").arg(nomDe(c), QLatin1String(texteBool(visible)));
    if (verifierGenre(c, "montrer", true))
        vue_.visible[nomDe(c)] = visible;
}

void FaussesCommandes::mettrePremierDansTabulation(Controle bouton)
{
    journal << QStringLiteral("premier %1").arg(nomDe(bouton));
    const Genre g = genreDe(bouton);
    if (verifierGenre(bouton, "premier", g == Genre::Bouton || g == Genre::Texte))
        vue_.premierTabulation = nomDe(bouton);
}

bool FaussesCommandes::aUneImage(Controle c) const
{
    if (!valide(c) || !porteImage(c))
        const_cast<FaussesCommandes*>(this)->anomalies << QStringLiteral("aUneImage %1").arg(nomDe(c));
    return !vue_.image.value(nomDe(c)).isEmpty();
}

void FaussesCommandes::donnerImage(Controle cible, Controle source)
{
    journal << QStringLiteral("donner %1 %2").arg(nomDe(cible), nomDe(source));
    const bool bon = verifierGenre(cible, "donner (cible)", porteImage(cible))
        && verifierGenre(source, "donner (source)", porteImage(source));
    if (bon)
        vue_.image[nomDe(cible)] = vue_.image.value(nomDe(source));
}

void FaussesCommandes::effacerImage(Controle c)
{
    journal << QStringLiteral("effacer %1").arg(nomDe(c));
    if (verifierGenre(c, "effacer", porteImage(c)))
        vue_.image[nomDe(c)] = QString();
}

void FaussesCommandes::definirHaut(Controle c, int twips)
{
    journal << QStringLiteral("haut %1 %2").arg(nomDe(c)).arg(twips);
    if (verifierGenre(c, "haut", porteImage(c)))
        vue_.haut[nomDe(c)] = twips;
}

void FaussesCommandes::definirFond(Controle c, Couleur couleur)
{
    journal << QStringLiteral("fond %1 %2").arg(nomDe(c), texteCouleur(couleur));
    if (verifierGenre(c, "fond", genreDe(c) == Genre::Cellule))
        vue_.fond[nomDe(c)] = texteCouleur(couleur);
}

void FaussesCommandes::definirInfobulle(Controle c, const QString& texte)
{
    journal << QStringLiteral("infobulle %1: %2").arg(nomDe(c), texte);
    if (verifierGenre(c, "infobulle", true))
        vue_.infobulle[nomDe(c)] = texte;
}

void FaussesCommandes::definirTexte(Controle c, const QString& texte)
{
    journal << QStringLiteral("texte %1: %2").arg(nomDe(c), texte);
    if (verifierGenre(c, "texte", genreDe(c) == Genre::Texte))
        vue_.texte[nomDe(c)] = texte;
}

void FaussesCommandes::definirCouleurTexte(Controle c, Couleur couleur)
{
    journal << QStringLiteral("couleur %1 %2").arg(nomDe(c), texteCouleur(couleur));
    if (verifierGenre(c, "couleur", genreDe(c) == Genre::Texte))
        vue_.couleurTexte[nomDe(c)] = texteCouleur(couleur);
}

void FaussesCommandes::activerMinuterie(bool active)
{
    journal << QStringLiteral("minuterie %1").arg(QLatin1String(texteBool(active)));
    vue_.minuterie = active;
}

QString FaussesCommandes::demanderTexte(const QString& invite, const QString& titre, const QString& propose,
    Placement placement)
{
    journal << QStringLiteral("demander: %1").arg(titre);
    const QString text1 = vue_.texte.value(QStringLiteral("Text1"));
    const QString couleur = vue_.couleurTexte.value(QStringLiteral("Text1"));
    const QString err = vue_.texte.value(QStringLiteral("Err"));
    demandes << Demande { invite, titre, propose, placement, text1, couleur, err, vue_ };
    if (pendantDemande)
        pendantDemande();
    if (reponses_.isEmpty()) {
        // The test runner reports a stray exception without its text.
        qWarning("input box \"%s\" opened with no answer left in the script", qPrintable(titre));
        throw ScriptEpuise("input box opened with no answer left in the script: " + titre.toStdString());
    }
    return reponses_.dequeue();
}

void FaussesCommandes::afficherMessage(const QString& texte, const QString& titre, Icone icone)
{
    journal << QStringLiteral("message: %1").arg(texte);
    messages << Message { texte, titre, icone, vue_.texte.value(QStringLiteral("Text1")),
        vue_.couleurTexte.value(QStringLiteral("Text1")), vue_.texte.value(QStringLiteral("Err")), vue_ };
}
