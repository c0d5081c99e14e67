// The printout's word wrap on arbitrary text.
#include "Bersagli.h"

#include "FakeStampa.h"
#include "printing/StampaScheda.h"

#include <QStringList>

namespace melodora::fuzz {

namespace {
    // The words the wrap must print, paragraph by paragraph: a paragraph ends at a line
    // feed and loses one final carriage return; only the blank separates words.
    QStringList paroleAttese(const QString& testo)
    {
        QStringList parole;
        const QStringList paragrafi = testo.split(QLatin1Char('\n'));
        for (QString p : paragrafi) {
            if (p.endsWith(QLatin1Char('\r')))
                p.chop(1);
            parole += p.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        return parole;
    }
}

bool prova_acapo(const QByteArray& dati, QString& difetto)
{
    const QString testo = QString::fromUtf8(dati);
    test::DocumentoRegistrato documento;
    test::CopioneStampa copione;
    copione.scaleWidth = 3500; // 2000 twips of usable width: 20 characters of 100
    copione.larghezzaCarattere = 100;
    test::FakeStampa stampante(documento, copione);
    StampaACapo(stampante, testo);

    QStringList stampate;
    for (const QString& riga : documento.righeComplete()) {
        const QStringList parole = riga.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // Only a single word may run past the right margin.
        if (parole.size() > 1 && riga.size() * copione.larghezzaCarattere > 2000) {
            difetto = QStringLiteral("riga più larga dello spazio utile: ") + riga;
            return false;
        }
        stampate += parole;
    }
    if (stampate != paroleAttese(testo)) {
        difetto = QStringLiteral("parole perse, aggiunte o spostate");
        return false;
    }
    return true;
}

} // namespace melodora::fuzz
