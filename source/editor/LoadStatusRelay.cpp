#include "editor/LoadStatusRelay.h"

#include "gui/TextSender.h"

namespace korvel::veldro {

void LoadStatusRelay::post(const std::string& text, StatusColour colour)
{
    std::lock_guard guard(lock);
    posted.emplace_back(text, colour);
}

void LoadStatusRelay::deliver(const gui::ITextSender& sender)
{
    std::vector<std::pair<std::string, StatusColour>> texts;
    {
        std::lock_guard guard(lock);
        texts.swap(posted);
    }
    for (const auto& [text, colour] : texts)
        sender.sendText(text, VSTGUI::CColor(colour.red, colour.green, colour.blue, colour.alpha));
}

StatusReport LoadStatusRelay::reportTo(const std::shared_ptr<LoadStatusRelay>& relay)
{
    return [weak = std::weak_ptr<LoadStatusRelay>(relay)](const std::string& text, StatusColour colour) {
        if (const auto alive = weak.lock())
            alive->post(text, colour);
    };
}

} // namespace korvel::veldro
