#pragma once

#include "lists/MemoriaGrande.h"

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

#include <span>
#include <vector>

namespace melodora {

/**
 * The order in which the list windows show their entries: alphabetical as an Italian reader
 * expects it (ICU's Italian collation), without regard to case. Blanks and punctuation count
 * and come before digits, which come before letters; an accented letter sorts beside its
 * base letter, after it; æ, œ, ß read as ae, oe, ss. Texts equal without regard to case put
 * lower case first, and texts equal even then go by their code units, so the order is total.
 */
int confrontaAlfabetico(QStringView a, QStringView b);

/** True when @p a comes before @p b in that order. */
inline bool precedeAlfabetico(QStringView a, QStringView b)
{
    return confrontaAlfabetico(a, b) < 0;
}

/** Positions in a list, as many as its entries. */
using Posizioni = std::vector<qsizetype, AllocatoreGrande<qsizetype>>;

/**
 * The positions of @p testi in that order; equal texts keep the order they have. A long list
 * costs little more than reading it.
 */
Posizioni ordineAlfabetico(const QStringList& testi);

/**
 * The same for texts in the archive's code page, one byte a character: ordered from their
 * bytes, each decoded only where its first characters do not tell it from another.
 */
Posizioni ordineAlfabetico(std::span<const QByteArrayView> testi);

/** Sorts the entries in that order. */
void ordinaAlfabetico(QStringList& voci);

} // namespace melodora
