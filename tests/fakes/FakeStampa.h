#pragma once

#include "platform/PrintSurface.h"

#include <QList>
#include <QStringList>

#include <memory>
#include <vector>

namespace melodora::test {

/** One output of Print, with the state the document was in. */
struct RigaStampata {
    QString testo;
    bool aCapo = true; ///< Print (true) or PrintSenzaACapo (false)
    int tab = 0; ///< the Tab column that placed it, 0 for none
    QString font = QStringLiteral("Arial"); ///< a fresh document's font, as the real one
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int scaleMode = 1;
    double scaleLeft = 0;
    double currentX = 0; ///< where the output began, in the current scale
};

/** What one document received: every call in order, and every output with its state. */
struct DocumentoRegistrato {
    /**
     * "Orientation 1", "FontName Arial", "FontSize 14", "FontBold true", "ScaleMode 1",
     * "ScaleLeft -600", "CurrentX 600", "Tab 36", "Print " + text (line end),
     * "Print; " + text (same line), "EndDoc". Queries (TextWidth, ScaleWidth) are not listed.
     */
    QStringList operazioni;
    QList<RigaStampata> righe;
    int endDoc = 0;
    /** The texts of the outputs that ended a line, each joined to what preceded it on it. */
    QStringList righeComplete() const
    {
        QStringList esito;
        QString corrente;
        for (const RigaStampata& r : righe) {
            corrente += r.testo;
            if (r.aCapo) {
                esito.append(corrente);
                corrente.clear();
            }
        }
        return esito;
    }
};

/** How the next documents behave. */
struct CopioneStampa {
    double scaleWidth = 11000; ///< twips
    double larghezzaCarattere = 100; ///< TextWidth: characters times this, in any font
    int fallisceAlPrint = -1; ///< this output (0-based, both kinds of Print) fails
    bool fallisceEndDoc = false;
    QString filePdf; ///< reported as the PDF the document writes
    QString deviceName = QStringLiteral("Stampante di prova");
};

/** A print surface that records; measures every character as the same width. */
class FakeStampa : public PrintSurface {
public:
    FakeStampa(DocumentoRegistrato& documento, CopioneStampa copione)
        : m_doc(documento)
        , m_copione(std::move(copione))
    {
    }

    void Orientation(int valore) override { op(QStringLiteral("Orientation %1").arg(valore)); }
    void FontName(const QString& nome) override
    {
        m_stato.font = nome;
        op(QStringLiteral("FontName ") + nome);
    }
    void FontSize(double punti) override
    {
        m_stato.size = punti;
        op(QStringLiteral("FontSize ") + QString::number(punti));
    }
    void FontBold(bool attivo) override
    {
        m_stato.bold = attivo;
        op(QStringLiteral("FontBold ") + vero(attivo));
    }
    void FontItalic(bool attivo) override
    {
        m_stato.italic = attivo;
        op(QStringLiteral("FontItalic ") + vero(attivo));
    }
    void FontUnderline(bool attivo) override
    {
        m_stato.underline = attivo;
        op(QStringLiteral("FontUnderline ") + vero(attivo));
    }
    void ScaleMode(int modo) override
    {
        m_stato.scaleMode = modo;
        if (modo == 1)
            m_stato.scaleLeft = 0;
        op(QStringLiteral("ScaleMode %1").arg(modo));
    }
    void ScaleLeft(double twips) override
    {
        m_stato.scaleLeft = twips;
        op(QStringLiteral("ScaleLeft ") + QString::number(twips));
    }
    double ScaleWidth() override { return m_copione.scaleWidth; }
    void CurrentX(double x) override
    {
        m_stato.currentX = x;
        op(QStringLiteral("CurrentX ") + QString::number(x));
    }
    double CurrentX() const override { return m_stato.currentX; }
    void Print(const QString& testo) override { stampa(testo, true); }
    void PrintSenzaACapo(const QString& testo) override { stampa(testo, false); }
    void Tab(int colonna) override
    {
        const double x = (colonna - 1) * m_copione.larghezzaCarattere;
        m_stato.currentX = x;
        m_tab = colonna;
        op(QStringLiteral("Tab %1").arg(colonna));
    }
    double TextWidth(const QString& testo) override
    {
        return testo.size() * m_copione.larghezzaCarattere;
    }
    bool EndDoc() override
    {
        ++m_doc.endDoc;
        op(QStringLiteral("EndDoc"));
        if (m_copione.fallisceEndDoc)
            m_fallito = true;
        return !m_fallito;
    }
    void NewPage() override
    {
        ++m_pagina;
        op(QStringLiteral("NewPage"));
    }
    int Page() const override { return m_pagina; }
    void NumeriDiPagina(bool attivi) override
    {
        op(QStringLiteral("NumeriDiPagina ") + vero(attivi));
    }
    QString DeviceName() const override { return m_copione.deviceName; }
    bool fallito() const override { return m_fallito; }
    QString descrizioneErrore() const override
    {
        return m_fallito ? QStringLiteral("guasto di prova") : QString();
    }
    QString filePdf() const override { return m_copione.filePdf; }

private:
    static QString vero(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }
    void op(const QString& testo) { m_doc.operazioni.append(testo); }
    void stampa(const QString& testo, bool aCapo)
    {
        RigaStampata r = m_stato;
        r.testo = testo;
        r.aCapo = aCapo;
        r.tab = m_tab;
        m_tab = 0;
        m_doc.righe.append(r);
        op((aCapo ? QStringLiteral("Print ") : QStringLiteral("Print; ")) + testo);
        if (m_prints++ == m_copione.fallisceAlPrint)
            m_fallito = true;
        m_stato.currentX = aCapo ? 0 : m_stato.currentX + TextWidth(testo);
    }

    DocumentoRegistrato& m_doc;
    CopioneStampa m_copione;
    RigaStampata m_stato;
    int m_tab = 0;
    int m_prints = 0;
    int m_pagina = 1;
    bool m_fallito = false;
};

} // namespace melodora::test
