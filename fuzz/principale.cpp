// The libFuzzer entry point of one target, chosen at build time by MELODORA_PROVA.
#include "Bersagli.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy, not fromRawData: files read by the program always end in a terminator.
    const QByteArray dati(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString difetto;
    if (!melodora::fuzz::MELODORA_PROVA(dati, difetto)) {
        std::fprintf(stderr, "proprietà violata: %s\n", qPrintable(difetto));
        std::abort();
    }
    return 0;
}
