#pragma once

#include "platform/PrintSurface.h"

#include <QList>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

namespace melodora::test {

/** One output of Print, with the state the document was in. */
struct RigaStampata {
    QString testo;
    bool aCapo = true; ///< Print (true) or PrintSenzaACapo (false)
    QString font = QStringLiteral("Arial"); ///< a fresh document's font, as the real one
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double scaleLeft = 0;
    double currentX = 0; ///< where the output began, in the current scale
};

/** What one document received: every call in order, and every output with its state. */
struct DocumentoRegistrato {
    /**
     * Each call but the queries as its name and argument: "Orientation 1", "FontBold 1",
     * "CurrentX 600", "Tab 36", "Print " + text (line end), "Print; " + text (same line),
     * "EndDoc".
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
};

/** A print surface that records; measures every character as the same width. */
class FakeStampa : public PrintSurface {
public:
    FakeStampa(DocumentoRegistrato& documento, CopioneStampa copione)
        : m_doc(documento)
        , m_copione(std::move(copione))
    {
    }

    void Orientation(int v) override { op("Orientation", v); }
    void FontName(const QString& v) override { op("FontName", m_stato.font = v); }
    void FontSize(double v) override { op("FontSize", m_stato.size = v); }
    void FontBold(bool v) override { op("FontBold", m_stato.bold = v); }
    void FontItalic(bool v) override { op("FontItalic", m_stato.italic = v); }
    void FontUnderline(bool v) override { op("FontUnderline", m_stato.underline = v); }
    void ScaleMode(int v) override
    {
        if (v == 1)
            m_stato.scaleLeft = 0;
        op("ScaleMode", v);
    }
    void ScaleLeft(double v) override { op("ScaleLeft", m_stato.scaleLeft = v); }
    double ScaleWidth() override { return m_copione.scaleWidth; }
    void CurrentX(double v) override { op("CurrentX", m_stato.currentX = v); }
    double CurrentX() const override { return m_stato.currentX; }
    void Print(const QString& testo) override { stampa(testo, true); }
    void PrintSenzaACapo(const QString& testo) override { stampa(testo, false); }
    void Tab(int colonna) override
    {
        m_stato.currentX = (colonna - 1) * m_copione.larghezzaCarattere;
        op("Tab", colonna);
    }
    double TextWidth(const QString& testo) override
    {
        return testo.size() * m_copione.larghezzaCarattere;
    }
    bool EndDoc() override
    {
        ++m_doc.endDoc;
        m_doc.operazioni.append(QStringLiteral("EndDoc"));
        m_fallito = m_fallito || m_copione.fallisceEndDoc;
        return !m_fallito;
    }
    void NewPage() override
    {
        ++m_pagina;
        m_doc.operazioni.append(QStringLiteral("NewPage"));
    }
    int Page() const override { return m_pagina; }
    void NumeriDiPagina(bool v) override { op("NumeriDiPagina", v); }
    QString DeviceName() const override { return QStringLiteral("Stampante di prova"); }
    bool fallito() const override { return m_fallito; }
    QString descrizioneErrore() const override
    {
        return m_fallito ? QStringLiteral("guasto di prova") : QString();
    }
    QString filePdf() const override { return m_copione.filePdf; }

private:
    template <typename T> void op(const char* nome, const T& valore)
    {
        m_doc.operazioni.append(
            QLatin1String(nome) + QLatin1Char(' ') + QVariant(valore).toString());
    }
    void stampa(const QString& testo, bool aCapo)
    {
        RigaStampata r = m_stato;
        r.testo = testo;
        r.aCapo = aCapo;
        m_doc.righe.append(r);
        m_doc.operazioni.append(
            (aCapo ? QStringLiteral("Print ") : QStringLiteral("Print; ")) + testo);
        if (m_prints++ == m_copione.fallisceAlPrint)
            m_fallito = true;
        m_stato.currentX = aCapo ? 0 : m_stato.currentX + TextWidth(testo);
    }

    DocumentoRegistrato& m_doc;
    CopioneStampa m_copione;
    RigaStampata m_stato;
    int m_prints = 0;
    int m_pagina = 1;
    bool m_fallito = false;
};

} // namespace melodora::test
