#pragma once

#include <QObject>
#include <QWidget>

#include <map>

// Return, Enter, Space and Escape close the boxes and move the weights: each acts once per press,
// however long the key is held. The toolkit marks most repeats of a held key, but under X it misses
// some: the X server repeats a key as a release and a press bearing the same time stamp, and when the
// two are not read together the press passes for a new one, often in the box that has just opened.
// This filter sees every key event of the program and drops the repeats of these keys, marked or not.
// It also tells when the pupil first uses the keyboard, from which moment the focus is marked.
class FiltreClavier : public QObject {
    Q_OBJECT

public:
    FiltreClavier();
    ~FiltreClavier() override;

    bool clavierUtilise() const { return clavierUtilise_; }

    static bool toucheQuiValide(int touche);

Q_SIGNALS:
    void premiereTouche();

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    std::map<quint32, quint64> relachements_; // key's scan code -> time stamp of its last release
    bool clavierUtilise_ = false;
};

// The mark around the focused weight or button, thick and in two colours so that it stands out on
// white, on the bright green of the scale and on every grey of the weights: a dark blue ring outside,
// a yellow one inside. It lets every click through.
class MarqueFocus : public QWidget {
public:
    static constexpr int bleu = 3; // pixels
    static constexpr int jaune = 2;
    static constexpr QRgb couleurBleue = 0x0000a0;
    static constexpr QRgb couleurJaune = 0xffd700;

    explicit MarqueFocus(QWidget* parent);

    // Draws the mark around a sibling widget, or hides it.
    void suivre(QWidget* cible);

protected:
    void paintEvent(QPaintEvent* event) override;
};
