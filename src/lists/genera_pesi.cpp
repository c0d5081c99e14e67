// Run by the build: writes the list order's weights table, as the ICU it is built with gives
// it, for the program to take without asking ICU again when it runs with the same ICU.
#include "lists/PesiPrimari.h"

#include <unicode/uversion.h>

#include <cstdio>
#include <memory>

using namespace melodora;

int main()
{
    const std::unique_ptr<UCollator, decltype(&ucol_close)> u(apriCollatoreIcu(), &ucol_close);
    const PesiPrimari t = calcolaPesiPrimari(u.get());
    UVersionInfo v;
    u_getVersion(v);
    auto pesi = [](const PesiPrimari::Pesi& w) {
        std::printf(
            "{ { %u, %u, %u, %u }, %u }", w.rango[0], w.rango[1], w.rango[2], w.rango[3], w.n);
    };
    std::printf("// Written by genera_pesi from ICU %u.%u.%u.%u.\n", v[0], v[1], v[2], v[3]);
    std::printf(
        "constexpr UVersionInfo kVersioneIcuPesi = { %u, %u, %u, %u };\n", v[0], v[1], v[2], v[3]);
    std::printf("constexpr bool kPesiValidi = %s;\n", t.validi ? "true" : "false");
    std::printf("constexpr PesiPrimari::Pesi kPesiCarattere[256] = {\n");
    for (const PesiPrimari::Pesi& w : t.carattere) {
        std::printf("    ");
        pesi(w);
        std::printf(",\n");
    }
    std::printf("};\nconstexpr bool kIniziaCoppia[256] = {");
    for (size_t b = 0; b < 256; ++b)
        std::printf("%s%s", b % 16 == 0 ? "\n    " : " ", t.iniziaCoppia[b] ? "true," : "false,");
    // One row more than the pairs: an array is never empty.
    std::printf("\n};\nconstexpr std::pair<uint16_t, PesiPrimari::Pesi> kCoppie[] = {\n");
    for (const auto& [coppia, w] : t.coppie) {
        std::printf("    { %u, ", coppia);
        pesi(w);
        std::printf(" },\n");
    }
    std::printf("    { 0, {} },\n};\n");
    return 0;
}
