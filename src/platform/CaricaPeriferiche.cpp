#include "platform/CaricaPeriferiche.h"

#include "platform/Periferiche.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace melodora {

Periferiche* caricaPeriferiche(const QString& cartellaProgramma, QString& errore)
{
    static const QString kModulo = QStringLiteral("libmelodora-periferiche.so");
    const QDir programma(cartellaProgramma);
    QStringList errori;
    for (const QString& percorso : { programma.filePath(kModulo),
             programma.filePath(QStringLiteral("../lib/melodora/") + kModulo) }) {
        if (!QFileInfo::exists(percorso)) {
            errori << QDir::toNativeSeparators(QDir::cleanPath(percorso))
                    + QStringLiteral(": non c'è");
            continue;
        }
        // Never unloaded: the services it made live as long as the program.
        QLibrary modulo(percorso);
        const auto fn
            = reinterpret_cast<MelodoraPerifericheFn>(modulo.resolve(MELODORA_PERIFERICHE_SIMBOLO));
        if (fn) {
            if (Periferiche* p = fn()) {
                errore.clear();
                return p;
            }
        }
        errori << modulo.errorString();
    }
    errore = errori.join(QLatin1Char('\n'));
    return nullptr;
}

} // namespace melodora
