#include "platform/Avanzamento.h"

#include <QProgressDialog>

#include <limits>

namespace melodora {

namespace {
    class AvanzamentoQt : public Avanzamento {
    public:
        AvanzamentoQt(QWidget* parent, const QString& titolo, qint64 totale)
            : m_dialogo(parent)
            // QProgressDialog counts in int; a larger total is shown scaled down.
            , m_scala(totale > std::numeric_limits<int>::max()
                      ? totale / std::numeric_limits<int>::max() + 1
                      : 1)
        {
            m_dialogo.setObjectName(QStringLiteral("dlgAvanzamento"));
            m_dialogo.setWindowTitle(titolo);
            m_dialogo.setCancelButtonText(QStringLiteral("Annulla"));
            m_dialogo.setWindowModality(Qt::WindowModal);
            m_dialogo.setMinimumDuration(500);
            m_dialogo.setAutoClose(false);
            m_dialogo.setAutoReset(false);
            m_dialogo.setRange(0, static_cast<int>(totale / m_scala));
            m_dialogo.setValue(0);
        }

        bool aggiorna(qint64 fatti, const QString& testo) override
        {
            m_dialogo.setLabelText(testo);
            // A window-modal dialog handles the pending events here, the cancel click too.
            m_dialogo.setValue(static_cast<int>(fatti / m_scala));
            return !m_dialogo.wasCanceled();
        }

    private:
        QProgressDialog m_dialogo;
        qint64 m_scala;
    };
}

std::unique_ptr<Avanzamento> QtProgressService::apri(
    QWidget* parent, const QString& titolo, qint64 totale)
{
    return std::make_unique<AvanzamentoQt>(parent, titolo, totale);
}

} // namespace melodora
