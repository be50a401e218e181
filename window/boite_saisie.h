#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// The box that asks the pupil for a number: a prompt, a field holding the proposed text selected, a pad of
// large digit keys for a touch screen without a keyboard, and OK and "Annuler". A key of the pad edits the
// field as the same key typed would, and never takes the focus from it, so that typing goes on and Enter
// still chooses OK.
class BoiteSaisie : public QDialog {
    Q_OBJECT

public:
    BoiteSaisie(
        const QString& invite, const QString& titre, const QString& propose, QWidget* parent = nullptr);

    QString invite() const;
    QString texte() const;

    // Side of a key of the pad, in pixels: enough for a finger on a whiteboard.
    static constexpr int coteTouche = 56;

private:
    void taperChiffre(QChar chiffre);
    void effacer();

    QLabel* invite_;
    QLineEdit* champ_;
    QDialogButtonBox* boutons_ = nullptr;
};
