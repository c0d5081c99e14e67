#pragma once

#include <QStringList>
#include <QStringView>

namespace melodora {

/**
 * The order in which the list windows show their entries: alphabetical as an Italian reader
 * expects it, without regard to case.
 *
 * Three levels, each deciding only when the ones before are equal over the whole text:
 *  1. characters by class, then within the class: blanks and punctuation (by code, so a blank
 *     comes first) before digits before letters; letters by their base letter (à, á, â, ä
 *     beside a; æ, œ, ß as ae, oe, ss);
 *  2. accents: the plain letter before its accented forms;
 *  3. case: lower before upper.
 * Texts equal on all three are ordered by their code units, so the order is total.
 * Blanks and punctuation are never ignored: "Rock - Uno" comes before "Rock and Roll".
 */
int confrontaAlfabetico(QStringView a, QStringView b);

/** True when @p a comes before @p b in that order. */
inline bool precedeAlfabetico(QStringView a, QStringView b)
{
    return confrontaAlfabetico(a, b) < 0;
}

/** Sorts the entries in that order. */
void ordinaAlfabetico(QStringList& voci);

} // namespace melodora
