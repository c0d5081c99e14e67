#pragma once

#include "platform/Avanzamento.h"
#include "platform/FileOps.h"
#include "platform/PerifericheRitardate.h"
#include "platform/Platform.h"
#include "platform/ServiziQt.h"

namespace melodora {

/** The real services, owned in one place by main() for the program's whole life. */
class PiattaformaReale {
public:
    PiattaformaReale()
        : m_periferiche(m_messaggi)
        , m_platform { m_messaggi, m_guida, m_tasti, m_dialoghi, m_periferiche.media(),
            m_periferiche.mixer(), m_periferiche.stampante(), m_shell, fileOpsReali(),
            m_periferiche.tag(), m_avanzamento }
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
    // Playback, the mixer, the printer and the tags, loaded when first used.
    PerifericheRitardate m_periferiche;
    QtShellService m_shell;
    QtProgressService m_avanzamento;
    Platform m_platform;
};

} // namespace melodora
