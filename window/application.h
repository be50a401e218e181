#pragma once

class QApplication;

// Verdana and Arial are rarely installed on a free desktop: a close free sans-serif stands in for
// them, at the same point sizes.
void substituerPolices();

// The program's identity, and the toolkit's own texts (Cancel, OK...) in French whatever the user's
// locale, as the rest of the program speaks French.
void preparerApplication(QApplication& application);
