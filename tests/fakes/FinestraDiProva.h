#pragma once

#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "main_window/frmSonoria.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace melodora::test {

/**
 * A main window on the fake platform, whose program folder is a fresh temporary one.
 * @p file replaces the real file operations (a FileOps that fails on cue).
 */
class FinestraDiProva {
public:
    explicit FinestraDiProva(FileOps* file = nullptr)
        : platform { fake.messaggi, fake.guida, fake.tasti, fake.dialoghi, fake.media, fake.mixer,
            fake.stampante, fake.shell, file ? *file : fileOpsReali(), fake.tag, fake.avanzamento }
    {
        impostaCartellaProgramma(cartella.path());
        finestra = std::make_unique<frmSonoria>(platform);
    }
    ~FinestraDiProva()
    {
        finestra.reset();
        impostaCartellaProgramma(QString());
    }
    FinestraDiProva(const FinestraDiProva&) = delete;
    FinestraDiProva& operator=(const FinestraDiProva&) = delete;

    /** Shows the window and makes it the active one, as a user's click would. */
    [[nodiscard]] bool mostra()
    {
        finestra->show();
        QApplication::setActiveWindow(finestra.get());
        return QTest::qWaitForWindowActive(finestra.get());
    }

    QString archivio() const { return cartella.filePath(QStringLiteral("Sonoria.sng")); }

    QTemporaryDir cartella;
    FakePlatform fake;
    Platform platform;
    std::unique_ptr<frmSonoria> finestra;
};

} // namespace melodora::test
