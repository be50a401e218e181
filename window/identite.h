#pragma once

#include "pesarine_config.h"

// Who made the program, as it tells the pupil: on the window's caption, on the scale's maker's plate
// and in the about box.
#define PESARINE_AUTEUR "Hortense Bauzière"
#define PESARINE_INITIALES "HB"
#define PESARINE_MARQUE "Fléau"
#define PESARINE_COURRIEL "hortense.bauziere@example.org"
