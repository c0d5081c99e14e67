#pragma once

#include "platform/Platform.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace melodora {

/**
 * The text of the mailto: address for a message, in the order the composer hands the
 * fields over: recipient, subject, body, copy, blind copy. Empty fields leave their pair
 * out; the pairs that remain come as Subject, Body, CC, BCC, the first one after "?".
 * Every value is percent-encoded as a mailto: address requires (UTF-8, blanks kept as
 * %20, line breaks as %0D%0A), so that "&", "=", "#" or "?" typed by the user reach the
 * mail client as text instead of splitting the address. The result is plain ASCII.
 */
QString componiMailto(const QString& indirizzo, const QString& oggetto, const QString& corpo,
    const QString& copia, const QString& copiaNascosta);

/**
 * The e-mail composer: five boxes whose contents are handed to the desktop's mail client
 * as a mailto: address. Shown modally by the about window; closes after a successful
 * hand-over and stays open, text intact, after a failed one.
 */
class frmEmail : public QDialog {
    Q_OBJECT
public:
    explicit frmEmail(Platform& platform, QWidget* parent = nullptr);

    void cmdInvia_Click();

    /** Enter in a single-line box moves on; the box itself inserts nothing. */
    void campo_KeyPress(int& KeyAscii);
    /**
     * Enter (13) in the message text moves on and is consumed; Ctrl+Enter (10) inserts
     * a line break.
     */
    void txtCorpo_KeyPress(int& KeyAscii);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void creaControlli();
    void Form_Load();
    /** Builds the address and hands it to the shell; false (after the message) on failure. */
    bool ApriMailto(const QString& indirizzo, const QString& oggetto, const QString& corpo,
        const QString& copia, const QString& copiaNascosta);
    bool eCampo(const QObject* oggetto) const;

    Platform& m_platform;

public:
    // Controls, named as the window's design names them (objectName too).
    QLabel* lblIndirizzo = nullptr;
    QLabel* lblCc = nullptr;
    QLabel* lblCcn = nullptr;
    QLabel* lblOggetto = nullptr;
    QLabel* lblTesto = nullptr;
    QLineEdit* txtIndirizzo = nullptr;
    QLineEdit* txtCC = nullptr;
    QLineEdit* txtCCN = nullptr;
    QLineEdit* txtOggetto = nullptr;
    QPlainTextEdit* txtCorpo = nullptr;
    QPushButton* cmdInvia = nullptr;
};

} // namespace melodora
