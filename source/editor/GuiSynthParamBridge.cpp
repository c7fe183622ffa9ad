#include "editor/GuiSynthParamBridge.h"

#include "synth/ParamTable.h"
#include "synth/SynthParams.h"

namespace korvel::veldro {

GuiSynthParamBridge::GuiSynthParamBridge(SynthParams* params, int paramId, std::unique_ptr<Scaling> scaling)
    : params(params), paramId(paramId), scaling(std::move(scaling)), guiThread(std::this_thread::get_id())
{
    mask = getParamInfo(paramId).flags;
}

GuiSynthParamBridge::~GuiSynthParamBridge() = default;

void GuiSynthParamBridge::valueChanged(VSTGUI::CControl* changed)
{
    if (changed)
        setParamFromControl(*changed);
}

std::optional<double> GuiSynthParamBridge::setParamFromControl(const VSTGUI::CControl& source)
{
    if (!params)
        return std::nullopt;
    double v = source.getValue();
    if (scaling)
        v = scaling->toValue(v);
    params->setParam(paramId, v, params->getChangeTime());
    return v;
}

void GuiSynthParamBridge::paramChanged(std::uint32_t)
{
    if (!control || !params)
        return;
    if (std::this_thread::get_id() == guiThread)
        refreshControl();
    else
        refreshPending.store(true, std::memory_order_release);
}

void GuiSynthParamBridge::applyPendingUpdate()
{
    if (refreshPending.exchange(false, std::memory_order_acq_rel) && control && params)
        refreshControl();
}

void GuiSynthParamBridge::refreshControl()
{
    control->setValue(static_cast<float>(params->getParamNormalized(paramId)));
}

double GuiSynthParamBridge::targetValue() const { return params ? params->getParam(paramId).second : 0.0; }

} // namespace korvel::veldro
