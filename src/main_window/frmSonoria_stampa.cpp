// The print button: the card print dialog opens modally; the playback goes on.
#include "main_window/frmSonoria.h"

#include "printing/frmStampa.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace melodora {

TestiScheda frmSonoria::testiDaStampare() const
{
    return { togliSpazi(txtBrano->text()), togliSpazi(txtArtista->text()),
        togliSpazi(txtAlbum->text()), togliSpazi(txtGenere->currentText()),
        togliSpazi(txtAnno->text()), togliSpazi(txtNote->text()),
        togliSpazi(txtTesto->toPlainText()) };
}

void frmSonoria::cmdStampa_Click()
{
    // No archive file stays open between two handlers, so there is none to close here.
    frmStampa stampa(m_platform, testiDaStampare(), txtBrano, this);
    stampa.exec();
}

} // namespace melodora
