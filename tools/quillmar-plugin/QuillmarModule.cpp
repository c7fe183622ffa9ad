// The plug-in module Quillmar.so: its entry creates one Processor per instance, with its editor window.
#include "editor/Controller.h"
#include "plugin/Processor.h"
#include "plugin/VstEntry.h"

namespace {

AEffEditor* makeController(korvel::Processor& processor) { return new korvel::Controller(&processor); }

} // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return new korvel::Processor(audioMaster, &makeController);
}
