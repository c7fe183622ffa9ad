// The exported entry of a VST 2.4 plug-in module, compiled into each module by
// quillmar_vst_plugin(); the module defines createEffectInstance.
#include "plugin/VstEntry.h"

#define QUILLMAR_EXPORT __attribute__((visibility("default")))

extern "C" {

QUILLMAR_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    return korvel::enterPlugin(audioMaster, createEffectInstance);
}

// Older Linux hosts look the entry up as "main"; C++ reserves that name, so it is given as the symbol only.
QUILLMAR_EXPORT AEffect* legacyPluginMain(audioMasterCallback audioMaster) __asm__("main");
AEffect* legacyPluginMain(audioMasterCallback audioMaster) { return VSTPluginMain(audioMaster); }

}  // extern "C"
