// The services over Qt Multimedia, Qt Print Support, ALSA and TagLib, as the module hands
// them out and as the tests link them.
#include "platform/LettoreTag.h"
#include "platform/MediaQt.h"
#include "platform/MixerAlsa.h"
#include "platform/Periferiche.h"
#include "platform/StampanteQt.h"

#include <QGuiApplication>

namespace melodora {

namespace {
    class PerifericheQt : public Periferiche {
    public:
        std::unique_ptr<MediaService> media(MessageService& messaggi) override
        {
            return std::make_unique<QtMediaService>(messaggi);
        }
        std::unique_ptr<MixerService> mixer() override
        {
            return std::make_unique<AlsaMixerService>();
        }
        std::unique_ptr<PrinterService> stampante() override
        {
            return std::make_unique<QtPrinterService>();
        }
        std::unique_ptr<PrinterService> stampantePdf(const Destinazione& file) override
        {
            return std::make_unique<QtPrinterService>(QtPrinterService::versoFilePdf(file));
        }
        const LettoreTag& tag() override { return lettoreTagReale(); }
        std::unique_ptr<QCoreApplication> applicazioneGrafica(int& argc, char** argv) override
        {
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    };
}

Periferiche& perifericheReali()
{
    static PerifericheQt periferiche;
    return periferiche;
}

} // namespace melodora
