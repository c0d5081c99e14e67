// The tag reader over TagLib: the only code that includes its headers.
#include "platform/LettoreTag.h"

#include <QFile>
#include <QFileInfo>

#include <fileref.h>
#include <tag.h>
#include <tpropertymap.h>

namespace melodora {

namespace {
    QString testo(const TagLib::String& s) { return QString::fromStdWString(s.toWString()); }

    class LettoreTagLib : public LettoreTag {
    public:
        bool leggi(const QString& percorso, TagAudio& tag, QString& errore) const override
        {
            if (!QFileInfo(percorso).isFile()) {
                errore = QStringLiteral("il file non esiste");
                return false;
            }
            const QByteArray nome = QFile::encodeName(percorso);
            // Without the audio properties: an MP3's frames would be scanned for nothing.
            const TagLib::FileRef file(nome.constData(), false);
            if (file.isNull() || !file.file()->isValid()) {
                errore = QStringLiteral("il file non è un file audio leggibile");
                return false;
            }
            tag = {};
            if (const TagLib::Tag* t = file.tag()) {
                tag.titolo = testo(t->title());
                tag.artista = testo(t->artist());
                tag.album = testo(t->album());
                tag.genere = testo(t->genre());
                if (t->year() != 0)
                    tag.anno = QString::number(t->year());
            }
            // USLT, the LYRICS comment and ©lyr all map to LYRICS; a USLT frame with a
            // description is LYRICS:description.
            const TagLib::PropertyMap proprieta = file.file()->properties();
            for (const auto& [chiave, valori] : proprieta) {
                if (valori.isEmpty() || (chiave != "LYRICS" && !chiave.startsWith("LYRICS:")))
                    continue;
                tag.testo = testo(valori.front());
                if (chiave == "LYRICS")
                    break;
            }
            return true;
        }
    };
}

const LettoreTag& lettoreTagReale()
{
    static const LettoreTagLib lettore;
    return lettore;
}

} // namespace melodora
