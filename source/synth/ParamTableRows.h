#pragma once

#include "synth/ParamTable.h"

#include <vector>

namespace korvel::veldro {

// The 67 written rows in the order they are added (ids 0-5, 7-62, 6, 174-177).
std::vector<ParamInfo> makeTableRows();

} // namespace korvel::veldro
