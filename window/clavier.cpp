#include "clavier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <QGuiApplication>

#ifdef PESARINE_X11
#include <xcb/xcb.h>

#include <cstdlib>
#endif


bool SuiviTouchesX::appui(quint32 code, quint32 moment)
{
    Touche& t = touches_[code];
    const bool repetition = t.enfoncee || t.relachee == moment;
    t.enfoncee = true;
    t.appuis[t.prochain] = { moment, repetition };
    t.prochain = (t.prochain + 1) % t.appuis.size();
    return repetition;
}

void SuiviTouchesX::relache(quint32 code, quint32 moment)
{
    Touche& t = touches_[code];
    t.enfoncee = false;
    t.relachee = moment;
}

void SuiviTouchesX::oublier(quint32 code)
{
    if (const auto t = touches_.find(code); t != touches_.end())
        t->second.enfoncee = false;
}

bool SuiviTouchesX::enfoncee(quint32 code) const
{
    const auto t = touches_.find(code);
    return t != touches_.end() && t->second.enfoncee;
}

std::optional<bool> SuiviTouchesX::jugement(quint32 code, quint32 moment) const
{
    const auto t = touches_.find(code);
    if (t == touches_.end())
        return std::nullopt;
    // The newest first: a time stamp comes back after 49 days.
    for (std::size_t n = 1; n <= t->second.appuis.size(); ++n) {
        const Appui& a = t->second.appuis[(t->second.prochain + t->second.appuis.size() - n) % t->second.appuis.size()];
        if (a.moment == moment)
            return a.repetition;
    }
    return std::nullopt;
}

std::vector<quint32> SuiviTouchesX::enfoncees() const
{
    std::vector<quint32> codes;
    for (const auto& [code, t] : touches_) {
        if (t.enfoncee)
            codes.push_back(code);
    }
    return codes;
}

FiltreClavier::FiltreClavier()
{
    qApp->installEventFilter(this);
#ifdef PESARINE_X11
    serveurX_ = qApp->nativeInterface<QNativeInterface::QX11Application>() != nullptr;
    if (serveurX_)
        qApp->installNativeEventFilter(this);
#endif
}

FiltreClavier::~FiltreClavier()
{
    if (serveurX_)
        qApp->removeNativeEventFilter(this);
    qApp->removeEventFilter(this);
}

bool FiltreClavier::toucheQuiValide(int touche)
{
    return touche == Qt::Key_Return || touche == Qt::Key_Enter || touche == Qt::Key_Space || touche == Qt::Key_Escape;
}

bool FiltreClavier::nativeEventFilter(const QByteArray& genre, void* message, qintptr*)
{
#ifdef PESARINE_X11
    if (genre != "xcb_generic_event_t")
        return false;
    const auto* evenement = static_cast<const xcb_generic_event_t*>(message);
    switch (evenement->response_type & ~0x80) {
    case XCB_KEY_PRESS: {
        const auto* touche = static_cast<const xcb_key_press_event_t*>(message);
        x_.appui(touche->detail, touche->time);
        break;
    }
    case XCB_KEY_RELEASE: {
        const auto* touche = static_cast<const xcb_key_release_event_t*>(message);
        x_.relache(touche->detail, touche->time);
        break;
    }
    case XCB_FOCUS_IN:
        // The keyboard comes back to one of the program's windows: a key released meanwhile elsewhere is up.
        demanderAuServeur();
        break;
    default:
        break;
    }
#else
    Q_UNUSED(genre);
    Q_UNUSED(message);
#endif
    return false;
}

void FiltreClavier::demanderAuServeur()
{
#ifdef PESARINE_X11
    const std::vector<quint32> enfoncees = x_.enfoncees();
    if (enfoncees.empty())
        return;
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t* connexion = x11->connection();
    xcb_query_keymap_reply_t* clavier = xcb_query_keymap_reply(connexion, xcb_query_keymap(connexion), nullptr);
    if (!clavier)
        return;
    for (const quint32 code : enfoncees) {
        if (code < 256 && !((clavier->keys[code / 8] >> (code % 8)) & 1))
            x_.oublier(code);
    }
    std::free(clavier);
#endif
}

bool FiltreClavier::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto* touche = static_cast<QKeyEvent*>(event);
    // One event is shown here once for each widget that it passes through, from the window down to
    // the focused widget: it is judged once.
    const Vu vu { event, event->type(), touche->key(), touche->nativeScanCode(), touche->timestamp() };
    if (vu == dernier_)
        return ecarte_;
    dernier_ = vu;
    ecarte_ = juger(touche);
    return ecarte_;
}

bool FiltreClavier::juger(const QKeyEvent* touche)
{
    if (touche->type() == QEvent::KeyRelease)
        return false;
    if (!clavierUtilise_) {
        clavierUtilise_ = true;
        Q_EMIT premiereTouche();
    }
    if (!toucheQuiValide(touche->key()))
        return false;
    // The toolkit hands on the server's time stamp and key code with each key event it makes of one.
    if (serveurX_ && touche->nativeScanCode() != 0) {
        if (const auto repetition = x_.jugement(touche->nativeScanCode(), quint32(touche->timestamp())))
            return *repetition;
    }
    return touche->isAutoRepeat();
}

MarqueFocus::MarqueFocus(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("marqueFocus"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

QRect MarqueFocus::placeDuTexte(const QWidget* w)
{
    if (const auto* etiquette = qobject_cast<const QLabel*>(w)) {
        if (etiquette->text().isEmpty())
            return {};
        const QRect dedans = etiquette->contentsRect();
        const QRect texte = etiquette->fontMetrics().boundingRect(dedans, int(etiquette->alignment()), etiquette->text());
        return texte.translated(etiquette->pos());
    }
    // A display or a button: its whole box.
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractButton*>(w))
        return w->geometry();
    return {};
}

void MarqueFocus::suivre(QWidget* cible)
{
    if (!cible || cible->isHidden() || cible->parentWidget() != parentWidget()) {
        hide();
        return;
    }
    const QRect place = cible->geometry();
    QList<QRect> textes;
    for (QObject* o : parentWidget()->children()) {
        auto* voisin = qobject_cast<QWidget*>(o);
        if (voisin && voisin != cible && voisin != this && !voisin->isHidden()) {
            if (const QRect t = placeDuTexte(voisin); !t.isEmpty())
                textes.append(t);
        }
    }
    const auto libre = [&](const QRect& bande) {
        return std::none_of(textes.begin(), textes.end(), [&](const QRect& t) { return t.intersects(bande); });
    };
    const int gauche = libre(QRect(place.left() - marge, place.top() - marge, marge, place.height() + 2 * marge)) ? marge : 0;
    const int droite = libre(QRect(place.right() + 1, place.top() - marge, marge, place.height() + 2 * marge)) ? marge : 0;
    const int haut = libre(QRect(place.left() - marge, place.top() - marge, place.width() + 2 * marge, marge)) ? marge : 0;
    const int bas = libre(QRect(place.left() - marge, place.bottom() + 1, place.width() + 2 * marge, marge)) ? marge : 0;
    setGeometry(place.adjusted(-gauche, -haut, droite, bas));
    raise();
    show();
    update();
}

void MarqueFocus::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    const QRect tout = rect();
    const QRect dedans = tout.adjusted(bleu, bleu, -bleu, -bleu);
    const QRect cible = dedans.adjusted(jaune, jaune, -jaune, -jaune);
    QRegion bleue(tout);
    bleue -= QRegion(dedans);
    QRegion jaunie(dedans);
    jaunie -= QRegion(cible);
    for (const QRect& r : bleue)
        peintre.fillRect(r, QColor(couleurBleue));
    for (const QRect& r : jaunie)
        peintre.fillRect(r, QColor(couleurJaune));
}
