// How the card's fields behave while the user types.
#include "main_window/frmSonoria.h"

#include "platform/Controlli.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace melodora {

namespace {
    constexpr int kLunghezzaGenere = 40;

    // Characters as the archive counts them: a line break is CR LF, two characters.
    qsizetype lunghezzaSuDisco(const QString& testo)
    {
        return testo.size() + testo.count(QLatin1Char('\n'));
    }
}

void frmSonoria::campo_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        m_platform.tasti.inviaTasti(QStringLiteral("{Tab}"));
}

void frmSonoria::txtGenere_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        m_platform.tasti.inviaTasti(QStringLiteral("{Tab}"));
    const QString testo = txtGenere->currentText();
    const qsizetype selezione = txtGenere->lineEdit()->selectedText().size();
    if (testo.size() >= kLunghezzaGenere && selezione == 0) {
        txtGenere->setEditText(testo.left(kLunghezzaGenere));
        KeyAscii = 0;
    }
}

void frmSonoria::limitaTesto()
{
    // The lyrics box refuses characters beyond its 2000, as a text box's maximum
    // length does; whatever was just typed or pasted is cut at the end.
    if (m_limitando)
        return;
    const QString testo = testoIntegro(txtTesto);
    const qsizetype eccesso = lunghezzaSuDisco(testo) - info(Campo::Testo).lunghezza;
    if (eccesso <= 0)
        return;
    m_limitando = true;
    QTextCursor cursore = txtTesto->textCursor();
    const int fine = cursore.position();
    // Remove characters before the caret (the text just inserted) until it fits.
    int inizio = fine;
    qsizetype tolti = 0;
    while (inizio > 0 && tolti < eccesso) {
        --inizio;
        tolti += testo.at(inizio) == QLatin1Char('\n') ? 2 : 1;
    }
    if (tolti < eccesso) {
        // Nothing before the caret to take back: cut the end of the text instead.
        txtTesto->setPlainText(testo.left(testo.size() - eccesso));
    } else {
        cursore.setPosition(inizio);
        cursore.setPosition(fine, QTextCursor::KeepAnchor);
        cursore.removeSelectedText();
        txtTesto->setTextCursor(cursore);
    }
    m_limitando = false;
}

} // namespace melodora
