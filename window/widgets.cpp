#include "widgets.h"

#include "resolution.h"

#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

ImageControle::ImageControle(Rendu rendu, QWidget* parent)
    : QWidget(parent)
    , rendu_(rendu)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

const QPixmap& ImageControle::image() const
{
    // Loading through QPixmap keeps the picture in the pixmap cache, so the controls that show the
    // same file share one decoded picture.
    if (!ressource_.isNull()) {
        // The set drawn for this screen's pixels; its pixel ratio keeps it at its natural size where it is
        // shown unscaled, as the small weights of the scale are.
        const int facteur = facteurImages(devicePixelRatioF());
        image_ = QPixmap(fichierAuFacteur(ressource_, facteur));
        if (image_.isNull() && facteur > 1)
            image_ = QPixmap(ressource_);
        else
            image_.setDevicePixelRatio(facteur);
        ressource_.clear();
    }
    return image_;
}

void ImageControle::definirImage(const QPixmap& image)
{
    if (ressource_.isNull() && image_.cacheKey() == image.cacheKey())
        return;
    ressource_.clear();
    image_ = image;
    update();
}

void ImageControle::definirRessource(const QString& chemin)
{
    ressource_ = chemin;
    image_ = QPixmap();
    update();
}

void ImageControle::definirFond(const QColor& fond)
{
    if (fond_ == fond)
        return;
    fond_ = fond;
    update();
}

bool ImageControle::cliquable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&ImageControle::clique));
}

bool ImageControle::tientUnPoids() const { return cliquable() && !isHidden() && !image().isNull(); }

namespace {

class ImageAccessible : public QAccessibleWidget {
public:
    explicit ImageAccessible(ImageControle* image)
        : QAccessibleWidget(image, image->cliquable() ? QAccessible::Button : QAccessible::Graphic)
    {
    }

    // An empty place shows nothing: it is hidden from screen readers, nameless and not pressable. Its
    // role stays that of a button, as screen readers keep the role they first saw.
    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        if (image()->cliquable()) {
            etat.focusable = image()->tientUnPoids();
            if (!image()->tientUnPoids())
                etat.invisible = true;
        }
        return etat;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return {};
        if (t == QAccessible::Name && image()->cliquable() && !image()->tientUnPoids())
            return {};
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return image()->tientUnPoids() ? QStringList { pressAction() } : QStringList {};
    }

    // Pressed later, from the event loop, as the toolkit presses its buttons: the move may open a modal box,
    // and the screen reader waits for this call to return.
    void doAction(const QString& action) override
    {
        if (action == pressAction() && image()->tientUnPoids())
            QMetaObject::invokeMethod(image(), &ImageControle::clique, Qt::QueuedConnection);
    }

private:
    ImageControle* image() const { return static_cast<ImageControle*>(widget()); }
};

// Says a short text to the screen reader when it is shown, whatever has the focus.
class AnnonceAccessible : public QAccessibleWidget {
public:
    explicit AnnonceAccessible(QWidget* annonce)
        : QAccessibleWidget(annonce, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? widget()->accessibleName() : QString();
    }
};

// A display as a screen reader reads it: its label, that it is read only, its whole text. The toolkit's
// own line edit gives a screen reader its line without the last character ("1" is read as nothing).
class AffichageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AffichageAccessible(AffichageTexte* affichage)
        : QAccessibleWidget(affichage, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        etat.readOnly = true;
        etat.editable = false;
        etat.selectableText = true;
        return etat;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return ligne()->text();
        return QAccessibleWidget::text(t);
    }

    // A single line: every unit but the character is the whole line.
    QString text(int debut, int fin) const override { return ligne()->text().mid(debut, fin - debut); }
    QString textAtOffset(int position, QAccessible::TextBoundaryType unite, int* debut, int* fin) const override
    {
        const QString t = ligne()->text();
        if (unite == QAccessible::CharBoundary) {
            *debut = std::clamp(position, 0, int(t.size()));
            *fin = std::min(*debut + 1, int(t.size()));
        } else {
            *debut = 0;
            *fin = int(t.size());
        }
        return t.mid(*debut, *fin - *debut);
    }
    QString textBeforeOffset(int position, QAccessible::TextBoundaryType unite, int* debut, int* fin) const override
    {
        if (unite == QAccessible::CharBoundary && position > 0)
            return textAtOffset(position - 1, unite, debut, fin);
        *debut = *fin = 0;
        return {};
    }
    QString textAfterOffset(int position, QAccessible::TextBoundaryType unite, int* debut, int* fin) const override
    {
        if (unite == QAccessible::CharBoundary && position + 1 < ligne()->text().size())
            return textAtOffset(position + 1, unite, debut, fin);
        *debut = *fin = int(ligne()->text().size());
        return {};
    }
    int characterCount() const override { return int(ligne()->text().size()); }
    int cursorPosition() const override { return ligne()->cursorPosition(); }
    void setCursorPosition(int position) override { ligne()->setCursorPosition(position); }
    void selection(int, int* debut, int* fin) const override { *debut = *fin = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int position, int* debut, int* fin) const override
    {
        *debut = 0;
        *fin = std::max(position, characterCount());
        return {};
    }

private:
    AffichageTexte* ligne() const { return static_cast<AffichageTexte*>(widget()); }
};

QAccessibleInterface* fabriqueAccessible(const QString& classe, QObject* objet)
{
    if (classe == QLatin1String("AffichageTexte") && objet && objet->isWidgetType())
        return new AffichageAccessible(static_cast<AffichageTexte*>(objet));
    if (classe == QLatin1String("BarreAnnonces") && objet && objet->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(objet), QAccessible::StatusBar);
    if (classe == QLatin1String("ImageControle") && objet && objet->isWidgetType())
        return new ImageAccessible(static_cast<ImageControle*>(objet));
    if (classe == QLatin1String("Annonce") && objet && objet->isWidgetType())
        return new AnnonceAccessible(static_cast<QWidget*>(objet));
    return nullptr;
}

} // namespace

void installerAccessibiliteImages() { QAccessible::installFactory(fabriqueAccessible); }

void ImageControle::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    if (fond_.isValid())
        peintre.fillRect(rect(), fond_);
    if (image().isNull())
        return;
    if (rendu_ == Rendu::Etire)
        peintre.drawPixmap(rect(), image_);
    else
        peintre.drawPixmap(0, 0, image_);
}

void ImageControle::mousePressEvent(QMouseEvent* event)
{
    appuye_ = event->button() == Qt::LeftButton;
}

void ImageControle::mouseReleaseEvent(QMouseEvent* event)
{
    // As with a button: the click counts where the button is released over the image it was pressed on.
    const bool clic = appuye_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    appuye_ = false;
    if (clic)
        Q_EMIT clique();
}

Cadre::Cadre(const QColor& couleur, QWidget* parent)
    : QWidget(parent)
    , couleur_(couleur)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Cadre::paintEvent(QPaintEvent*)
{
    constexpr int epaisseur = 5;
    constexpr qreal rayon = 12;
    QPainter peintre(this);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setPen(QPen(couleur_, epaisseur));
    peintre.setBrush(Qt::NoBrush);
    const qreal demi = epaisseur / 2.0;
    peintre.drawRoundedRect(QRectF(rect()).adjusted(demi, demi, -demi, -demi), rayon, rayon);
}

AffichageTexte::AffichageTexte(const QString& texte, QWidget* parent)
    : QLineEdit(texte, parent)
{
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
}

void AffichageTexte::focusInEvent(QFocusEvent* event)
{
    // The line edit selects its whole text when Tab brings the focus: here the focus comes, nothing else.
    QFocusEvent sansSelection(event->type(), Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&sansSelection);
}

void BoutonImage::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

Annonce::Annonce(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
}

BarreAnnonces::BarreAnnonces(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("barreAnnonces"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
}

void Annonce::annoncer(const QString& texte)
{
    setAccessibleName(texte);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The toolkit hands the screen reader the text itself, as an announcement from the status bar that
    // holds the widget, which is on view: nothing has to appear, and the same text as before is told again.
    QAccessibleAnnouncementEvent annonce(parentWidget() ? parentWidget() : this, texte);
    QAccessible::updateAccessibility(&annonce);
#else
    // A screen reader speaks a notification when it appears, so each text appears anew, even the
    // same text as before: the pupil hears the verdict of every move.
    hide();
    show();
#endif
}
