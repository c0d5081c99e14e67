#pragma once

#include <QString>

namespace melodora {

/**
 * One document on a printer, drawn with the printer object's operations. Horizontal
 * positions and widths are in twips (1440 to the inch).
 *
 * The print position moves along a line as text is output; a line end returns it to the
 * origin (CurrentX 0) of the next line. The origin lies ScaleLeft twips to the left of the
 * left edge of the printable area, so ScaleLeft -600 gives a left margin of 600 twips. A
 * page that fills up continues on a new page by itself.
 *
 * A failing operation puts the document in error: every later operation is skipped and
 * EndDoc reports the failure. A document destroyed before EndDoc is discarded.
 */
class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    /** Page orientation, set before the first output: 1 portrait, 2 landscape. */
    virtual void Orientation(int valore) = 0;

    virtual void FontName(const QString& nome) = 0;
    /** Size in points. */
    virtual void FontSize(double punti) = 0;
    virtual void FontBold(bool attivo) = 0;
    virtual void FontItalic(bool attivo) = 0;
    virtual void FontUnderline(bool attivo) = 0;

    /**
     * 1: twips, with the origin at the left edge of the printable area (ScaleLeft back to 0);
     * 0: a user scale that keeps the current unit and origin.
     */
    virtual void ScaleMode(int modo) = 0;
    /** The coordinate of the printable area's left edge. */
    virtual void ScaleLeft(double twips) = 0;
    /** The width of the printable area. */
    virtual double ScaleWidth() = 0;

    /** Horizontal start of the next output, in the current scale. */
    virtual void CurrentX(double x) = 0;
    virtual double CurrentX() const = 0;

    /**
     * Outputs @p testo and ends the line. A CR LF or LF inside the text ends a line too.
     * Print({}) outputs an empty line.
     */
    virtual void Print(const QString& testo) = 0;
    /** Outputs @p testo and stays on the line (the next output follows it). */
    virtual void PrintSenzaACapo(const QString& testo) = 0;
    /**
     * Moves to print column @p colonna (column 1 is the origin; a column is the current
     * font's average character width). Past that column already, it goes to the next line.
     */
    virtual void Tab(int colonna) = 0;

    /** The width of @p testo in the current font. */
    virtual double TextWidth(const QString& testo) = 0;

    /** Ends the page: the next output goes to the top of a new one. */
    virtual void NewPage() = 0;
    /** The number of the page being drawn, from 1. */
    virtual int Page() const = 0;
    /**
     * From the current page on (true), every page carries its number centred at its foot,
     * below the text, which then stops one footer line earlier.
     */
    virtual void NumeriDiPagina(bool attivi) = 0;

    /** Ends the document and sends it to the printer; false when the document failed. */
    virtual bool EndDoc() = 0;

    /** The printer's name (for a PDF file, where the file goes). */
    virtual QString DeviceName() const = 0;

    /** True once an operation has failed. */
    virtual bool fallito() const = 0;
    /** What failed, for logs and the command line; empty while nothing failed. */
    virtual QString descrizioneErrore() const = 0;
    /**
     * The PDF file this document is written to, empty when it goes to a printer; in a folder
     * of PDFs, empty until the file is whole and has its name.
     */
    virtual QString filePdf() const = 0;
};

} // namespace melodora
