#include "platform/StampanteQt.h"

#include "archive/Programma.h"

#include "platform/FileCompleto.h"
#include "platform/PrintSurface.h"
#include "platform/Twips.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <algorithm>

namespace melodora {

namespace {
    constexpr double kTwipsPerPunto = 20.0;
    // The border a sheet printer cannot reach (a sixth of an inch, 240 twips): the PDF
    // keeps it, so that its pages look like the paper ones.
    constexpr double kMarginePdfPunti = 12;

    // The layouts name the fonts of the systems they were designed on; the Liberation
    // fonts have the same metrics, so lines break where they would there.
    void sostituisciFont()
    {
        static const bool fatto = [] {
            QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
            QFont::insertSubstitution(
                QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
            return true;
        }();
        Q_UNUSED(fatto);
    }

    /**
     * The @p i-th name (from 1) for a printout started at @p inizio in @p cartella: the date
     * and time, with a number added when that name is taken, so that no printout overwrites
     * another.
     */
    QString nomeNellaCartella(const QString& cartella, const QDateTime& inizio, int i)
    {
        const QString base
            = QStringLiteral("Melodora_") + inizio.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
        return QDir(cartella).filePath(i == 1
                ? base + QStringLiteral(".pdf")
                : base + QLatin1Char('_') + QString::number(i) + QStringLiteral(".pdf"));
    }

    QString nomePdf(const QString& file)
    {
        return QStringLiteral("File PDF ") + QDir::toNativeSeparators(file);
    }

    QString nomeCartellaPdf(const QString& cartella)
    {
        return QStringLiteral("File PDF in ") + QDir::toNativeSeparators(cartella);
    }

    /** One document, drawn with QPainter on a QPrinter; positions kept in twips. */
    class QtPrintSurface final : public PrintSurface {
    public:
        /** On the printer @p stampante. */
        explicit QtPrintSurface(const QPrinterInfo& stampante)
            : m_printer(stampante, QPrinter::HighResolution)
            , m_nomeStampante(stampante.printerName())
        {
            inizializza();
        }

        /** Into the PDF file @p file, or a fresh file in @p cartella when @p file names none. */
        QtPrintSurface(Destinazione file, QString cartella)
            : m_printer(QPrinter::HighResolution)
            , m_cartellaPdf(std::move(cartella))
            , m_destinazione(std::move(file))
            , m_filePdf(m_destinazione.percorso)
            , m_pdf(true)
        {
            m_printer.setOutputFormat(QPrinter::PdfFormat);
            m_printer.setPageMargins(
                QMarginsF(kMarginePdfPunti, kMarginePdfPunti, kMarginePdfPunti, kMarginePdfPunti),
                QPageLayout::Point);
            inizializza();
        }

        ~QtPrintSurface() override
        {
            if (m_iniziato && !m_finito)
                abbandona();
        }

        void Orientation(int valore) override
        {
            if (!utilizzabile())
                return;
            if (valore != 1 && valore != 2) {
                fallisci(QStringLiteral("orientamento della pagina non valido: %1").arg(valore));
                return;
            }
            // The orientation of a document already begun stays as it is.
            if (!m_iniziato)
                m_printer.setPageOrientation(
                    valore == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
        }

        void FontName(const QString& nome) override
        {
            if (utilizzabile())
                m_font.setFamily(nome);
        }
        void FontSize(double punti) override
        {
            if (utilizzabile() && punti > 0)
                m_font.setPointSizeF(punti);
        }
        void FontBold(bool attivo) override
        {
            if (utilizzabile())
                m_font.setBold(attivo);
        }
        void FontItalic(bool attivo) override
        {
            if (utilizzabile())
                m_font.setItalic(attivo);
        }
        void FontUnderline(bool attivo) override
        {
            if (utilizzabile())
                m_font.setUnderline(attivo);
        }

        void ScaleMode(int modo) override
        {
            if (!utilizzabile())
                return;
            if (modo != 0 && modo != 1) {
                fallisci(QStringLiteral("unità di misura non gestita: %1").arg(modo));
                return;
            }
            // Choosing twips again puts the origin back at the edge of the printable area.
            if (modo == 1)
                m_scaleLeft = 0;
        }
        void ScaleLeft(double twips) override
        {
            if (utilizzabile())
                m_scaleLeft = twips;
        }
        double ScaleWidth() override { return areaStampabile().width() * kTwipsPerPunto; }

        void CurrentX(double x) override
        {
            if (utilizzabile())
                m_x = x;
        }
        double CurrentX() const override { return m_x; }

        void Print(const QString& testo) override
        {
            PrintSenzaACapo(testo);
            if (pronto())
                aCapo();
        }

        void PrintSenzaACapo(const QString& testo) override
        {
            if (!pronto())
                return;
            const QStringList righe = testo.split(QLatin1Char('\n'));
            for (qsizetype i = 0; i < righe.size() && !m_fallito; ++i) {
                if (i > 0)
                    aCapo();
                QString pezzo = righe.at(i);
                pezzo.remove(QLatin1Char('\r'));
                disegna(pezzo);
            }
        }

        void Tab(int colonna) override
        {
            if (!pronto())
                return;
            const double destinazione
                = std::max(colonna - 1, 0) * inTwips(metriche().averageCharWidth());
            if (m_x > destinazione)
                aCapo();
            m_x = destinazione;
        }

        double TextWidth(const QString& testo) override
        {
            return inTwips(metriche().horizontalAdvance(testo));
        }

        void NewPage() override
        {
            if (!pronto())
                return;
            nuovaPagina();
            m_x = 0;
            m_altezzaRiga = 0;
            m_testoSullaRiga = false;
        }

        int Page() const override { return m_pagina; }

        void NumeriDiPagina(bool attivi) override
        {
            if (!utilizzabile())
                return;
            m_numeri = attivi;
            if (m_iniziato)
                numeraPagina();
        }

        bool EndDoc() override
        {
            if (m_fallito)
                return false;
            if (m_finito || !m_iniziato) {
                m_finito = true;
                return true; // nothing printed, nothing to send
            }
            m_finito = true;
            if (!m_painter.end()) {
                fallisci(m_pdf ? QStringLiteral("impossibile completare il file PDF %1")
                                     .arg(QDir::toNativeSeparators(destinazioneMostrata()))
                               : QStringLiteral("impossibile completare la stampa su %1")
                                     .arg(m_nomeStampante));
                return false;
            }
            if (m_printer.printerState() == QPrinter::Error) {
                fallisci(m_pdf ? QStringLiteral("impossibile scrivere il file PDF %1")
                                     .arg(QDir::toNativeSeparators(destinazioneMostrata()))
                               : QStringLiteral("la stampante %1 non ha accettato il documento")
                                     .arg(m_nomeStampante));
                return false;
            }
            return !m_pdf || daiNome();
        }

        QString DeviceName() const override
        {
            if (!m_pdf)
                return m_nomeStampante;
            return m_filePdf.isEmpty() ? nomeCartellaPdf(m_cartellaPdf) : nomePdf(m_filePdf);
        }

        bool fallito() const override { return m_fallito; }
        QString descrizioneErrore() const override { return m_errore; }
        QString filePdf() const override { return m_pdf ? m_filePdf : QString(); }

    private:
        void inizializza()
        {
            sostituisciFont();
            m_printer.setDocName(QStringLiteral("Melodora"));
            m_printer.setCreator(QString::fromLatin1(kNomeProgramma));
            m_font = QFont(QStringLiteral("Arial"));
            m_font.setPointSizeF(10);
        }

        bool utilizzabile() const { return !m_fallito && !m_finito; }

        /** Begins the document at its first output; false when it cannot go on. */
        bool pronto()
        {
            if (!utilizzabile())
                return false;
            if (m_iniziato)
                return true;
            if (m_pdf && !preparaFile())
                return false;
            if (!m_painter.begin(&m_printer)) {
                fallisci(m_pdf ? QStringLiteral("impossibile scrivere il file PDF %1")
                                     .arg(QDir::toNativeSeparators(destinazioneMostrata()))
                               : QStringLiteral("impossibile iniziare la stampa su %1")
                                     .arg(m_nomeStampante));
                return false;
            }
            m_iniziato = true;
            numeraPagina();
            return true;
        }

        QString destinazioneMostrata() const
        {
            return m_filePdf.isEmpty() ? m_cartellaPdf : m_filePdf;
        }

        /**
         * The PDF goes to a fresh file beside its destination, which gets its name only
         * once it is whole: a failure never leaves a half file or damages an older one.
         */
        bool preparaFile()
        {
            QString cartella = m_cartellaPdf;
            if (m_filePdf.isEmpty()) {
                QDir().mkpath(m_cartellaPdf);
            } else {
                if (const QString ostacolo = controllaDestinazione(m_destinazione);
                    !ostacolo.isEmpty()) {
                    fallisci(ostacolo);
                    return false;
                }
                cartella = QFileInfo(m_filePdf).absolutePath();
            }
            if (!m_file.crea(cartella)) {
                fallisci(m_file.errore());
                return false;
            }
            m_inizio = QDateTime::currentDateTime();
            m_printer.setOutputFileName(m_file.temporaneo());
            return true;
        }

        /** Checks the finished PDF and gives it its name; false, with the reason, when not. */
        bool daiNome()
        {
            const QByteArray inizioPdf = "%PDF-";
            const QByteArray finePdf = "%%EOF";
            bool fatto = false;
            if (!m_filePdf.isEmpty()) {
                fatto = m_file.completa(m_destinazione, inizioPdf, finePdf);
            } else {
                for (int i = 1; i < 1000 && !fatto; ++i) {
                    const QString nome = nomeNellaCartella(m_cartellaPdf, m_inizio, i);
                    fatto = m_file.completa({ nome, false, {} }, inizioPdf, finePdf);
                    if (fatto)
                        m_filePdf = nome;
                    else if (!m_file.nomeOccupato())
                        break;
                }
            }
            if (!fatto) {
                fallisci(
                    QStringLiteral("impossibile scrivere il file PDF %1: %2")
                        .arg(QDir::toNativeSeparators(destinazioneMostrata()), m_file.errore()));
                return false;
            }
            return true;
        }

        void fallisci(const QString& errore)
        {
            if (m_fallito)
                return;
            m_fallito = true;
            m_errore = errore;
            abbandona();
        }

        /** Cancels the job; a half-written PDF is removed. */
        void abbandona()
        {
            if (m_painter.isActive()) {
                m_printer.abort();
                if (m_painter.isActive())
                    m_painter.end();
            }
            // Only the temporary file exists until the PDF is whole.
            m_file.scarta();
        }

        QRectF areaStampabile() const
        {
            return m_printer.pageLayout().paintRect(QPageLayout::Point);
        }
        /** The height the text may fill: the page number's line is kept free. */
        double altezzaPagina() const
        {
            const double area = areaStampabile().height() * kTwipsPerPunto;
            return m_numeri ? area - 2 * inTwips(metrichePiede().lineSpacing()) : area;
        }

        QFont caratterePiede() const
        {
            QFont f(QStringLiteral("Arial"));
            f.setPointSizeF(10);
            return f;
        }
        QFontMetricsF metrichePiede() const { return QFontMetricsF(caratterePiede(), &m_printer); }

        /** The number of the current page, centred on the last line of the printable area. */
        void numeraPagina()
        {
            if (!m_numeri || !m_painter.isActive())
                return;
            const QString numero = QString::number(m_pagina);
            const QFontMetricsF fm = metrichePiede();
            const double larghezza = inPixel(areaStampabile().width() * kTwipsPerPunto);
            const double fondo = inPixel(areaStampabile().height() * kTwipsPerPunto);
            m_painter.setFont(caratterePiede());
            m_painter.drawText(
                QPointF((larghezza - fm.horizontalAdvance(numero)) / 2, fondo - fm.descent()),
                numero);
        }

        /** Ends the page; the next line is the top of a fresh one. */
        bool nuovaPagina()
        {
            if (!m_printer.newPage()) {
                fallisci(QStringLiteral("impossibile iniziare una nuova pagina"));
                return false;
            }
            ++m_pagina;
            m_y = 0;
            numeraPagina();
            return true;
        }

        double inTwips(double pixel) const
        {
            return pixel * kTwipsPerPollice / m_printer.resolution();
        }
        double inPixel(double twips) const
        {
            return twips * m_printer.resolution() / kTwipsPerPollice;
        }
        QFontMetricsF metriche() const { return QFontMetricsF(m_font, &m_printer); }

        /** Draws one piece of a line at the print position and moves past it. */
        void disegna(const QString& pezzo)
        {
            const QFontMetricsF fm = metriche();
            const double altezza = inTwips(fm.lineSpacing());
            m_altezzaRiga = std::max(m_altezzaRiga, altezza);
            if (pezzo.isEmpty())
                return;
            // The first text of a line that would cross the bottom opens a new page; empty
            // lines never do, so no page is left blank.
            if (!m_testoSullaRiga && m_y > 0 && m_y + m_altezzaRiga > altezzaPagina()) {
                if (!nuovaPagina())
                    return;
            }
            m_testoSullaRiga = true;
            m_painter.setFont(m_font);
            m_painter.drawText(
                QPointF(inPixel(m_x - m_scaleLeft), inPixel(m_y) + fm.ascent()), pezzo);
            m_x += inTwips(fm.horizontalAdvance(pezzo));
        }

        /** The next line, at the origin; an empty line is as high as the current font. */
        void aCapo()
        {
            m_y += m_altezzaRiga > 0 ? m_altezzaRiga : inTwips(metriche().lineSpacing());
            m_x = 0;
            m_altezzaRiga = 0;
            m_testoSullaRiga = false;
        }

        QPrinter m_printer;
        QPainter m_painter;
        QFont m_font;
        QString m_nomeStampante;
        QString m_cartellaPdf; ///< set: a fresh file is made there when the document ends
        Destinazione m_destinazione; ///< the file asked for, and what it may replace
        QString m_filePdf; ///< the PDF's name: the one asked for, or the one given at the end
        FileCompleto m_file;
        QDateTime m_inizio;
        bool m_pdf = false;
        double m_scaleLeft = 0;
        double m_x = 0; ///< CurrentX, in the current scale
        double m_y = 0; ///< top of the current line, in twips from the top of the page's area
        double m_altezzaRiga = 0; ///< height of what the current line holds so far
        bool m_testoSullaRiga = false;
        int m_pagina = 1;
        bool m_numeri = false; ///< every page carries its number at its foot
        bool m_iniziato = false;
        bool m_finito = false;
        bool m_fallito = false;
        QString m_errore;
    };
}

QtPrinterService::QtPrinterService(QString cartellaPdf)
    : m_cartellaPdf(std::move(cartellaPdf))
{
}

QtPrinterService QtPrinterService::versoFilePdf(Destinazione file)
{
    QtPrinterService servizio { QString() };
    servizio.m_filePdf = std::move(file);
    return servizio;
}

QString QtPrinterService::cartellaPdfPredefinita()
{
    QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documenti.isEmpty())
        documenti = QDir::homePath();
    return QDir(documenti).filePath(QStringLiteral("Melodora"));
}

QString QtPrinterService::nomeDispositivo()
{
    if (!m_filePdf.percorso.isEmpty())
        return nomePdf(m_filePdf.percorso);
    const QPrinterInfo predefinita = QPrinterInfo::defaultPrinter();
    if (!predefinita.isNull())
        return predefinita.printerName();
    return nomeCartellaPdf(m_cartellaPdf);
}

std::unique_ptr<PrintSurface> QtPrinterService::nuovoDocumento()
{
    if (!m_filePdf.percorso.isEmpty())
        return std::make_unique<QtPrintSurface>(m_filePdf, QString());
    const QPrinterInfo predefinita = QPrinterInfo::defaultPrinter();
    if (!predefinita.isNull())
        return std::make_unique<QtPrintSurface>(predefinita);
    return std::make_unique<QtPrintSurface>(Destinazione {}, m_cartellaPdf);
}

} // namespace melodora
