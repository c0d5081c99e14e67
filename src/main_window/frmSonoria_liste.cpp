// The buttons that open the search window and the audio list window.
#include "main_window/frmSonoria.h"

#include "lists/frmElencoURL.h"
#include "lists/frmFindInviata.h"

namespace melodora {

void frmSonoria::cmdTrova_Click()
{
    CloseAudio();
    frmFindInviata trova(
        m_platform, [this](qint64 n, const Scheda& s) { MostraScheda(n, s); }, this);
    trova.exec();
}

void frmSonoria::cmdListaMP3_Click()
{
    CloseAudio();
    frmElencoURL elenco(
        m_platform, [this](qint64 n, const Scheda& s) { MostraScheda(n, s); }, this);
    elenco.exec();
}

} // namespace melodora
