#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace melodora {

/** A program to start: its name or path, its arguments and its working folder. */
struct RigaDiComando {
    QString programma;
    QStringList argomenti;
    QString cartella; ///< empty: the current folder
    bool terminale = false; ///< the entry asks for a terminal to run in
};

/**
 * The desktop entry (a ".desktop" file id) that the desktop opens URLs of @p schema with,
 * as `xdg-mime query default x-scheme-handler/<schema>` answers, run as a program, never
 * through a shell: an empty string when the desktop names none, no value when xdg-mime
 * cannot be run at all.
 */
std::optional<QString> gestorePredefinito(const QString& schema);

/** The path of the desktop entry with id @p id in the applications folders, or empty. */
QString fileDesktop(const QString& id);

/**
 * The command line that the desktop entry at @p percorso gives for opening @p url, read
 * from its Exec key as desktop entries define it (quoting, escapes, field codes; the URL
 * appended when the line has no place for it). No value when the entry cannot open it:
 * unreadable, hidden, without Exec, or with a TryExec program that is not installed.
 */
std::optional<RigaDiComando> comandoDesktop(const QString& percorso, const QString& url);

} // namespace melodora
