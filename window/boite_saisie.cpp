#include "boite_saisie.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A key of the pad. It takes no focus, so a click leaves the caret, the selection and the keyboard in the
// field, and it is never a default button, so Enter still chooses OK.
QPushButton* touche(const QString& legende, const QString& nom, QWidget* parent)
{
    auto* bouton = new QPushButton(legende, parent);
    bouton->setObjectName(nom);
    bouton->setFocusPolicy(Qt::NoFocus);
    bouton->setAutoDefault(false);
    bouton->setDefault(false);
    bouton->setMinimumSize(BoiteSaisie::coteTouche, BoiteSaisie::coteTouche);
    bouton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QFont police = bouton->font();
    police.setPointSizeF(police.pointSizeF() * 1.5);
    police.setBold(true);
    bouton->setFont(police);
    return bouton;
}

} // namespace

BoiteSaisie::BoiteSaisie(const QString& invite, const QString& titre, const QString& propose, QWidget* parent)
    : QDialog(parent)
    , invite_(new QLabel(invite, this))
    , champ_(new QLineEdit(propose, this))
{
    setWindowTitle(titre);
    invite_->setTextFormat(Qt::PlainText);
    invite_->setBuddy(champ_);
    // A screen reader names the field by what it asks, and says the prompt as the box opens.
    champ_->setAccessibleName(QString(invite).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    champ_->setObjectName(QStringLiteral("champ"));
    champ_->selectAll();

    auto* pave = new QGridLayout;
    pave->setSpacing(6);
    // As on a calculator: 7 8 9 on top, 0 at the bottom beside the erase key.
    for (int chiffre = 1; chiffre <= 9; ++chiffre) {
        const QChar c(QLatin1Char(char('0' + chiffre)));
        QPushButton* bouton = touche(QString(c), QStringLiteral("touche%1").arg(chiffre), this);
        bouton->setAccessibleName(QString(c));
        connect(bouton, &QPushButton::clicked, this, [this, c] { taperChiffre(c); });
        pave->addWidget(bouton, 2 - (chiffre - 1) / 3, (chiffre - 1) % 3);
    }
    QPushButton* zero = touche(QStringLiteral("0"), QStringLiteral("touche0"), this);
    zero->setAccessibleName(QStringLiteral("0"));
    connect(zero, &QPushButton::clicked, this, [this] { taperChiffre(QLatin1Char('0')); });
    pave->addWidget(zero, 3, 0, 1, 2);
    zero->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QPushButton* efface = touche(QStringLiteral("\u232B"), QStringLiteral("effacer"), this);
    efface->setAccessibleName(QStringLiteral("Effacer"));
    efface->setToolTip(QStringLiteral("Effacer"));
    connect(efface, &QPushButton::clicked, this, &BoiteSaisie::effacer);
    pave->addWidget(efface, 3, 2);

    // Made after the pad, so that a screen reader goes through the digits before OK and "Annuler".
    boutons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons_->setObjectName(QStringLiteral("boutons"));
    connect(boutons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(invite_);
    colonne->addWidget(champ_);
    colonne->addLayout(pave);
    colonne->setAlignment(pave, Qt::AlignHCenter);
    colonne->addWidget(boutons_);
    colonne->setSizeConstraint(QLayout::SetFixedSize);
    champ_->setFocus();
}

QString BoiteSaisie::invite() const { return invite_->text(); }

QString BoiteSaisie::texte() const { return champ_->text(); }

// The same edits as the keys typed: a digit replaces the selection or goes in at the caret.
void BoiteSaisie::taperChiffre(QChar chiffre) { champ_->insert(QString(chiffre)); }

void BoiteSaisie::effacer() { champ_->backspace(); }
