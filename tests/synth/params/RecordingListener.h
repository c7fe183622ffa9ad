#pragma once

#include "synth/ISynthParamListener.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace korvel::test {

using ChangeLog = std::vector<std::pair<int, std::uint32_t>>;

// Writes each change it hears as {its id, flags}.
class RecordingListener : public veldro::ISynthParamListener {
public:
    RecordingListener(int id, std::uint32_t listenMask, ChangeLog& log) : id(id), log(log) { mask = listenMask; }
    int getId() const override { return id; }
    void paramChanged(std::uint32_t flags) override { log.emplace_back(id, flags); }

private:
    int id;
    ChangeLog& log;
};

} // namespace korvel::test
