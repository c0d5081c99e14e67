#include "main_window/Animazione.h"

namespace melodora {

namespace {
    const QByteArray kMarcatore("\x00\x21\xF9", 3);

    quint32 parola(const QByteArray& b, qsizetype basso)
    {
        return static_cast<quint8>(b.at(basso)) + 256u * static_cast<quint8>(b.at(basso + 1));
    }
}

std::optional<std::vector<Fotogramma>> dividiGif(const QByteArray& b)
{
    // The header runs up to the 0x21 of the first marker; without a marker it is the
    // file's first byte alone, which is no GIF.
    const qsizetype primo = b.indexOf(kMarcatore);
    const QByteArray testata = b.left(primo < 0 ? 1 : primo + 2);
    if (!testata.startsWith("GIF"))
        return std::nullopt;

    std::vector<Fotogramma> fotogrammi;
    // j: the byte after the 0xF9 of the marker that opened the current frame.
    qsizetype j = primo + 3;
    for (;;) {
        const qsizetype prossimo = b.indexOf(kMarcatore, j);
        if (prossimo < 0)
            break;
        // From the 0xF9 of the previous marker to the 0x21 of this one: the graphic
        // control extension, the image, and the introducer of the next extension.
        const QByteArray f = b.mid(j - 1, prossimo + 3 - j);
        if (f.size() < 16)
            return std::nullopt;
        Fotogramma fotogramma;
        fotogramma.gif = testata + f;
        fotogramma.ritardo = static_cast<int>(parola(f, 3) * 10); // hundredths of a second
        fotogramma.scostamento
            = QPoint(static_cast<int>(parola(f, 8)), static_cast<int>(parola(f, 10)));
        fotogrammi.push_back(std::move(fotogramma));
        j = prossimo + 3;
    }
    return fotogrammi;
}

} // namespace melodora
