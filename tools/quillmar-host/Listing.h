#pragma once

#include "PluginInstance.h"

#include <ostream>

namespace korvel::host {

// The plug-in's name, vendor and one line per parameter: index, name, display text, label.
void printListing(std::ostream& out, PluginInstance& plugin);

}  // namespace korvel::host
