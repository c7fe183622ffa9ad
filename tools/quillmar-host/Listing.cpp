#include "Listing.h"

#include <iomanip>

namespace korvel::host {

void printListing(std::ostream& out, PluginInstance& plugin) {
    const VstInt32 count = plugin.effect().numParams;
    out << "name:       " << plugin.effectName() << '\n'
        << "vendor:     " << plugin.vendorString() << '\n'
        << "parameters: " << count << '\n';
    for (VstInt32 index = 0; index < count; ++index) {
        const ParameterText text = plugin.parameterText(index);
        out << std::setw(5) << index << "  " << std::left << std::setw(28) << text.name << ' ' << std::setw(10)
            << text.display << ' ' << text.label << std::right << '\n';
    }
}

}  // namespace korvel::host
