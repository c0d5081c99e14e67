// Saving and deleting cards, and emptying the audio path.
#include "main_window/frmSonoria.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace melodora {

Scheda frmSonoria::SchedaDaCampi() const
{
    QString testo = txtTesto->toPlainText();
    testo.replace(QLatin1Char('\n'), QStringLiteral("\r\n")); // CR LF on disk
    return Scheda::daTesti({ txtBrano->text(), txtArtista->text(), txtAlbum->text(),
        txtGenere->currentText(), txtAnno->text(), txtNote->text(), testo, txtMP3->text() });
}

void frmSonoria::cmdSalva_Click() { }

void frmSonoria::cmdElimina_Click() { }

void frmSonoria::imgGomma_MouseUp()
{
    CloseAudio();
    txtMP3->setText(QString());
}

} // namespace melodora
