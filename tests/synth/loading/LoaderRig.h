#pragma once

#include "synth/loading/SoundLoader.h"
#include "synth/params/FakeEngine.h"
#include "synth/params/RecordingListener.h"
#include "support/TempDir.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <future>
#include <latch>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace korvel::test {

// A loader whose loads can be held back on their pool threads before they
// start and waited for once they have finished, so tests need no sleeps.
class HeldLoader : public veldro::SoundLoader {
public:
    // Enough threads for every load a test holds at once, whatever the machine.
    static constexpr std::size_t LOAD_THREADS = 4;

    HeldLoader(veldro::SynthParams& params, InstallSound install, ThreadTest isAudioThread)
        : SoundLoader(params, std::move(install), std::move(isAudioThread), LOAD_THREADS)
    {
    }
    ~HeldLoader() override;

    // The next load of path, once its pool thread starts it, waits there
    // until release(path).
    void hold(const std::wstring& path);
    void release(const std::wstring& path);
    // Returns once the load of path has started (it was not dropped).
    void waitUntilStarted(const std::wstring& path);
    // Returns once the load of path has reported its result (or was dropped).
    void waitUntilFinished(const std::wstring& path);

    // The next start fails as if no thread could be started.
    bool failNextStart = false;
    // Runs while a load starts, with the loader's maps locked.
    std::function<void()> duringStart;
    int starts = 0;

protected:
    std::future<int> startWorker(std::shared_ptr<audio::SoundPack> pack) override;

private:
    struct Gate {
        void openOnce()
        {
            if (!opened.exchange(true))
                open.count_down();
        }
        std::atomic<bool> opened{false};
        std::latch started{1};
        std::latch open{1};
        std::latch finished{1};
    };
    std::shared_ptr<Gate>& gate(const std::wstring& path);

    std::map<std::wstring, std::shared_ptr<Gate>> gates;
};

// A loader on a parameter model over a fake engine: installing a sound makes
// it the fake's current sound, as Synth::setSound does.
struct LoaderRig {
    LoaderRig();

    // Loads a file dropped by the user (UTF-8 path) and waits for its worker.
    void dropAndFinish(const std::filesystem::path& path);
    // dropAndFinish, then the poll that installs it.
    void dropAndPoll(const std::filesystem::path& path);
    // The loader's wide key of a file.
    static std::wstring key(const std::filesystem::path& path);
    std::shared_ptr<audio::SoundPack> cached(const std::filesystem::path& path) const;
    std::filesystem::path writeSound(const std::string& name, int frames) const;
    // The calling thread counts as the engine's audio thread until cleared.
    void markAudioThread() { rig.engine.audioThread = std::this_thread::get_id(); }
    void clearAudioThread() { rig.engine.audioThread = std::thread::id{}; }

    testing_support::TempDir dir;
    ParamsRig rig;
    std::vector<std::shared_ptr<audio::SoundPack>> installed;
    std::vector<std::pair<std::string, veldro::StatusColour>> statusTexts;
    veldro::StatusReport status;
    ChangeLog log;
    RecordingListener soundView{0, 0, log};
    HeldLoader loader;
};

} // namespace korvel::test
