#pragma once

#include <QAbstractNativeEventFilter>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <array>
#include <map>
#include <optional>
#include <vector>

class QKeyEvent;

// What the X server says of each key, from its own key events: whether the key is down, and for each
// press whether it is a repeat. A key held down repeats either as presses with no release between them,
// or as a release and a press that bear the same time stamp; a deliberate press follows a release that
// came earlier. The server's time stamps and order are the whole rule: no time window is guessed.
class SuiviTouchesX {
public:
    // The press of a key at a server time; true when it is the repeat of a key held down.
    bool appui(quint32 code, quint32 moment);
    void relache(quint32 code, quint32 moment);
    // The server says that the key is up now: its release went to a window of another program.
    void oublier(quint32 code);
    bool enfoncee(quint32 code) const;
    // What appui() said of this press, if it saw it.
    std::optional<bool> jugement(quint32 code, quint32 moment) const;
    std::vector<quint32> enfoncees() const;

private:
    struct Appui {
        quint32 moment = 0;
        bool repetition = false;
    };
    struct Touche {
        bool enfoncee = false;
        std::optional<quint32> relachee; // the time stamp of its last release
        // The last presses judged, for the toolkit's key events that come after the server's.
        std::array<Appui, 8> appuis {};
        std::size_t prochain = 0;
    };
    std::map<quint32, Touche> touches_;
};

// Return, Enter, Space and Escape close the boxes and move the weights: each acts once per press,
// however long the key is held, and every press that follows a release acts, however soon. Under X
// the toolkit misses some repeats (a release and a press read apart), and the release of a press
// that closed a box goes to a window that is hidden or blocked by the next box: the toolkit drops it.
// So the X server's own key events decide, read through the toolkit's native event filter, which sees
// them all (SuiviTouchesX). Elsewhere (Wayland, other systems) and for synthesized keys, the toolkit's
// repeat mark decides. This filter sees every key event of the program and drops the repeats of these
// keys. It also tells when the pupil first uses the keyboard, from which moment the focus is marked.
class FiltreClavier : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    FiltreClavier();
    ~FiltreClavier() override;

    bool clavierUtilise() const { return clavierUtilise_; }

    static bool toucheQuiValide(int touche);

    bool nativeEventFilter(const QByteArray& genre, void* message, qintptr* resultat) override;

Q_SIGNALS:
    void premiereTouche();

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    bool juger(const QKeyEvent* touche);
    void demanderAuServeur();

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
    bool serveurX_ = false;
    SuiviTouchesX x_;
    bool clavierUtilise_ = false;
};

// The mark around the focused weight, button or display, thick and in two colours so that it stands out
// on white, on the bright green of the scale and on every grey of the weights: a dark blue ring outside,
// a yellow one inside. It lets every click through. Where the ring would cover the text of another
// control, that side of it is drawn inside the control's edge instead.
class MarqueFocus : public QWidget {
public:
    static constexpr int bleu = 3; // pixels
    static constexpr int jaune = 2;
    static constexpr int marge = bleu + jaune;
    static constexpr QRgb couleurBleue = 0x0000a0;
    static constexpr QRgb couleurJaune = 0xffd700;

    explicit MarqueFocus(QWidget* parent);

    // Draws the mark around a sibling widget, or hides it.
    void suivre(QWidget* cible);

    // Where the text of a sibling stands, which no mark may cover; empty for a control without text.
    static QRect placeDuTexte(const QWidget* w);

protected:
    void paintEvent(QPaintEvent* event) override;
};
