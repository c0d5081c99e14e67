#pragma once

#include <QString>

namespace melodora {

/**
 * The program's folder joined with @p nome: a separator is put between them only
 * when the folder does not already end in one. Every file the program keeps next to
 * itself (Sonoria.sng, Schede.tmp, Sonoria.hlp, starman.gif) is named this way.
 */
QString AppFilePath(const QString& nome);

/** The folder of the running executable, or the one set by impostaCartellaProgramma. */
QString cartellaProgramma();

/**
 * Points AppFilePath at another folder; an empty string goes back to the executable's
 * folder. Tests use it to work in a temporary folder.
 */
void impostaCartellaProgramma(const QString& cartella);

} // namespace melodora
