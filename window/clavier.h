#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <map>

class QKeyEvent;

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
    bool juger(const QKeyEvent* touche);

    struct Vu {
        const QEvent* event = nullptr;
        QEvent::Type type = QEvent::None;
        int touche = 0;
        quint32 code = 0;
        quint64 moment = 0;
        friend bool operator==(const Vu&, const Vu&) = default;
    };
    Vu dernier_;
    bool ecarte_ = false;
    QElapsedTimer horloge_;
    std::map<quint32, qint64> enfoncees_; // scan code of each key held down -> when it was last pressed, in ms
    std::map<quint32, qint64> relachees_; // scan code -> when it was last released, in ms
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
