#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;
class QUrl;

namespace melodora {

class FileOps;
class LettoreTag;
class PrintSurface;
class ProgressService;

/** The icon of a message box. */
enum class Icona { Nessuna, Esclamazione, Informazione, Domanda, Critica };
/** The buttons of a message box. */
enum class Pulsanti { Ok, OkAnnulla, SiNo };
/** The button the user chose. */
enum class Risposta { Ok, Annulla, Si, No };

/** Modal message boxes and the system beep. */
class MessageService {
public:
    virtual ~MessageService() = default;
    /** Shows a modal box and waits for the user's choice. Yes is the default of Yes/No. */
    virtual Risposta mostra(QWidget* parent, const QString& testo, const QString& titolo,
        Icona icona, Pulsanti pulsanti)
        = 0;
    virtual void beep() = 0;
};

/** The program-wide help file and the viewer that F1 opens. */
class HelpService {
public:
    virtual ~HelpService() = default;
    /** Sets the help file that the next F1 opens (every window sets it when it loads). */
    virtual void impostaFileGuida(const QString& percorso) = 0;
    virtual QString fileGuida() const = 0;
    /** Shows the help file at its contents; a missing file is reported by the viewer. */
    virtual void mostraGuida(QWidget* parent) = 0;
};

/** Keystrokes queued to the active window, as if typed: "{Tab}", "{F1}". */
class KeyService {
public:
    virtual ~KeyService() = default;
    /** Queues the keys and returns without waiting for them to be handled. */
    virtual void inviaTasti(const QString& tasti) = 0;
};

/** The open-file dialog. */
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    /**
     * Shows a modal open-file dialog with @p titolo, opening in @p cartella, offering
     * @p filtri in order (the first selected). Returns the chosen full path, or an
     * empty string when the user cancels.
     */
    virtual QString scegliFile(
        QWidget* parent, const QString& titolo, const QString& cartella, const QStringList& filtri)
        = 0;
};

/**
 * Audio playback by command strings: "play " + path opens the file when needed and
 * starts or resumes it without waiting, "pause " + path holds it, "close " + path stops
 * and releases it. Each path is its own device, so two windows can each have one.
 * Failures (a missing or unplayable file) are reported to the user by the service itself.
 */
class MediaService {
public:
    virtual ~MediaService() = default;
    virtual void mciExecute(const QString& comando) = 0;
    /** The path unchanged for an existing file, the empty string for a missing one. */
    virtual QString shortPath(const QString& percorso) = 0;
};

/** The speakers' volume control of the system mixer. */
struct ControlloVolume {
    QString nome; ///< the mixer element, e.g. "Master"
    long minimo = 0;
    long massimo = 0;
};

/** One opened mixer. */
class Mixer {
public:
    virtual ~Mixer() = default;
    /** The speakers' playback volume control, or none when the mixer has none. */
    virtual std::optional<ControlloVolume> controlloVolume() = 0;
    /**
     * The control's current value, as others may have left it (its loudest channel when the
     * channels differ); none when the mixer cannot tell.
     */
    virtual std::optional<long> leggiVolume(const ControlloVolume& controllo) = 0;
    /** Sets the control to @p valore on every channel; false when the mixer refuses. */
    virtual bool impostaVolume(const ControlloVolume& controllo, long valore) = 0;
};

/** Opens the system mixer. */
class MixerService {
public:
    virtual ~MixerService() = default;
    /** The default mixer, or null when it cannot be opened. */
    virtual std::unique_ptr<Mixer> apri() = 0;
};

/** The default printer. */
class PrinterService {
public:
    virtual ~PrinterService() = default;
    /** The default printer's device name (a PDF file's path when there is no printer). */
    virtual QString nomeDispositivo() = 0;
    /** A fresh document on the default printer, or null when it cannot be started. */
    virtual std::unique_ptr<PrintSurface> nuovoDocumento() = 0;
};

/** Hands a URL to the desktop (mail client, browser). */
class ShellService {
public:
    virtual ~ShellService() = default;
    /** False when no handler could be started. */
    virtual bool apriUrl(const QUrl& url) = 0;
};

/**
 * Every service the windows use, handed to each window as a required constructor
 * argument. The program builds it from the real implementations, tests from fakes.
 */
struct Platform {
    MessageService& messaggi;
    HelpService& guida;
    KeyService& tasti;
    FileDialogService& dialoghi;
    MediaService& media;
    MixerService& mixer;
    PrinterService& stampante;
    ShellService& shell;
    FileOps& file;
    const LettoreTag& tag; ///< the tags of dropped audio files
    ProgressService& avanzamento;
};

} // namespace melodora
