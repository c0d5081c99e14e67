#pragma once

#include <QString>

namespace melodora {

/** What an audio file's tags say about its song; an absent tag is an empty text. */
struct TagAudio {
    QString titolo;
    QString artista;
    QString album;
    QString genere;
    QString anno;
    QString testo; ///< the lyrics, line breaks as the tag holds them
};

/**
 * Reads the tags of an audio file: ID3v1 and ID3v2 (MP3, WAV), Vorbis comments (FLAC,
 * Ogg), MP4 atoms (M4A). The lyrics come from ID3v2 USLT, the Vorbis LYRICS comment or the
 * MP4 ©lyr atom.
 */
class LettoreTag {
public:
    virtual ~LettoreTag() = default;
    /**
     * Reads the tags of the file at @p percorso into @p tag. False, with the reason in
     * @p errore, when the file cannot be opened or is not audio of its kind; a readable
     * file without tags gives true and empty texts.
     */
    virtual bool leggi(const QString& percorso, TagAudio& tag, QString& errore) const = 0;
};

/** The reader built on the system's TagLib. */
const LettoreTag& lettoreTagReale();

} // namespace melodora
