#include "platform/Controlli.h"

#include <QFrame>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QResource>
#include <QTextDocument>
#include <QToolButton>

#include <cstring>

namespace melodora {

QColor coloreWindows(unsigned valore)
{
    return QColor(static_cast<int>(valore & 0xFF), static_cast<int>((valore >> 8) & 0xFF),
        static_cast<int>((valore >> 16) & 0xFF));
}

QColor coloreFuoco() { return coloreWindows(0x00C0FFFF); }

void coloraSfondo(QWidget* w, const QColor& colore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colore);
    p.setColor(QPalette::Window, colore);
    w->setPalette(p);
}

// A header of four native words (width, height, format, bytes per line), then the lines
// (resources/decodifica_immagini.cpp).
QImage immagineDecodificata(const QString& nome)
{
    const QResource risorsa(QStringLiteral(":/decodificate/") + nome + QStringLiteral(".argb"));
    const uchar* dati = risorsa.data();
    const qint64 dimensione = risorsa.size();
    quint32 testata[4] = {};
    if (!dati || risorsa.compressionAlgorithm() != QResource::NoCompression
        || dimensione < qint64(sizeof testata))
        return {};
    std::memcpy(testata, dati, sizeof testata);
    const auto [larghezza, altezza, formato, riga] = testata;
    const bool formatoNoto
        = formato == QImage::Format_ARGB32_Premultiplied || formato == QImage::Format_RGB32;
    if (!formatoNoto || larghezza == 0 || altezza == 0 || larghezza > 4096 || altezza > 4096
        || riga != larghezza * 4 || dimensione != qint64(sizeof testata) + qint64(riga) * altezza)
        return {};
    // The pixels stay where they are, in the program's read-only data (a QPixmap of the same
    // format keeps them as they are, and any write copies them first). The resource holds only
    // these files, each a multiple of four bytes, so they are aligned as pixels must be; were
    // they not, the caller decodes the picture itself.
    const uchar* righe = dati + sizeof testata;
    if (reinterpret_cast<quintptr>(righe) % alignof(quint32) != 0)
        return {};
    return QImage(righe, static_cast<int>(larghezza), static_cast<int>(altezza),
        static_cast<qsizetype>(riga), static_cast<QImage::Format>(formato));
}

QPixmap immagine(const QString& nome)
{
    const QString percorso = QStringLiteral(":/img/") + nome + QStringLiteral(".png");
    QPixmap pm;
    if (QPixmapCache::find(percorso, &pm))
        return pm;
    QImage figura = immagineDecodificata(nome);
    if (!figura.isNull()) {
        pm = QPixmap::fromImage(std::move(figura));
    } else {
        // Read as the PNG it is: left to guess, Qt first asks every image plug-in, loading
        // them all (and the JPEG library) before the window can show.
        QImageReader lettore(percorso, "png");
        lettore.setAutoDetectImageFormat(false);
        pm = QPixmap::fromImageReader(&lettore);
    }
    QPixmapCache::insert(percorso, pm);
    return pm;
}

QToolButton* creaPulsante(QWidget* parent, const QString& objectName, const QString& nomeImmagine,
    const QString& tooltip, QRect geometria)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setGeometry(geometria);
    const QPixmap pm = immagine(nomeImmagine);
    b->setIcon(QIcon(pm));
    b->setIconSize(geometria.size() - QSize(6, 6));
    b->setFocusPolicy(Qt::StrongFocus);
    if (!tooltip.isEmpty()) {
        b->setToolTip(tooltip);
        b->setAccessibleName(tooltip.trimmed());
    }
    return b;
}

QLabel* creaImmagine(
    QWidget* parent, const QString& objectName, const QString& nomeImmagine, QRect geometria)
{
    auto* l = new QLabel(parent);
    l->setObjectName(objectName);
    if (geometria.isValid())
        l->setGeometry(geometria);
    l->setPixmap(immagine(nomeImmagine));
    l->setScaledContents(true);
    return l;
}

QLabel* creaEtichetta(
    QWidget* parent, const QString& objectName, const QString& testo, QRect geometria)
{
    auto* l = new QLabel(testo, parent);
    l->setObjectName(objectName);
    l->setGeometry(geometria);
    return l;
}

QFrame* creaCornice(QWidget* parent, const QString& objectName, QRect geometria)
{
    auto* f = new QFrame(parent);
    f->setObjectName(objectName);
    f->setGeometry(geometria);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Raised);
    return f;
}

QString testoIntegro(const QPlainTextEdit* casella)
{
    // The raw text separates paragraphs (and Shift+Enter's line breaks) with their own
    // characters; these, and the frame marks, are the only ones that become "\n".
    QString testo = casella->document()->toRawText();
    for (QChar& c : testo) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xFDD0: // beginning of a frame
        case 0xFDD1: // end of a frame
            c = QLatin1Char('\n');
            break;
        default:
            break;
        }
    }
    return testo;
}

int codiceAscii(const QKeyEvent* tasto)
{
    switch (tasto->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 0; // moves the focus; no KeyPress reaches the field
    default:
        break;
    }
    const QString t = tasto->text();
    if (t.isEmpty())
        return 0;
    const char16_t c = t.at(0).unicode();
    if (c == 0x7F)
        return 0; // Delete produces no character
    return c;
}

} // namespace melodora
