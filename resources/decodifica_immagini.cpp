// Build step: decodes each picture (the first image of an animation) once, into the pixels the
// program would get from it at run time, so that opening a window uses pictures as they lie
// instead of decoding them, and needs no image plug-in.
//   decodifica_immagini CARTELLA_DI_USCITA immagine...
// Each CARTELLA_DI_USCITA/<nome>.argb holds a header of four native 32-bit words (width,
// height, QImage::Format, bytes per line) and then the lines, unpadded. Pictures with some
// transparency are stored premultiplied, the others as RGB32: the forms a QPixmap keeps.
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <cstdint>
#include <cstdio>

namespace {
bool trasparente(const QImage& figura)
{
    if (!figura.hasAlphaChannel())
        return false;
    const QImage argb = figura.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* riga = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(riga[x]) != 255)
                return true;
    }
    return false;
}
}

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "uso: decodifica_immagini CARTELLA immagine...\n");
        return 2;
    }
    const QString cartella = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const QString sorgente = QString::fromLocal8Bit(argv[i]);
        QImageReader lettore(sorgente);
        QImage figura = lettore.read();
        if (figura.isNull()) {
            std::fprintf(stderr, "%s: %s\n", argv[i], qPrintable(lettore.errorString()));
            return 1;
        }
        figura = figura.convertToFormat(
            trasparente(figura) ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        const auto riga = static_cast<std::uint32_t>(figura.width()) * 4;
        const std::uint32_t testata[4] = { static_cast<std::uint32_t>(figura.width()),
            static_cast<std::uint32_t>(figura.height()),
            static_cast<std::uint32_t>(figura.format()), riga };
        QFile uscita(cartella + QLatin1Char('/') + QFileInfo(sorgente).completeBaseName()
            + QStringLiteral(".argb"));
        bool ok = uscita.open(QIODevice::WriteOnly)
            && uscita.write(reinterpret_cast<const char*>(testata), sizeof testata)
                == sizeof testata;
        for (int y = 0; ok && y < figura.height(); ++y)
            ok = uscita.write(reinterpret_cast<const char*>(figura.constScanLine(y)), riga)
                == static_cast<qint64>(riga);
        if (!ok) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(uscita.fileName()),
                qPrintable(uscita.errorString()));
            return 1;
        }
    }
    return 0;
}
