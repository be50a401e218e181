#include "clavier.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

FiltreClavier::FiltreClavier() { qApp->installEventFilter(this); }

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

    // Synthesized events carry no scan code: only the toolkit's own mark tells their repeats.
    const quint32 code = touche->nativeScanCode();
    if (event->type() == QEvent::KeyRelease) {
        if (code != 0)
            relachements_[code] = touche->timestamp();
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
    const auto relachement = relachements_.find(code);
    return code != 0 && relachement != relachements_.end() && relachement->second == touche->timestamp();
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
