#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace melodora {

/** One modal progress window with a cancel button; closed when the object goes. */
class Avanzamento {
public:
    virtual ~Avanzamento() = default;
    /**
     * Shows that @p fatti steps of the total are done, @p testo naming the current one.
     * False once the user has cancelled.
     */
    virtual bool aggiorna(qint64 fatti, const QString& testo) = 0;
};

/** Opens progress windows for long actions. */
class ProgressService {
public:
    virtual ~ProgressService() = default;
    /** A progress window over @p parent, titled @p titolo, for @p totale steps. */
    virtual std::unique_ptr<Avanzamento> apri(QWidget* parent, const QString& titolo, qint64 totale)
        = 0;
};

/** QProgressDialog: shown only when the action lasts longer than half a second. */
class QtProgressService : public ProgressService {
public:
    std::unique_ptr<Avanzamento> apri(
        QWidget* parent, const QString& titolo, qint64 totale) override;
};

} // namespace melodora
