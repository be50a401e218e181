#pragma once

class QApplication;

// The family that the window's own texts are written in. Its faces travel inside the program, so that
// these texts look the same whichever fonts a machine has; the menu bar and the boxes keep the desktop's.
inline constexpr const char* familleDesControles = "DejaVu Sans";

// Registers the program's own faces, and lets them stand in for Verdana and Arial, which a free desktop
// rarely has, at the same point sizes.
void substituerPolices();

// The program's identity, and the toolkit's own texts (Cancel, OK...) in French whatever the user's
// locale, as the rest of the program speaks French.
void preparerApplication(QApplication& application);
