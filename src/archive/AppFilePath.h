#pragma once

#include <QString>

namespace melodora {

/** The two folders the program's files live in. */
struct CartelleProgramma {
    QString dati; ///< the files it writes: Sonoria.sng, Schede.tmp, starman.gif
    QString guida; ///< the files it ships and only reads: Sonoria.hlp
};

/**
 * Where the program's files are, decided once for every window and melodora-cli.
 * Installed as a package, the program's folder (/usr/bin) is not the user's: the help
 * file is the installed ../share/melodora/Sonoria.hlp and the user's files go to
 * @p datiUtente/Melodora (~/.local/share/Melodora). A build, or an installed folder
 * copied anywhere, has no such share/melodora and keeps everything next to the program.
 */
CartelleProgramma cartelleProgramma(const QString& cartellaEseguibile, const QString& datiUtente);

/**
 * The program's folder joined with @p nome: a separator is put between them only
 * when the folder does not already end in one. Every file the program keeps (Sonoria.sng,
 * Schede.tmp, Sonoria.hlp, starman.gif) is named this way; the folder is the one
 * cartelleProgramma gives for that file, created when it is the user's data folder.
 */
QString AppFilePath(const QString& nome);

/** The folder of the user's files (see cartelleProgramma), or the one set below. */
QString cartellaProgramma();

/**
 * Points AppFilePath at one folder for every file; an empty string goes back to the
 * folders of cartelleProgramma. Tests use it to work in a temporary folder.
 */
void impostaCartellaProgramma(const QString& cartella);

} // namespace melodora
