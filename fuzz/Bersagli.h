#pragma once

#include <QByteArray>
#include <QString>

namespace melodora::fuzz {

/**
 * Runs one input through a target. Returns false, with what went wrong in @p difetto,
 * when a property the code promises does not hold; crashes and sanitizer reports are
 * found by the fuzzer itself. The regression test replays the same functions.
 */
using Prova = bool (*)(const QByteArray& dati, QString& difetto);

#define BERSAGLIO(nome) bool prova_##nome(const QByteArray& dati, QString& difetto);
#include "bersagli.def"
#undef BERSAGLIO

struct Bersaglio {
    const char* nome;
    Prova prova;
};

inline constexpr Bersaglio kBersagli[] = {
#define BERSAGLIO(nome) { #nome, &prova_##nome },
#include "bersagli.def"
#undef BERSAGLIO
};

} // namespace melodora::fuzz
