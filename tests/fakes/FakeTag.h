#pragma once

#include "platform/Avanzamento.h"
#include "platform/LettoreTag.h"

#include <QHash>
#include <QStringList>

#include <functional>

namespace melodora::test {

/** Tags by path; a path not listed is not a readable audio file. Records what was read. */
class FakeLettoreTag : public LettoreTag {
public:
    bool leggi(const QString& percorso, TagAudio& tag, QString& errore) const override
    {
        letti.append(percorso);
        const auto it = tags.constFind(percorso);
        if (it == tags.constEnd()) {
            errore = QStringLiteral("il file non è un file audio leggibile");
            return false;
        }
        tag = *it;
        return true;
    }
    QHash<QString, TagAudio> tags;
    mutable QStringList letti;
};

/** Counts the progress windows; the user cancels at step annullaA (never when negative). */
class FakeProgress : public ProgressService {
public:
    struct Finestra : Avanzamento {
        explicit Finestra(FakeProgress& p)
            : padre(p)
        {
        }
        bool aggiorna(qint64 fatti, const QString&) override
        {
            return padre.annullaA < 0 || fatti < padre.annullaA;
        }
        FakeProgress& padre;
    };
    std::unique_ptr<Avanzamento> apri(QWidget*, const QString&, qint64) override
    {
        ++aperture;
        return std::make_unique<Finestra>(*this);
    }
    qint64 annullaA = -1;
    int aperture = 0;
};

} // namespace melodora::test
