#pragma once

#include <QString>

namespace melodora {

/** The program's name and version, as the captions and message titles show them. */
inline constexpr char kNomeProgramma[] = "Melodora 1.0";

/** A message title: the program's name, a dash and @p intestazione. */
inline QString titolo(const QString& intestazione)
{
    return QLatin1String(kNomeProgramma) + QStringLiteral(" - ") + intestazione;
}

} // namespace melodora
