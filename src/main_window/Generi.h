#pragma once

#include <QStringList>

namespace melodora {

/** The genre list of the card editor, in its order (alphabetical). */
inline QStringList generiMusicali()
{
    return {
        QStringLiteral("Africana"),
        QStringLiteral("Afrocubana"),
        QStringLiteral("Bambini"),
        QStringLiteral("Beat"),
        QStringLiteral("Black Metal"),
        QStringLiteral("Blues"),
        QStringLiteral("Cabaret"),
        QStringLiteral("Camera"),
        QStringLiteral("Classica"),
        QStringLiteral("Colonna sonora"),
        QStringLiteral("Corale"),
        QStringLiteral("Country"),
        QStringLiteral("Cult"),
        QStringLiteral("Disco Music"),
        QStringLiteral("Elettronica"),
        QStringLiteral("Etnica"),
        QStringLiteral("Filarmonica"),
        QStringLiteral("Folk"),
        QStringLiteral("Funky"),
        QStringLiteral("Fusion"),
        QStringLiteral("Gospel"),
        QStringLiteral("Heavy Metal"),
        QStringLiteral("Hip Hop"),
        QStringLiteral("House"),
        QStringLiteral("Jazz"),
        QStringLiteral("Latino-americana"),
        QStringLiteral("Leggera"),
        QStringLiteral("Lirica"),
        QStringLiteral("Liscio"),
        QStringLiteral("Marce o bande"),
        QStringLiteral("Napoletana"),
        QStringLiteral("New Age"),
        QStringLiteral("Operetta"),
        QStringLiteral("Polka"),
        QStringLiteral("Pop"),
        QStringLiteral("Psichedelica"),
        QStringLiteral("Punk"),
        QStringLiteral("Rap"),
        QStringLiteral("Reggae"),
        QStringLiteral("Revival"),
        QStringLiteral("Rock"),
        QStringLiteral("Rock and Roll"),
        QStringLiteral("Sacra"),
        QStringLiteral("Samba"),
        QStringLiteral("Soul"),
        QStringLiteral("Strumentale"),
        QStringLiteral("Swing"),
        QStringLiteral("Tango"),
        QStringLiteral("Tribale"),
        QStringLiteral("Western"),
    };
}

} // namespace melodora
