#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>

// The value of the number at the start of a text. Spaces, tabs, line feeds and carriage returns are
// skipped anywhere; then an optional sign, digits with at most one '.', and an optional exponent
// (E or e, optional sign, digits). The comma never counts, whatever the locale. A text with no
// number at its start gives 0. Too large an exponent gives an infinity, too small a zero, as a
// double would. Correctly rounded, in time linear in the length of the text.
double lireNombre(QStringView texte);

// The plain form in the given locale: its decimal separator, no group separator, no trailing
// zeros, at most 15 significant digits (2.5 is "2,5" in French). Digits and the minus sign are
// ASCII whatever the locale.
QString formeSimple(double valeur, const QLocale& locale);

// The plain form, with one space where the sign would stand when the value is not negative.
QString formeSignee(double valeur, const QLocale& locale);

// An elapsed time as "hh:mm:ss" with the locale's time separator; whole days are dropped and a
// negative time shows as 00:00:00.
QString formeDuree(std::int64_t secondes, const QLocale& locale);
