#include "modules/gre1/vnGre1Bands.h"

#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

namespace {

using vnText::ToLower;

// "Pro-2016" is not "Pro-201": a name matches only where no digit follows it.
bool ContainsModel(const std::string& stored, const std::string& name)
{
    for (std::size_t at = stored.find(name); at != std::string::npos; at = stored.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if (end == stored.size() || !vnText::IsDigit(stored[end]))
            return true;
    }
    return false;
}

} // namespace

const char* vnGre1Bands::FallbackSource()
{
    static const std::string source =
        vnWords::Say(IDS_BANDS_NO_SOURCE, {vnScannerBands({}, {Fallback}).GetRangesText()});
    return source.c_str();
}

const std::vector<vnGre1Bands::Model>& vnGre1Bands::Table()
{
    // Each model's figures are to come from its owner's manual or the maker's
    // data sheet, named beside them. For none of the six was such a
    // document at hand when the table was made, so each takes the fallback
    // range and says so; a row gets its own ranges once its source is found.
    static const std::vector<Model> table = {
        {"Pro-76", {Fallback}, FallbackSource()},   {"Pro-79", {Fallback}, FallbackSource()},
        {"Pro-82", {Fallback}, FallbackSource()},   {"Pro-89", {Fallback}, FallbackSource()},
        {"Pro-2016", {Fallback}, FallbackSource()}, {"Pro-2017", {Fallback}, FallbackSource()},
    };
    return table;
}

vnScannerBands vnGre1Bands::ForStoredModel(const std::string& stored)
{
    const std::string lower = ToLower(stored);
    for (const Model& model : Table())
        if (ContainsModel(lower, ToLower(model.name)))
            return {model.name, model.ranges};
    // A model typed in or stored by another version: named as stored.
    return {stored, {Fallback}};
}
