#include "audio/AnalysisTrack.h"

#include "audio/WrapIndex.h"

namespace audio {

float ValueTrack::valueAt(std::int32_t index) const {
    if (values.empty())
        return 0.0f;
    return values[std::size_t(wrapIndex(index, 0, values.size() - 1))];
}

} // namespace audio
