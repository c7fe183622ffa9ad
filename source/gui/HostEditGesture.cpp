#include "gui/HostEditGesture.h"

#include "synth/ParamTable.h"
#include "synth/SynthParams.h"

#include <algorithm>
#include <numeric>

namespace korvel::gui {

void HostEditGesture::open(VSTGUI::CFrame* target, int id)
{
    if (!target || isOpen(id))
        return;
    if (frame.get() != target) {
        close();
        frame = target;
    }
    openIds.push_back(id);
    target->beginEdit(id);
}

void HostEditGesture::report(VSTGUI::CFrame* target, const veldro::SynthParams& params, int id)
{
    open(target, id);
    params.reportToHost(id);
}

void HostEditGesture::close()
{
    if (frame)
        for (auto id = openIds.rbegin(); id != openIds.rend(); ++id)
            frame->endEdit(*id);
    openIds.clear();
    frame = nullptr;
}

bool HostEditGesture::isOpen(int id) const { return std::find(openIds.begin(), openIds.end(), id) != openIds.end(); }

HostValueSnapshot::HostValueSnapshot(const veldro::SynthParams& params, std::vector<int> ids)
    : params(&params), ids(std::move(ids))
{
    take();
}

void HostValueSnapshot::take()
{
    values.clear();
    for (int id : ids)
        values.push_back(params->getParamNormalized(id));
}

void HostValueSnapshot::reportChanges(VSTGUI::CFrame* frame)
{
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (params->getParamNormalized(ids[i]) == values[i])
            continue;
        HostEditGesture gesture;
        gesture.report(frame, *params, ids[i]);
    }
    take();
}

std::vector<int> recallableParamIds()
{
    std::vector<int> ids(veldro::LAST_CONTROLLER_PARAM + 1);
    std::iota(ids.begin(), ids.end(), 0);
    return ids;
}

} // namespace korvel::gui
