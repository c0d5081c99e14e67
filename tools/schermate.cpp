// Draws every window of the program, as a user sees it, into PNG files: run by
// scripts/screenshot.sh under a private X server, on a small sample archive.
//   melodora_schermate CARTELLA_DEL_PROGRAMMA CARTELLA_DELLE_IMMAGINI
// The program's folder holds Sonoria.sng and Sonoria.hlp. The services that would reach the
// system (mixer, printer, mail) are stand-ins, so the pictures do not depend on the machine.
#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
#include "audio/frmVolume.h"
#include "lists/frmElencoURL.h"
#include "lists/frmFindInviata.h"
#include "mail_about/Autore.h"
#include "mail_about/frmEmail.h"
#include "main_window/frmSonoria.h"
#include "platform/ServiziQt.h"
#include "printing/StampaScheda.h"
#include "printing/frmStampa.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextStream>
#include <QThread>

using namespace melodora;

namespace {

QString g_uscita;
bool g_riuscito = true;

// Shows @p w, lets it settle and draws it into NAME.png.
void fotografa(QWidget* w, const QString& nome)
{
    w->show();
    w->raise();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    const QString file = g_uscita + QLatin1Char('/') + nome + QStringLiteral(".png");
    if (!w->grab().save(file)) {
        QTextStream(stderr) << "impossibile scrivere " << file << "\n";
        g_riuscito = false;
    }
    w->hide();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/img/melodora.png")));
    if (argc != 3) {
        QTextStream(stderr)
            << "uso: melodora_schermate CARTELLA_DEL_PROGRAMMA CARTELLA_DELLE_IMMAGINI\n";
        return 2;
    }
    impostaCartellaProgramma(QString::fromLocal8Bit(argv[1]));
    g_uscita = QString::fromLocal8Bit(argv[2]);
    test::FakePlatform finta;
    const auto nessuna = [](qint64, const Scheda&) {};

    // The main window with the first card on display.
    frmSonoria principale(finta.platform);
    principale.cmdPrimo_Click();
    fotografa(&principale, QStringLiteral("principale"));

    // The search window after a search by title.
    {
        frmFindInviata cerca(finta.platform, nessuna);
        cerca.txtFindQual->setText(QStringLiteral("C"));
        cerca.cmdMittente_Click();
        fotografa(&cerca, QStringLiteral("ricerca"));
    }
    {
        frmElencoURL elenco(finta.platform, nessuna);
        fotografa(&elenco, QStringLiteral("elenco-audio"));
    }
    {
        frmVolume volume(finta.platform);
        fotografa(&volume, QStringLiteral("volume"));
    }
    {
        Scheda prima;
        auto archivio = ArchivioSchede::apri(
            AppFilePath(QString::fromLatin1(kNomeArchivio)), finta.platform.file);
        if (!archivio || !archivio->LeggiScheda(1, prima).ok) {
            QTextStream(stderr) << "l'archivio d'esempio non si legge\n";
            return 1;
        }
        frmStampa stampa(finta.platform, testiDaScheda(prima), nullptr);
        fotografa(&stampa, QStringLiteral("stampa"));
    }
    {
        // As the about window opens it, addressed to the author.
        frmEmail posta(finta.platform);
        posta.txtIndirizzo->setText(Autore::IndirizzoSupporto);
        posta.txtOggetto->setText(Autore::OggettoEmail);
        fotografa(&posta, QStringLiteral("email"));
    }
    {
        Autore autore(finta.platform, [&finta] { return new frmSonoria(finta.platform); });
        fotografa(&autore, QStringLiteral("informazioni"));
    }

    // The help window, as F1 opens it.
    QtHelpService guida;
    guida.impostaFileGuida(AppFilePath(QStringLiteral("Sonoria.hlp")));
    guida.mostraGuida(nullptr);
    QWidget* finestraGuida = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("finestraGuida"))
            finestraGuida = w;
    if (!finestraGuida) {
        QTextStream(stderr) << "la finestra della guida non si è aperta\n";
        return 1;
    }
    fotografa(finestraGuida, QStringLiteral("guida"));
    return g_riuscito ? 0 : 1;
}
