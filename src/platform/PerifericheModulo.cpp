// The module that the window program loads when it first plays, prints, sets the volume or
// reads an audio file's tags: the only part of it that links those libraries.
#include "platform/LettoreTag.h"
#include "platform/MediaQt.h"
#include "platform/MixerAlsa.h"
#include "platform/Periferiche.h"
#include "platform/StampanteQt.h"

#include <QtGlobal>

namespace melodora {
namespace {
    class PerifericheReali : public Periferiche {
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
        const LettoreTag& tag() override { return lettoreTagReale(); }
    };
}
} // namespace melodora

extern "C" Q_DECL_EXPORT melodora::Periferiche* melodora_periferiche()
{
    static melodora::PerifericheReali periferiche;
    return &periferiche;
}
