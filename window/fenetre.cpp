#include "fenetre.h"

#include "boite_saisie.h"
#include "definition.h"
#include "resolution.h"
#include "widgets.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

int pixels(int twips) { return qRound(twips / double(twipsParPixel)); }

QRect rectangle(const DefinitionControle& d)
{
    return { pixels(d.gauche), pixels(d.haut), pixels(d.largeur), pixels(d.hauteur) };
}

QColor couleur(Couleur c) { return QColor(c.rouge, c.vert, c.bleu); }

QString texte(const char* utf8) { return QString::fromUtf8(utf8); }

// The toolkit's boxes break a line at a line feed; the program's texts break it at a line feed
// followed by a carriage return.
QString lignes(QString t) { return t.replace(QStringLiteral("\n\r"), QStringLiteral("\n")); }

Qt::Alignment alignement(Alignement a)
{
    switch (a) {
    case Alignement::Gauche:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Alignement::Droite:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Alignement::Centre:
        break;
    }
    return Qt::AlignCenter;
}

QFont police(const Police& p, const QFont& defaut)
{
    if (!p.famille)
        return defaut;
    // Asking for the stand-in face at once spares a failed look-up of the missing one.
    QFont f(QFont::substitute(texte(p.famille)));
    f.setPointSizeF(p.points);
    f.setBold(p.gras);
    f.setItalic(p.italique);
    return f;
}

void colorer(QWidget* w, QPalette::ColorRole role, Couleur c)
{
    QPalette palette = w->palette();
    palette.setColor(role, couleur(c));
    w->setPalette(palette);
}

QString ressource(const QString& nom) { return QStringLiteral(":/images/%1.png").arg(nom); }

// The icon takes what the caption and the frame leave of the button's height, 32 at most. A caption in
// the desktop's font is made smaller where that font is too large for the fixed button, so that the
// style never cuts it; a caption in the window's own font keeps its size.
void ajusterBouton(QToolButton* bouton, bool policeDuBureau)
{
    constexpr int cadre = 8;
    constexpr int petiteIcone = 16;
    const QString legende = bouton->text();
    if (policeDuBureau && !legende.isEmpty()) {
        QStyleOptionToolButton option;
        option.initFrom(bouton);
        const int bord = bouton->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, bouton);
        // The style keeps 4 pixels between the icon and the caption.
        const QSize place(bouton->width() - 2 * bord, bouton->height() - 2 * bord - petiteIcone - 4);
        QFont police = QApplication::font(bouton);
        const auto tient = [&] {
            const QFontMetrics mesure(police);
            return mesure.horizontalAdvance(legende) <= place.width() && mesure.height() <= place.height();
        };
        if (tient()) {
            // Left unset, the font follows the desktop's.
            bouton->setFont(QFont());
        } else {
            while (!tient() && police.pointSizeF() > 4)
                police.setPointSizeF(police.pointSizeF() - 0.5);
            bouton->setFont(police);
        }
    }
    const int hauteurLegende = legende.isEmpty() ? 0 : bouton->fontMetrics().height();
    const int cote = std::clamp(bouton->height() - cadre - hauteurLegende, petiteIcone, 32);
    bouton->setIconSize(QSize(cote, cote));
}

} // namespace

FenetrePesarine::FenetrePesarine(const Horloge& horloge, Hasard& hasard, QWidget* parent)
    : QMainWindow(parent)
    , exercice_(*this, horloge, hasard)
{
    setWindowTitle(legendeFenetre());
    // Only the icons drawn for this screen's pixels are decoded.
    const int facteur = facteurImages(devicePixelRatioF());
    setWindowIcon(iconeAuFacteur(ressource(QStringLiteral("icone_balance")), { 32 }, facteur));
    Qt::WindowFlags drapeaux = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
#ifdef Q_OS_WIN
    // Without it Windows draws a sizing border, which the fixed size then refuses to follow.
    drapeaux |= Qt::MSWindowsFixedSizeDialogHint;
#endif
    setWindowFlags(drapeaux);

    construireControles();
    construireMenu();

    marque_ = new MarqueFocus(centralWidget());
    annonce_ = new Annonce(new BarreAnnonces(centralWidget()));
    annonce_->setObjectName(QStringLiteral("annonce"));
    connect(&clavier_, &FiltreClavier::premiereTouche, this, &FenetrePesarine::marquerFocus);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* nouveau) {
        retenirPoids(nouveau);
        marquerFocus();
    });

    Timer1_ = new QTimer(this);
    Timer1_->setInterval(1000);
    Timer1_->setTimerType(Qt::PreciseTimer);
    connect(Timer1_, &QTimer::timeout, this, [this] { exercice_.Timer1_Timer(); });

    Form_Load();

    adjustSize();
    setFixedSize(size());
    if (const QScreen* ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());
}

FenetrePesarine::~FenetrePesarine()
{
    // Hiding the window while it is taken apart changes the application's focus: the window, no longer
    // whole, must not hear of it.
    disconnect(qApp, nullptr, this, nullptr);
}

void FenetrePesarine::construireControles()
{
    auto* surface = new QWidget(this);
    surface->setObjectName(QStringLiteral("surface"));
    surface->setFixedSize(pixels(largeurClient), pixels(hauteurClient));
    surface->setAutoFillBackground(true);
    colorer(surface, QPalette::Window, couleurs::blanc);
    // The white stays white under a dark desktop scheme: whatever text stands on it is dark too.
    colorer(surface, QPalette::WindowText, Couleur { 0, 0, 0 });
    setCentralWidget(surface);

    for (const DefinitionControle& d : definitionFenetre()) {
        QWidget* w = creerControle(d, surface);
        w->setObjectName(nomControle(d.controle));
        w->setGeometry(rectangle(d));
        habiller(w, d);
        w->setVisible(d.montre);
        widgets_[cle(d.controle)] = w;
    }
    for (const DefinitionControle& d : definitionFenetre())
        rendreAccessible(widget(d.controle), d);
    ordonnerTabulation();
}

QWidget* FenetrePesarine::creerControle(const DefinitionControle& d, QWidget* surface)
{
    switch (genreDe(d.controle)) {
    case Genre::Bouton: {
        auto* bouton = new BoutonImage(surface);
        bouton->setText(texte(d.texte));
        // Only the icons drawn for this screen's pixels are decoded.
        const int facteur = facteurImages(devicePixelRatioF());
        bouton->setIcon(iconeAuFacteur(ressource(texte(d.icone)), { 16, 32 }, facteur));
        bouton->setToolButtonStyle(bouton->text().isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
        connect(bouton, &QAbstractButton::clicked, this, [this, nom = d.controle.nom] { cliquerBouton(nom); });
        return bouton;
    }
    case Genre::Texte: {
        return new AffichageTexte(texte(d.texte), surface);
    }
    case Genre::Etiquette: {
        auto* etiquette = new QLabel(texte(d.texte), surface);
        etiquette->setTextFormat(Qt::PlainText);
        etiquette->setAlignment(alignement(d.alignement));
        etiquette->setAutoFillBackground(d.couleurFond.has_value());
        etiquette->setFocusPolicy(Qt::NoFocus);
        return etiquette;
    }
    case Genre::Image:
    case Genre::Porteur: {
        auto* image = new ImageControle(ImageControle::Rendu::Etire, surface);
        image->setFocusPolicy(Qt::NoFocus);
        if (d.image)
            image->definirRessource(ressource(texte(d.image)));
        const Controle c = d.controle;
        if (c.nom == Nom::boite || c.nom == Nom::baim) {
            connect(image, &ImageControle::clique, this, [this, c] { deplacerPoids(c); });
            image->installEventFilter(this);
        }
        return image;
    }
    case Genre::Cellule: {
        auto* cellule = new ImageControle(ImageControle::Rendu::Brut, surface);
        cellule->setFocusPolicy(Qt::NoFocus);
        return cellule;
    }
    case Genre::Cadre: {
        auto* cadre = new Cadre(couleur(d.couleurTexte.value_or(Couleur {})), surface);
        cadre->setFocusPolicy(Qt::NoFocus);
        return cadre;
    }
    }
    Q_UNREACHABLE();
}

// Fonts, colours, tooltip and size: how the control looks.
void FenetrePesarine::habiller(QWidget* w, const DefinitionControle& d)
{
    const Genre genre = genreDe(d.controle);
    w->setFont(police(d.police, w->font()));
    if (*d.infobulle)
        w->setToolTip(texte(d.infobulle));
    if (d.couleurTexte && genre != Genre::Cadre)
        colorer(w, genre == Genre::Etiquette ? QPalette::WindowText : QPalette::Text, *d.couleurTexte);
    if (d.couleurFond) {
        if (genre == Genre::Cellule)
            static_cast<ImageControle*>(w)->definirFond(couleur(*d.couleurFond));
        else
            colorer(w, genre == Genre::Etiquette ? QPalette::Window : QPalette::Base, *d.couleurFond);
    }
    if (d.ajusteAuTexte)
        w->resize(w->sizeHint());
    if (auto* bouton = qobject_cast<QToolButton*>(w))
        ajusterBouton(bouton, !d.police.famille);
}

// What a screen reader says of the control: its caption or text; a display is named by its tooltip and
// labelled by the label beside it; a control that shows no text, by its tooltip or the name the
// definition gives.
void FenetrePesarine::rendreAccessible(QWidget* w, const DefinitionControle& d)
{
    if (d.champ)
        static_cast<QLabel*>(w)->setBuddy(widget(*d.champ));
    if (d.nomAccessible)
        w->setAccessibleName(texte(d.nomAccessible));
    else if ((!*d.texte && *d.infobulle) || genreDe(d.controle) == Genre::Texte)
        w->setAccessibleName(w->toolTip());
}

// The buttons and the text displays, by their tab position; the weights join the chain after the start
// button (appliquerTabulation).
void FenetrePesarine::ordonnerTabulation()
{
    std::vector<std::pair<int, QWidget*>> tabulation;
    for (const DefinitionControle& d : definitionFenetre()) {
        if (d.tabulation >= 0)
            tabulation.emplace_back(d.tabulation, widget(d.controle));
    }
    std::sort(tabulation.begin(), tabulation.end());
    for (const auto& [position, w] : tabulation)
        tabulation_.push_back(w);
    appliquerTabulation();
}

void FenetrePesarine::construireMenu()
{
    QMenu* menu = menuBar()->addMenu(texte(legendeMenu));
    menu->setObjectName(QStringLiteral("Menu"));
    for (const DefinitionMenu& m : definitionMenu()) {
        QAction* action = menu->addAction(texte(m.legende));
        action->setObjectName(texte(m.nom));
        action->setShortcut(QKeySequence(texte(m.raccourci)));
        connect(action, &QAction::triggered, this, [this, commande = m.commande] {
            switch (commande) {
            case Commande::Aide:
                return Aide_Click();
            case Commande::propos:
                return propos_Click();
            case Commande::Siteweb:
                return Siteweb_Click();
            case Commande::Quitter:
                return Quitter_Click();
            }
        });
    }
}

void FenetrePesarine::Form_Load()
{
    exercice_.etat().reussies = 0;
    exercice_.etat().erreurs = 0;
    mettrePremierDansTabulation(Command1);
    montrer(Command2, false);
    widget(Command1)->setFocus();
}

void FenetrePesarine::changeEvent(QEvent* event)
{
    // A new desktop font reaches the window: the caption in that font is fitted to its button again.
    if (event->type() == QEvent::FontChange && widgets_.contains(cle(maxi)))
        ajusterBouton(static_cast<QToolButton*>(widget(maxi)), true);
    QMainWindow::changeEvent(event);
}

QWidget* FenetrePesarine::widget(Controle c) const { return widgets_.at(cle(c)); }

ImageControle* FenetrePesarine::image(Controle c) const { return static_cast<ImageControle*>(widget(c)); }

void FenetrePesarine::appliquerTabulation()
{
    // The weights come right after the start button: the box, heaviest first, then the plate, from left to right.
    chaine_.clear();
    for (QWidget* w : tabulation_) {
        chaine_.push_back(w);
        if (w == widget(Command1)) {
            for (const Nom groupe : { Nom::boite, Nom::baim }) {
                for (int i = 0; i < nombrePoids; ++i)
                    chaine_.push_back(widget({ groupe, i }));
            }
        }
    }
    // The toolkit's own chain, for whoever reads it; Tab itself follows chaine_ (focusNextPrevChild), for
    // the toolkit moves some widgets to other places of its chain when it is given this order in turn.
    for (std::size_t i = 1; i < chaine_.size(); ++i)
        setTabOrder(chaine_[i - 1], chaine_[i]);
}

bool FenetrePesarine::focusNextPrevChild(bool suivant)
{
    const auto ici = std::find(chaine_.begin(), chaine_.end(), focusWidget());
    if (ici == chaine_.end())
        return QMainWindow::focusNextPrevChild(suivant);
    // The next control on view that takes the focus from Tab: of each group of weights, one only.
    const auto n = std::ptrdiff_t(chaine_.size());
    const std::ptrdiff_t depart = ici - chaine_.begin();
    for (std::ptrdiff_t pas = 1; pas < n; ++pas) {
        QWidget* w = chaine_[std::size_t(((depart + (suivant ? pas : -pas)) % n + n) % n)];
        if (!w->isHidden() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(suivant ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void FenetrePesarine::definirLegende(Controle bouton, const QString& legende)
{
    static_cast<QAbstractButton*>(widget(bouton))->setText(legende);
}

void FenetrePesarine::montrer(Controle c, bool visible)
{
    widget(c)->setVisible(visible);
    majFocusPoids();
}

void FenetrePesarine::mettrePremierDansTabulation(Controle bouton)
{
    QWidget* w = widget(bouton);
    std::erase(tabulation_, w);
    tabulation_.insert(tabulation_.begin(), w);
    appliquerTabulation();
}

bool FenetrePesarine::aUneImage(Controle c) const { return !image(c)->image().isNull(); }

void FenetrePesarine::donnerImage(Controle cible, Controle source)
{
    image(cible)->definirImage(image(source)->image());
    // The scale picture says its verdict to a screen reader.
    if (cible == Image1)
        widget(Image1)->setAccessibleName(widget(source)->accessibleName());
    majFocusPoids();
}

void FenetrePesarine::effacerImage(Controle c)
{
    image(c)->definirImage(QPixmap());
    majFocusPoids();
}

void FenetrePesarine::definirHaut(Controle c, int twips)
{
    QWidget* w = widget(c);
    w->move(w->x(), pixels(twips));
}

void FenetrePesarine::definirFond(Controle c, Couleur fond) { image(c)->definirFond(couleur(fond)); }

void FenetrePesarine::definirInfobulle(Controle c, const QString& texte)
{
    QWidget* w = widget(c);
    w->setToolTip(texte);
    // A weight is named by its mass and where it stands, the same weight having a place in each.
    if (c.nom == Nom::boite)
        w->setAccessibleName(texte.trimmed() + QStringLiteral(", dans la boîte"));
    else if (c.nom == Nom::baim)
        w->setAccessibleName(texte.trimmed() + QStringLiteral(", sur le plateau"));
}

void FenetrePesarine::definirTexte(Controle c, const QString& texte)
{
    // The message line is spoken at each writing, even of the same verdict: each move has its verdict.
    if (c == Text1)
        annonce_->annoncer(texte);
    auto* ligne = static_cast<QLineEdit*>(widget(c));
    if (ligne->text() == texte)
        return;
    ligne->setText(texte);
    ligne->setCursorPosition(0);
}

void FenetrePesarine::definirCouleurTexte(Controle c, Couleur texte)
{
    if (widget(c)->palette().color(QPalette::Text) != couleur(texte))
        colorer(widget(c), QPalette::Text, texte);
}

void FenetrePesarine::activerMinuterie(bool active)
{
    // Starting a running timer would put its next tick back by up to a second.
    if (!active)
        Timer1_->stop();
    else if (!Timer1_->isActive())
        Timer1_->start();
}

QString FenetrePesarine::demanderTexte(const QString& invite, const QString& titre, const QString& propose,
    Placement placement)
{
    BoiteSaisie boite(lignes(invite), titre, propose, this);
    if (placement == Placement::CoinEcran && screen())
        boite.move(screen()->availableGeometry().topLeft());
    return boite.exec() == QDialog::Accepted ? boite.texte() : QString();
}

void FenetrePesarine::afficherMessage(const QString& texte, const QString& titre, Icone icone)
{
    QMessageBox boite(icone == Icone::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, titre, lignes(texte),
        QMessageBox::Ok, this);
    // The pupil's own words are shown as typed, never read as markup.
    boite.setTextFormat(Qt::PlainText);
    boite.exec();
}

namespace {

// Each button and what its click does; a button of the window that is missing here does not compile.
struct ClicBouton {
    Nom bouton;
    void (FenetrePesarine::*clic)();
};

constexpr ClicBouton clics[] = {
    { Nom::Command1, &FenetrePesarine::clicCommand1 },
    { Nom::Command2, &FenetrePesarine::clicCommand2 },
    { Nom::maxi, &FenetrePesarine::clicMaxi },
};

consteval bool chaqueBoutonASonClic()
{
    for (std::size_t rang = 0; rang < std::size(identites); ++rang) {
        if (identites[rang].genre == Genre::Bouton
            && std::ranges::none_of(clics, [&](const ClicBouton& c) { return c.bouton == Nom(rang); }))
            return false;
    }
    return true;
}
static_assert(chaqueBoutonASonClic(), "a button of the window has no click handler");

} // namespace

void FenetrePesarine::cliquerBouton(Nom bouton)
{
    const auto* c = std::ranges::find(clics, bouton, &ClicBouton::bouton);
    (this->*(c->clic))();
    marquerFocus();
}

void FenetrePesarine::clicCommand1()
{
    exercice_.Command1_Click();
    focusSurPoids(boite(courantBoite_));
}

void FenetrePesarine::clicCommand2()
{
    exercice_.Command2_Click();
    widget(Command1)->setFocus(Qt::OtherFocusReason);
}

void FenetrePesarine::clicMaxi()
{
    exercice_.maxi_Click();
    widget(maxi)->setFocus(Qt::OtherFocusReason);
}

void FenetrePesarine::deplacerPoids(Controle poids)
{
    QWidget* focusAvant = focusWidget();
    const bool suivre = !focusAvant || focusAvant == widget(poids);
    const bool entreDeuxPesees = !widget(Command1)->isHidden();

    if (poids.nom == Nom::boite)
        exercice_.boite_Click(poids.index);
    else
        exercice_.baim_Click(poids.index);

    // After the right answer, Enter goes on to the next weighing.
    if (!entreDeuxPesees && !widget(Command1)->isHidden()) {
        widget(Command1)->setFocus(Qt::OtherFocusReason);
    } else {
        QWidget* focus = focusWidget();
        if (suivre || !focus || focus->isHidden())
            focusVersVoisin(poids);
    }
    // The toolkit tells of a new focus only in the active window: the mark follows it here too.
    marquerFocus();
}

bool FenetrePesarine::prendLeFocus(Controle poids) const { return image(poids)->tientUnPoids(); }

void FenetrePesarine::majFocusPoids()
{
    choisirPoidsAtteints();
    // The focused weight has just left its place, perhaps for a box that opens at once: the focus goes
    // on to a weight at once, so that the mark never stays around an empty place behind the box.
    QWidget* focus = focusWidget();
    for (int i = 0; i < nombrePoids; ++i) {
        for (const Controle place : { boite(i), baim(i) }) {
            if (focus == widget(place) && !prendLeFocus(place)) {
                focusVersVoisin(place);
                return marquerFocus();
            }
        }
    }
    marquerFocus();
}

void FenetrePesarine::choisirPoidsAtteints()
{
    QWidget* focus = focusWidget();
    for (const auto& [groupe, courant] : { std::pair { Nom::boite, &courantBoite_ }, std::pair { Nom::baim, &courantPlateau_ } }) {
        int choisi = prendLeFocus({ groupe, *courant }) ? *courant : -1;
        for (int i = 0; i < nombrePoids && choisi < 0; ++i) {
            if (widget({ groupe, i }) == focus && prendLeFocus({ groupe, i }))
                choisi = i;
        }
        for (int i = 0; i < nombrePoids && choisi < 0; ++i) {
            if (prendLeFocus({ groupe, i }))
                choisi = i;
        }
        if (choisi >= 0)
            *courant = choisi;
        for (int i = 0; i < nombrePoids; ++i)
            widget({ groupe, i })->setFocusPolicy(i == choisi ? Qt::TabFocus : Qt::NoFocus);
    }
}

void FenetrePesarine::retenirPoids(QWidget* focus)
{
    // Whichever way the focus came to a weight, Tab comes back to that one.
    for (int i = 0; i < nombrePoids; ++i) {
        for (const Controle poids : { boite(i), baim(i) }) {
            if (focus == widget(poids) && prendLeFocus(poids) && focus->focusPolicy() == Qt::NoFocus) {
                (poids.nom == Nom::boite ? courantBoite_ : courantPlateau_) = i;
                choisirPoidsAtteints();
            }
        }
    }
}

void FenetrePesarine::focusSurPoids(Controle poids)
{
    if (!prendLeFocus(poids))
        return;
    (poids.nom == Nom::boite ? courantBoite_ : courantPlateau_) = poids.index;
    choisirPoidsAtteints();
    widget(poids)->setFocus(Qt::TabFocusReason);
}

bool FenetrePesarine::focusVersVoisin(Controle poids)
{
    // The nearest weight left in the same group, the lighter one first, so that Space held down
    // again and again works through the box; then the weight itself at its new place; then the start button.
    const Nom groupe = poids.nom;
    for (int ecart = 1; ecart < nombrePoids; ++ecart) {
        for (const int i : { poids.index + ecart, poids.index - ecart }) {
            if (i >= 0 && i < nombrePoids && prendLeFocus({ groupe, i })) {
                focusSurPoids({ groupe, i });
                return true;
            }
        }
    }
    const Controle ailleurs = poids.nom == Nom::boite ? baim(poids.index) : boite(poids.index);
    if (prendLeFocus(ailleurs)) {
        focusSurPoids(ailleurs);
        return true;
    }
    for (QWidget* w : tabulation_) {
        if (!w->isHidden() && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

int FenetrePesarine::voisinALEcran(Controle depuis, Qt::Key fleche) const
{
    // The arrows go by what the pupil sees, not by the weights' order: in the box the small weights stand
    // in a row above the others, the lightest on the left. Left and Right go to the nearest weight level
    // with this one; Up and Down to the weight above or below, the one straight above or below first,
    // then the nearest across.
    const QRect ici = widget(depuis)->geometry();
    const bool horizontale = fleche == Qt::Key_Left || fleche == Qt::Key_Right;
    const int sens = fleche == Qt::Key_Right || fleche == Qt::Key_Down ? 1 : -1;
    int choisi = -1;
    std::tuple<bool, int, int> meilleur {};
    for (int i = 0; i < nombrePoids; ++i) {
        const Controle c { depuis.nom, i };
        if (i == depuis.index || !prendLeFocus(c))
            continue;
        const QRect la = widget(c)->geometry();
        const QPoint ecart = la.center() - ici.center();
        const int leLong = horizontale ? ecart.x() : ecart.y();
        const int enTravers = std::abs(horizontale ? ecart.y() : ecart.x());
        const bool memeRangee = la.top() <= ici.bottom() && ici.top() <= la.bottom();
        if (leLong * sens <= 0 || horizontale != memeRangee)
            continue;
        // Left and Right: the nearest along the row. Up and Down: one straight above or below first.
        const bool enFace = la.left() <= ici.right() && ici.left() <= la.right();
        const std::tuple<bool, int, int> note = horizontale
            ? std::tuple { false, std::abs(leLong), enTravers }
            : std::tuple { !enFace, enTravers, std::abs(leLong) };
        if (choisi < 0 || note < meilleur) {
            choisi = i;
            meilleur = note;
        }
    }
    return choisi;
}

bool FenetrePesarine::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(objet, event);
    auto* image = static_cast<ImageControle*>(objet);
    const Nom groupe = objet->objectName().startsWith(QLatin1String("boite")) ? Nom::boite : Nom::baim;
    int index = -1;
    for (int i = 0; i < nombrePoids; ++i) {
        if (widget({ groupe, i }) == image)
            index = i;
    }
    const auto* touche = static_cast<QKeyEvent*>(event);
    switch (touche->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!touche->isAutoRepeat() && image->tientUnPoids())
            Q_EMIT image->clique();
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (const int voisin = voisinALEcran({ groupe, index }, Qt::Key(touche->key())); voisin >= 0)
            focusSurPoids({ groupe, voisin });
        return true;
    case Qt::Key_Home:
    case Qt::Key_End: {
        const bool debut = touche->key() == Qt::Key_Home;
        for (int n = 0; n < nombrePoids; ++n) {
            const int i = debut ? n : nombrePoids - 1 - n;
            if (prendLeFocus({ groupe, i })) {
                focusSurPoids({ groupe, i });
                break;
            }
        }
        return true;
    }
    default:
        return QMainWindow::eventFilter(objet, event);
    }
}

void FenetrePesarine::marquerFocus()
{
    if (!marque_)
        return;
    QWidget* focus = focusWidget();
    const auto* image = qobject_cast<ImageControle*>(focus);
    const bool marquable = clavier_.clavierUtilise() && focus && !focus->isHidden()
        && (qobject_cast<QAbstractButton*>(focus) || qobject_cast<AffichageTexte*>(focus) || (image && image->tientUnPoids()));
    marque_->suivre(marquable ? focus : nullptr);
}

void FenetrePesarine::Aide_Click()
{
    afficherMessage(texteAide(), QStringLiteral("La Pesarine: Aide"), Icone::Aucune);
}

void FenetrePesarine::propos_Click()
{
    afficherMessage(texteAPropos(), QStringLiteral("La Pesarine: A propos"), Icone::Aucune);
}

void FenetrePesarine::Siteweb_Click()
{
    adresse_ = pageAccueil();
    OuvrirPage(adresse_);
}

void FenetrePesarine::OuvrirPage(const QString& adresse)
{
    retour_ = QDesktopServices::openUrl(QUrl(adresse)) ? 1 : 0;
}

void FenetrePesarine::Quitter_Click() { QCoreApplication::quit(); }
