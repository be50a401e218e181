#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>

// An image of the window: its picture stretched to its rectangle, or, for a small picture box, shown
// unscaled from its top-left corner on a background colour. A click anywhere on its rectangle is
// reported, whether it holds a picture or not.
class ImageControle : public QWidget {
    Q_OBJECT

public:
    enum class Rendu { Etire, Brut };

    explicit ImageControle(Rendu rendu, QWidget* parent = nullptr);

    const QPixmap& image() const;
    void definirImage(const QPixmap& image);
    // The picture is decoded when it is first shown or handed over, not at start-up.
    void definirRessource(const QString& chemin);
    void definirFond(const QColor& fond);
    QColor fond() const { return fond_; }

    // Whether a click on it does something, so that assistive technologies offer to press it.
    bool cliquable() const;
    // A weight stands here: a click on it moves it, and the keyboard and screen readers may reach it.
    bool tientUnPoids() const;

Q_SIGNALS:
    void clique();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Rendu rendu_;
    mutable QString ressource_; // not decoded yet
    mutable QPixmap image_;
    QColor fond_; // invalid: transparent
    bool appuye_ = false;
};

// Lets a screen reader name the images and press those that take clicks, as a pupil clicks them.
void installerAccessibiliteImages();

// The frame around the working area; it lies in front of the plate's edges but lets clicks through.
class Cadre : public QWidget {
public:
    Cadre(const QColor& couleur, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor couleur_;
};

// A display that the program writes and the pupil only reads. Reached with Tab, it selects nothing, so
// that its text keeps its colour and a screen reader hears no selection: its label, then its value.
class AffichageTexte : public QLineEdit {
    Q_OBJECT

public:
    AffichageTexte(const QString& texte, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

// A picture button, icon above caption, that Return and Enter press as well as Space.
class BoutonImage : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Says a short text to a screen reader each time it is given one, whatever has the focus: the window
// tells the verdict through it after every move. It shows nothing on the screen. It stands in a
// status bar of its own, equally unseen, for a screen reader speaks a message of a status bar without
// saying "notification" before each verdict.
class Annonce : public QWidget {
    Q_OBJECT

public:
    explicit Annonce(QWidget* parent = nullptr);

    void annoncer(const QString& texte);
};

class BarreAnnonces : public QWidget {
    Q_OBJECT

public:
    explicit BarreAnnonces(QWidget* parent = nullptr);
};
