#pragma once

#include "platform/FileCompleto.h"
#include "platform/Platform.h"

#include <memory>

QT_BEGIN_NAMESPACE
class QCoreApplication;
QT_END_NAMESPACE

namespace melodora {

/**
 * The services over Qt Multimedia, Qt Print Support, ALSA and TagLib. The window program
 * and the command line's printing commands load them from a module of their own the first
 * time one is needed (caricaPeriferiche), so that they do not start with those libraries;
 * the tests link them directly (perifericheReali).
 */
class Periferiche {
public:
    virtual ~Periferiche() = default;
    /** Playback, reporting its failures through @p messaggi. */
    virtual std::unique_ptr<MediaService> media(MessageService& messaggi) = 0;
    virtual std::unique_ptr<MixerService> mixer() = 0;
    /** The default printer; PDF files go to the user's documents folder. */
    virtual std::unique_ptr<PrinterService> stampante() = 0;
    /** Every document into the PDF file @p file, printer or not. */
    virtual std::unique_ptr<PrinterService> stampantePdf(const Destinazione& file) = 0;
    virtual const LettoreTag& tag() = 0;
    /**
     * The GUI side of Qt that printing needs (fonts, pages), for a program that shows no
     * window: created on @p argc and @p argv, which must outlive it.
     */
    virtual std::unique_ptr<QCoreApplication> applicazioneGrafica(int& argc, char** argv) = 0;
};

/** The services themselves, for a program that links them. */
Periferiche& perifericheReali();

} // namespace melodora

/** The module's one entry point: its services, alive as long as the module is loaded. */
using MelodoraPerifericheFn = melodora::Periferiche* (*)();
#define MELODORA_PERIFERICHE_SIMBOLO "melodora_periferiche"
