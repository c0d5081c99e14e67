#pragma once

#include <QByteArray>
#include <QString>

namespace melodora {

/**
 * Windows-1252, the single-byte character set of the archive file.
 *
 * Every byte decodes to one character: the five bytes the set leaves undefined
 * (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 control of the same value, so a
 * record read and written back is byte for byte the same.
 */
namespace cp1252 {

    /** The character of one byte. */
    QChar decodifica(unsigned char byte);

    /** The byte of one character, or no value when the set cannot hold it. */
    bool codifica(QChar c, unsigned char& byte);

    /** Decodes bytes one to one into characters. */
    QString decodifica(const char* data, qsizetype len);

    /**
     * Encodes characters into bytes. A character the set cannot hold becomes one '?',
     * also when it takes two UTF-16 units (an emoji); @p sostituiti counts them.
     */
    QByteArray codifica(const QString& testo, int* sostituiti = nullptr);

    /**
     * The text as the archive will hold it: each character the set cannot hold becomes
     * one '?', so that the length counts characters as the disk does.
     */
    QString adatta(const QString& testo);

    /**
     * The first character of @p testo the set cannot hold (two UTF-16 units for one
     * beyond U+FFFF), or an empty string when it can hold them all.
     */
    QString primoNonRappresentabile(const QString& testo);

    /** True for the five bytes Windows-1252 does not define. */
    bool byteIndefinito(unsigned char byte);

    /** True when every character of @p testo has a byte in the set. */
    bool rappresentabile(const QString& testo);

} // namespace cp1252
} // namespace melodora
