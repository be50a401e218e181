#pragma once

#include <QString>

#include <array>
#include <cstdint>

inline constexpr int nombrePoids = 12;

// The memory of the exercise. Where each weight lies is not here: the window's images hold it (a
// weight is on the plate exactly when its plate place holds a picture).
struct EtatExercice {
    std::array<int, nombrePoids> masses {};
    std::int32_t reussies = 0;
    int paquet = 0;
    std::int32_t erreurs = 0;
    std::int64_t debut = 0; // local date-time of the series' start, in seconds
    std::int64_t duree = 0; // seconds from debut to the last tick
    double rendement = 0.0; // successful weighings per minute, cut to hundredths
    double maximum = 0.0; // 0 until the first start or the first change
    QString saisie;
};
