#include "editor/GuiBridges.h"

namespace korvel::veldro {

void GuiBridges::applyPendingUpdates()
{
    for (auto& bridge : bridges)
        bridge->applyPendingUpdate();
}

} // namespace korvel::veldro
