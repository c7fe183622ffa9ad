#pragma once

#include "plugin/AudioEffect.h"

// Defined by each plug-in module: creates its plug-in object for the host.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

namespace korvel {

using EffectFactory = AudioEffect* (*)(audioMasterCallback audioMaster);

// The work of the exported entry (host's GUI thread): asks the host for its VST
// version and creates the plug-in only when it answers non-zero. Null when the
// host gives no answer or creation fails.
AEffect* enterPlugin(audioMasterCallback audioMaster, EffectFactory create) noexcept;

}  // namespace korvel
