// Audio files and folders dropped onto the window: one file fills the card being typed,
// more become new cards.
#include "main_window/frmSonoria.h"

#include "archive/Programma.h"

#include "archive/ImportaAudio.h"
#include "main_window/TestiSonoria.h"
#include "platform/Avanzamento.h"
#include "platform/LettoreTag.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

namespace melodora {

using namespace testi_sonoria;

namespace {
    // The texts of dropping, kept here beside the only code that shows them.
    inline const QString TitoloImportazione = titolo(QStringLiteral("Importazione file audio"));
    inline const QString TitoloImportazioneTerminata
        = titolo(QStringLiteral("Importazione terminata"));
    inline const QString TrascinamentoRifiutato
        = QStringLiteral("Sulla finestra si possono trascinare soltanto file audio (MP3, WAV, "
                         "FLAC, Ogg, M4A) o cartelle che li contengono.");
    inline const QString NessunFileAudio
        = QStringLiteral("Le cartelle trascinate non contengono file audio.");
    QString domandaAggiunta(qint64 n)
    {
        return n == 1 ? QStringLiteral("Aggiungere 1 scheda all'archivio?")
                      : QStringLiteral("Aggiungere %1 schede all'archivio?").arg(n);
    }
    QString passoImportazione(qint64 fatti, qint64 totale, const QString& file)
    {
        return QStringLiteral("File %1 di %2: %3")
            .arg(fatti + 1)
            .arg(totale)
            .arg(QFileInfo(file).fileName());
    }
    // A message box lists this many problems at most; the rest are counted.
    constexpr qsizetype kProblemiMostrati = 10;
    QString elencoProblemi(const QList<ProblemaAudio>& problemi)
    {
        QString testo;
        for (qsizetype i = 0; i < problemi.size() && i < kProblemiMostrati; ++i)
            testo += QStringLiteral("\r\n") + descriviProblemaAudio(problemi.at(i));
        if (problemi.size() > kProblemiMostrati)
            testo += QStringLiteral("\r\n... e altri %1.").arg(problemi.size() - kProblemiMostrati);
        return testo;
    }

    /** The dropped paths; empty when something other than local files was dropped. */
    QStringList percorsiTrascinati(const QMimeData* dati)
    {
        QStringList percorsi;
        if (!dati || !dati->hasUrls())
            return {};
        for (const QUrl& url : dati->urls()) {
            if (!url.isLocalFile())
                return {};
            percorsi.append(url.toLocalFile());
        }
        return percorsi;
    }
}

void frmSonoria::dragEnterEvent(QDragEnterEvent* evento)
{
    // Everything is accepted here, so that what cannot be used is refused with a message
    // on the drop rather than by a bare cursor.
    evento->acceptProposedAction();
}

void frmSonoria::dragMoveEvent(QDragMoveEvent* evento) { evento->acceptProposedAction(); }

void frmSonoria::dropEvent(QDropEvent* evento)
{
    evento->acceptProposedAction();
    Form_OLEDragDrop(percorsiTrascinati(evento->mimeData()));
}

bool frmSonoria::trascinamentoSuCampo(QObject* oggetto, QEvent* evento)
{
    // Files dropped onto a field are meant for the window, not as text for the field.
    const auto tipo = evento->type();
    if (tipo != QEvent::DragEnter && tipo != QEvent::DragMove && tipo != QEvent::Drop)
        return false;
    if (oggetto == this || !static_cast<QDropEvent*>(evento)->mimeData()->hasUrls())
        return false;
    if (tipo == QEvent::Drop)
        dropEvent(static_cast<QDropEvent*>(evento));
    else
        static_cast<QDropEvent*>(evento)->acceptProposedAction();
    return true;
}

void frmSonoria::Form_OLEDragDrop(const QStringList& percorsi)
{
    const FileTrovati trovati = trovaFileAudio(percorsi, true);
    if (percorsi.isEmpty() || !trovati.inesistenti.isEmpty() || !trovati.nonAudio.isEmpty()) {
        m_platform.messaggi.mostra(
            this, TrascinamentoRifiutato, TitoloAttenzione, Icona::Esclamazione, Pulsanti::Ok);
        return;
    }
    if (trovati.audio.isEmpty()) {
        m_platform.messaggi.mostra(
            this, NessunFileAudio, TitoloAttenzione, Icona::Informazione, Pulsanti::Ok);
        return;
    }
    const bool unFile = percorsi.size() == 1 && !QFileInfo(percorsi.first()).isDir();
    if (unFile && lblPosizione->text().isEmpty())
        riempiDaTag(trovati.audio.first());
    else
        aggiungiFileAudio(trovati.audio);
}

void frmSonoria::riempiDaTag(const QString& percorso)
{
    TagAudio tag;
    QList<ProblemaAudio> problemi;
    ProblemaAudio illeggibile;
    Scheda scheda;
    if (!m_platform.tag.leggi(percorso, tag, illeggibile.errore)) {
        illeggibile.file = percorso;
        illeggibile.tipo = ProblemaAudio::Tipo::Illeggibile;
        problemi.append(illeggibile);
    } else {
        // Only empty fields are filled: what the user typed stays. Nothing is saved: the
        // user reviews the card and saves it.
        schedaDaTag(percorso, tag, scheda, problemi);
        auto riempi = [&](QLineEdit* e, Campo c) {
            if (e->text().trimmed().isEmpty()) {
                e->setText(scheda.testo(c));
                e->setCursorPosition(0);
            }
        };
        riempi(txtBrano, Campo::Brano);
        riempi(txtArtista, Campo::Artista);
        riempi(txtAlbum, Campo::Album);
        riempi(txtGenere->lineEdit(), Campo::Genere);
        riempi(txtAnno, Campo::Anno);
        if (txtTesto->toPlainText().trimmed().isEmpty())
            mostraTesto(scheda);
        riempi(txtMP3, Campo::MP3);
    }
    if (!problemi.isEmpty())
        m_platform.messaggi.mostra(this, elencoProblemi(problemi).mid(2), TitoloAttenzione,
            Icona::Informazione, Pulsanti::Ok);
}

void frmSonoria::aggiungiFileAudio(const QStringList& file)
{
    const qint64 totale = file.size();
    if (m_platform.messaggi.mostra(
            this, domandaAggiunta(totale), TitoloConferma, Icona::Domanda, Pulsanti::SiNo)
        != Risposta::Si)
        return;
    ImportazioneAudio esito;
    Esito e;
    {
        const auto avanzamento = m_platform.avanzamento.apri(this, TitoloImportazione, totale);
        e = importaAudio(file, percorsoArchivio(), m_platform.file, m_platform.tag, false, esito,
            [&avanzamento](qint64 fatti, qint64 tutti, const QString& corrente) {
                return avanzamento->aggiorna(
                    fatti, fatti < tutti ? passoImportazione(fatti, tutti, corrente) : QString());
            });
    }
    if (archivioOccupato(e))
        return;
    if (!e) {
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(
            this, ErroreSalvataggio, TitoloErrore, Icona::Nessuna, Pulsanti::Ok);
        return;
    }
    if (esito.annullata)
        return;
    if (!esito.schede.isEmpty()) {
        CloseAudio();
        MostraScheda(esito.primo, esito.schede.first());
    }
    // Said only when not every file became a card, or a value was changed.
    if (esito.duplicati == 0 && esito.rifiutati == 0 && esito.problemi.isEmpty())
        return;
    const qint64 n = esito.schede.size();
    QString testo = n == 0 ? QStringLiteral("Nessuna scheda è stata aggiunta all'archivio.")
        : n == 1           ? QStringLiteral("1 scheda è stata aggiunta all'archivio.")
                           : QStringLiteral("%1 schede sono state aggiunte all'archivio.").arg(n);
    if (esito.duplicati > 0)
        testo += QStringLiteral(" File già in archivio, non aggiunti: %1.").arg(esito.duplicati);
    if (esito.rifiutati > 0)
        testo += QStringLiteral(" File non importati: %1.").arg(esito.rifiutati);
    if (!esito.problemi.isEmpty())
        testo += Separatore + QStringLiteral("Valori modificati o non importati:")
            + elencoProblemi(esito.problemi);
    m_platform.messaggi.mostra(
        this, testo, TitoloImportazioneTerminata, Icona::Informazione, Pulsanti::Ok);
}

} // namespace melodora
