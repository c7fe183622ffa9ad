// The plug-in module Quillmar.so: its entry creates one Processor per instance.
#include "plugin/Processor.h"
#include "plugin/VstEntry.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) { return new korvel::Processor(audioMaster); }
