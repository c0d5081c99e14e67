#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QPointer>

class QDialog;

namespace melodora {

/** Message boxes through QMessageBox; the beep through QApplication::beep. */
class QtMessageService : public MessageService {
public:
    Risposta mostra(QWidget* parent, const QString& testo, const QString& titolo, Icona icona,
        Pulsanti pulsanti) override;
    void beep() override;
};

/** The help file shown as an HTML document in a window of its own. */
class QtHelpService : public HelpService {
public:
    ~QtHelpService() override;
    void impostaFileGuida(const QString& percorso) override;
    QString fileGuida() const override { return m_file; }
    void mostraGuida(QWidget* parent) override;

private:
    QString m_file;
    QPointer<QDialog> m_finestra;
};

/** Key events posted to the focus widget of the active window. */
class QtKeyService : public KeyService {
public:
    void inviaTasti(const QString& tasti) override;
};

/** QFileDialog, Qt's own (not the desktop's) so that the title and filters show as given. */
class QtFileDialogService : public FileDialogService {
public:
    QString scegliFile(QWidget* parent, const QString& titolo, const QString& cartella,
        const QStringList& filtri) override;
};

/**
 * A mailto: address goes to the desktop's default mail program (its desktop entry, found
 * with xdg-mime), started directly: false when there is none or it cannot be started.
 * Other addresses go through QDesktopServices::openUrl. Never a shell command line.
 */
class QtShellService : public ShellService {
public:
    bool apriUrl(const QUrl& url) override;
};

/**
 * Opens the help viewer on F1 in any window of the program. Installed on the
 * application by main().
 */
class FiltroF1 : public QObject {
    Q_OBJECT
public:
    explicit FiltroF1(HelpService& guida, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    HelpService& m_guida;
};

} // namespace melodora
