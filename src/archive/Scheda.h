#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace melodora {

/** The eight fields of a card, in their order on disk. */
enum class Campo { Brano, Artista, Album, Genere, Anno, Note, Testo, MP3 };

inline constexpr int kNumeroCampi = 8;
/** Bytes of one record on disk. */
inline constexpr int kLunghezzaScheda = 2830;

struct InfoCampo {
    const char* nome; ///< the field's name, as the import and export formats use it
    int lunghezza;
    int offset;
};

inline constexpr std::array<InfoCampo, kNumeroCampi> kCampi = { {
    { "Brano", 120, 0 },
    { "Artista", 40, 120 },
    { "Album", 120, 160 },
    { "Genere", 40, 280 },
    { "Anno", 20, 320 },
    { "Note", 240, 340 },
    { "Testo", 2000, 580 },
    { "MP3", 250, 2580 },
} };

constexpr const InfoCampo& info(Campo c) { return kCampi[static_cast<int>(c)]; }

/** Removes leading and trailing spaces only; tabs and line breaks at the ends stay. */
QString togliSpazi(const QString& s);

/**
 * One song card: eight fixed-length fields, each always exactly its length,
 * filled with blanks after the value.
 */
class Scheda {
public:
    /** A card whose fields hold only blanks. */
    Scheda();

    /**
     * Builds a card from eight texts as the save button does: each text loses its
     * leading and trailing blanks, then is cut to its field's length or padded with blanks.
     */
    static Scheda daTesti(const std::array<QString, kNumeroCampi>& testi);

    /** Decodes one record of exactly kLunghezzaScheda bytes. */
    static Scheda daByte(const char* record);

    /** The record's 2830 bytes in Windows-1252. */
    QByteArray inByte(int* sostituiti = nullptr) const;

    /** The field as stored, blanks included. */
    const QString& grezzo(Campo c) const { return m_campi[static_cast<int>(c)]; }
    /** The field without its leading and trailing blanks, as the windows show it. */
    QString testo(Campo c) const { return togliSpazi(grezzo(c)); }
    /**
     * Sets one field by the save button's rule (trim, cut, pad), after each character
     * Windows-1252 cannot hold has become one '?'.
     */
    void imposta(Campo c, const QString& valore);

    bool operator==(const Scheda&) const = default;

private:
    std::array<QString, kNumeroCampi> m_campi;
};

} // namespace melodora
