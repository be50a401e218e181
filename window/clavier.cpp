#include "clavier.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <QGuiApplication>

#ifdef PESARINE_X11
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace {

// Whether the X server holds the key down now; false where there is no X server to ask.
bool toucheEnfoncee(quint32 code)
{
#ifdef PESARINE_X11
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || code > 255)
        return false;
    xcb_connection_t* connexion = x11->connection();
    xcb_query_keymap_reply_t* clavier = xcb_query_keymap_reply(connexion, xcb_query_keymap(connexion), nullptr);
    if (!clavier)
        return false;
    const bool enfoncee = (clavier->keys[code / 8] >> (code % 8)) & 1;
    std::free(clavier);
    return enfoncee;
#else
    Q_UNUSED(code);
    return false;
#endif
}

} // namespace

FiltreClavier::FiltreClavier()
{
    horloge_.start();
    qApp->installEventFilter(this);
}

FiltreClavier::~FiltreClavier() { qApp->removeEventFilter(this); }

bool FiltreClavier::toucheQuiValide(int touche)
{
    return touche == Qt::Key_Return || touche == Qt::Key_Enter || touche == Qt::Key_Space || touche == Qt::Key_Escape;
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
    // Synthesized events carry no scan code: only the toolkit's own mark tells their repeats.
    const quint32 code = touche->nativeScanCode();

    if (touche->type() == QEvent::KeyRelease) {
        if (code != 0 && toucheQuiValide(touche->key())) {
            relachees_[code] = horloge_.elapsed();
            if (!touche->isAutoRepeat() && !toucheEnfoncee(code))
                enfoncees_.erase(code);
        }
        return false;
    }

    if (!clavierUtilise_) {
        clavierUtilise_ = true;
        Q_EMIT premiereTouche();
    }
    if (!toucheQuiValide(touche->key()))
        return false;
    if (touche->isAutoRepeat())
        return true;
    if (code == 0)
        return false;
    // A key held down repeats many times a second; one whose release went to another program is
    // soon taken as up again.
    constexpr qint64 oubli = 1500;
    const qint64 maintenant = horloge_.elapsed();
    const auto enfoncee = enfoncees_.find(code);
    // The X server's repeat is a release and a press at once; no finger presses again so soon.
    constexpr qint64 rebond = 100;
    const auto relachee = relachees_.find(code);
    const bool repetition = (enfoncee != enfoncees_.end() && maintenant - enfoncee->second < oubli)
        || (relachee != relachees_.end() && maintenant - relachee->second < rebond);
    enfoncees_[code] = maintenant;
    return repetition;
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

void MarqueFocus::suivre(QWidget* cible)
{
    if (!cible || cible->isHidden() || cible->parentWidget() != parentWidget()) {
        hide();
        return;
    }
    constexpr int marge = bleu + jaune;
    setGeometry(cible->geometry().adjusted(-marge, -marge, marge, marge));
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
