// The title animation's frame splitter on arbitrary bytes.
#include "Bersagli.h"

#include "main_window/Animazione.h"

namespace melodora::fuzz {

bool prova_gif(const QByteArray& dati, QString& difetto)
{
    const auto fotogrammi = dividiGif(dati);
    if (!fotogrammi)
        return true;
    const QByteArray marcatore("\x00\x21\xF9", 3);
    const qsizetype primo = dati.indexOf(marcatore);
    if (!dati.startsWith("GIF") || primo < 0) {
        difetto = QStringLiteral("diviso un file che non è una GIF con marcatori");
        return false;
    }
    const QByteArray testata = dati.left(primo + 2);
    // A frame between each two consecutive markers, counted without overlapping.
    qsizetype attesi = 0;
    for (qsizetype j = primo + 3; (j = dati.indexOf(marcatore, j)) >= 0; j += 3)
        ++attesi;
    if (static_cast<qsizetype>(fotogrammi->size()) != attesi) {
        difetto = QStringLiteral("%1 fotogrammi per %2 coppie di marcatori")
                      .arg(fotogrammi->size())
                      .arg(attesi);
        return false;
    }
    for (const Fotogramma& f : *fotogrammi) {
        if (!f.gif.startsWith(testata) || !f.gif.endsWith('\x21')
            || f.gif.size() < testata.size() + 16 || f.ritardo < 0 || f.ritardo > 655350
            || f.scostamento.x() < 0 || f.scostamento.y() < 0) {
            difetto = QStringLiteral("fotogramma mal formato");
            return false;
        }
    }
    return true;
}

} // namespace melodora::fuzz
