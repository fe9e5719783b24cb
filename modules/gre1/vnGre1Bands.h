#pragma once

#include "modules/vnScannerBands.h"

#include <string>
#include <vector>

// The receive ranges of the scanners the GRE Type 1 module uploads to, one
// row per model, each with the document its figures come from. The window's
// help shows this same table, so the two cannot differ.
struct vnGre1Bands
{
    struct Model
    {
        const char* name; // as it appears in the stored "Scanner Model" ("Pro-89")
        std::vector<vnFrequencyRange> ranges;
        const char* source; // where the figures come from, for the help
    };

    // The range taken for a model without a published figure, and for a
    // stored model the table does not know.
    static constexpr vnFrequencyRange Fallback = vnCommonScannerRange;
    // "No owner's manual or data sheet was found; 25–1,300 MHz is taken."
    static const char* FallbackSource();

    static const std::vector<Model>& Table();
    // The bands of a stored model name ("RadioShack Pro-89"): the row whose
    // name it contains, else the fallback range under the stored name.
    static vnScannerBands ForStoredModel(const std::string& stored);
};
