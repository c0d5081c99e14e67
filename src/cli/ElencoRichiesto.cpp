#include "cli/ElencoRichiesto.h"

#include "archive/Archivio.h"

#include <QMap>

namespace melodora::cli {

bool ElencoRichiesto::leggiRicerca(const QStringList& parole)
{
    static const QMap<QString, CampoRicerca> campi = {
        { QStringLiteral("titolo"), CampoRicerca::Titolo },
        { QStringLiteral("artista"), CampoRicerca::Artista },
        { QStringLiteral("album"), CampoRicerca::Album },
        { QStringLiteral("genere"), CampoRicerca::Genere },
    };
    static const QMap<QString, AmbitoParole> ambiti = {
        { QStringLiteral("testo"), AmbitoParole::Testo },
        { QStringLiteral("note"), AmbitoParole::Note },
        { QStringLiteral("tutto"), AmbitoParole::Tutto },
    };
    if (parole.size() != 2)
        return false;
    testo = parole.at(1);
    if (campi.contains(parole.at(0))) {
        tipo = Tipo::Iniziali;
        campo = campi.value(parole.at(0));
        return true;
    }
    if (ambiti.contains(parole.at(0))) {
        tipo = Tipo::Parole;
        ambito = ambiti.value(parole.at(0));
        return true;
    }
    return false;
}

bool ElencoRichiesto::leggi(const QStringList& parole, bool tutteAmmesse)
{
    if (parole.isEmpty()) {
        tipo = Tipo::Tutte;
        return tutteAmmesse;
    }
    if (parole.size() == 1 && parole.first() == QLatin1String("audio")) {
        tipo = Tipo::Audio;
        return true;
    }
    return parole.first() == QLatin1String("search") && leggiRicerca(parole.mid(1));
}

QString ElencoRichiesto::criterioVuoto() const
{
    if (tipo == Tipo::Iniziali && CriterioRicerca(campo, testo).vuoto())
        return rigaRicerca(campo).messaggioVuoto;
    if (tipo == Tipo::Parole && CriterioParole(testo).vuoto())
        return QStringLiteral("indicare almeno una parola da cercare");
    return {};
}

Esito ElencoRichiesto::voci(const ArchivioSchede& archivio, VociSchede& voci) const
{
    switch (tipo) {
    case Tipo::Iniziali:
        return cercaSchede(archivio, campo, testo, voci);
    case Tipo::Parole:
        return cercaParole(archivio, ambito, testo, voci);
    case Tipo::Audio:
        return elencoAudio(archivio, voci);
    case Tipo::Tutte:
        break;
    }
    return elencoDove(
        archivio, CampoRicerca::Titolo, [](const char*) { return true; }, voci);
}

QString ElencoRichiesto::criterio() const
{
    if (tipo == Tipo::Iniziali)
        return criterioRicerca(campo, testo);
    if (tipo == Tipo::Parole)
        return criterioParole(testo);
    return {};
}

} // namespace melodora::cli
