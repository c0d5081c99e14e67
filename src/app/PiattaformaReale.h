#pragma once

#include "platform/Avanzamento.h"
#include "platform/FileOps.h"
#include "platform/LettoreTag.h"
#include "platform/MediaQt.h"
#include "platform/MixerAlsa.h"
#include "platform/Platform.h"
#include "platform/ServiziQt.h"
#include "platform/StampanteQt.h"

namespace melodora {

/** The real services, owned in one place by main() for the program's whole life. */
class PiattaformaReale {
public:
    PiattaformaReale()
        : m_media(m_messaggi)
        , m_platform { m_messaggi, m_guida, m_tasti, m_dialoghi, m_media, m_mixer, m_stampante,
            m_shell, fileOpsReali(), lettoreTagReale(), m_avanzamento }
    {
    }
    PiattaformaReale(const PiattaformaReale&) = delete;
    PiattaformaReale& operator=(const PiattaformaReale&) = delete;

    Platform& platform() { return m_platform; }

private:
    QtMessageService m_messaggi;
    QtHelpService m_guida;
    QtKeyService m_tasti;
    QtFileDialogService m_dialoghi;
    QtMediaService m_media;
    AlsaMixerService m_mixer;
    QtPrinterService m_stampante;
    QtShellService m_shell;
    QtProgressService m_avanzamento;
    Platform m_platform;
};

} // namespace melodora
