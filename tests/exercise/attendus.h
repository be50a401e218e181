#pragma once

#include "etat.h"
#include "fausses_commandes.h"

#include <array>

// What the exercise must show, written out apart from the exercise's own code.

inline constexpr std::array<int, nombrePoids> massesDeLaBoite { 500, 200, 100, 100, 50, 20, 10, 10, 5, 2, 2, 1 };

inline const QString blanc = texteCouleur(couleurs::blanc);
inline const QString vert = texteCouleur(couleurs::vert);
inline const QString rouge = texteCouleur(couleurs::rouge);
inline const QString jaune = texteCouleur(couleurs::jaune);

inline const QString inviteReponse = QStringLiteral("Tu as réussi à équilibrer la balance, Bravo !\n\r"
                                                    "Calcule et tape la masse du paquet en grammes:");
inline const QString titreReponse = QStringLiteral("La balance est équilibrée, BRAVO!");
inline const QString inviteMaximum = QStringLiteral("Tapez le poids maximum autorisé: (entre 2 et 1000)");
inline const QString titreMaximum = QStringLiteral("Poids maximum autorisé");

// The picture that weight i holds when the window opens.
inline QString poids(int i) { return QStringLiteral("poids %1").arg(i); }
