#pragma once

#include <unicode/ucol.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace melodora {

/**
 * The list order's collation straight from ICU, set as QCollator sets it up for Italian
 * (the locale's BCP 47 name, normalization on, secondary strength for no regard to case,
 * punctuation not ignored); null when ICU cannot open it. The caller closes it.
 */
UCollator* apriCollatoreIcu();

/**
 * The primary weights of the archive's 256 characters, as ranks of one byte each. A sort key
 * begins with the primary weights of a text's characters one after another, so the ranks of
 * a text's first characters order it against another as the key's first bytes do, for the
 * cost of a table: ICU's keys cost more than all the rest of a long list. The few pairs ICU
 * reads as one (l followed by a middle dot) get their own weights. Where the collator has
 * something the table cannot follow, it is not valid.
 */
struct PesiPrimari {
    struct Pesi {
        std::array<uint8_t, 4> rango {}; ///< from 1: 0 is the end of a text
        uint8_t n = 0;
    };
    bool validi = false;
    std::array<Pesi, 256> carattere {};
    std::array<bool, 256> iniziaCoppia {}; ///< the character begins a pair read as one
    std::vector<std::pair<uint16_t, Pesi>> coppie; ///< (first byte << 8 | second, weights)
};

/** The table, from the collator itself, character by character. */
PesiPrimari calcolaPesiPrimari(UCollator* u);

} // namespace melodora
