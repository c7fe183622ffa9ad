#include "vstgui/lib/platform/iplatformframe.h"

namespace VSTGUI {

std::unique_ptr<IPlatformFrame> createX11PlatformFrame(CFrame&, void*, const CRect&)
{
    return nullptr;
}

} // namespace VSTGUI
