#include "vstgui/lib/platform/iplatformframe.h"

namespace VSTGUI {
namespace {

// No window: the back buffer is the result, read through CFrame's snapshot calls.
class OffscreenPlatformFrame : public IPlatformFrame {
public:
    void present(cairo_surface_t*, const std::vector<CRect>&) override {}
    void setCursor(CCursorType) override {}
    void pumpEvents() override {}
    void close() override {}
};

} // namespace

std::unique_ptr<IPlatformFrame> createOffscreenPlatformFrame(CFrame&)
{
    return std::make_unique<OffscreenPlatformFrame>();
}

} // namespace VSTGUI
