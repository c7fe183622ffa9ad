#pragma once

#include "synth/loading/DeferredRecalls.h"
#include "synth/loading/ISlotSoundLoader.h"
#include "synth/loading/PathOrder.h"
#include "synth/loading/PendingLoad.h"
#include "synth/loading/StatusReport.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace audio {
class SoundPack;
}

namespace korvel::veldro {

class SynthParams;

// Loads sound files on worker threads and keeps every sound it was asked for
// in a cache keyed by path, ready or failed, so that no path is loaded twice
// (but a failed one that the user asks for again). The editor's idle poll
// installs finished sounds into the engine and then finishes the patch
// recall that asked for them, or resets the selection; of loads that finish
// out of order only the latest request's is installed.
//
// Threads: the editor thread loads and polls; a patch recall reaches the
// loader on the editor thread or, for a MIDI program change, on the audio
// thread, where it never blocks, allocates or waits (what it cannot do at
// once is left for the next poll); each load runs on its own worker. The cache
// and the pending loads are used under one lock, which is never held while
// the engine, the parameters, a listener or a status report is called.
class SoundLoader : public ISlotSoundLoader {
public:
    using SoundCache = std::map<std::wstring, std::shared_ptr<audio::SoundPack>, PathOrder>;
    using PendingLoads = std::map<std::wstring, PendingLoad, PathOrder>;
    // Makes a sound the engine's current one (Synth::setSound).
    using InstallSound = std::function<void(std::shared_ptr<audio::SoundPack>)>;
    // True on the engine's audio thread.
    using ThreadTest = std::function<bool()>;

    // --- owner's thread

    // Becomes params' sound loader for patch recalls until destroyed.
    SoundLoader(SynthParams& params, InstallSound install, ThreadTest isAudioThread = {});
    // Waits for the loads still in flight.
    ~SoundLoader() override;
    SoundLoader(const SoundLoader&) = delete;
    SoundLoader& operator=(const SoundLoader&) = delete;

    // --- editor thread

    // A file the user dropped or chose, path in UTF-8: loaded and installed
    // with a fresh selection. Throws std::range_error("bad conversion") when
    // path is not valid UTF-8; other failures go to status.
    void loadSound(const std::string& path, const StatusReport& status);
    // Starts a load for a path not cached yet, or for a failed one when slot
    // is negative (the user's choice; recalls never ask again); a cached path
    // is installed at once when ready (then slot, if not negative, is
    // recalled with time and mask), and otherwise left alone. A failure to
    // start goes to status as "Error opening file - <reason>" in red, a load
    // that fails later as "Error opening file - <path>" (from the poll).
    void loadSoundFile(const std::wstring& path, const StatusReport& status, int slot, double time,
                       std::uint32_t mask);
    // Runs the recalls the audio thread left over, then handles at most one
    // finished load (the first in path order); never waits for a running one.
    // Returns the number of loads still pending.
    std::uint64_t pollLoads();

    // --- any thread

    // The cached pack of path (ready or not); null when path was never asked for.
    std::shared_ptr<audio::SoundPack> findSound(const std::wstring& path) const;

    // --- editor thread, or the audio thread for a MIDI program change

    void loadSlotSound(const std::wstring& path, int slot, double time, std::uint32_t mask) override;

    // --- loading worker

    // Reads and analyses pack's file; the analysed pack replaces the
    // placeholder in the cache. Returns the final load state.
    int loadPack(std::shared_ptr<audio::SoundPack> pack);

protected:
    // Runs loadPack(pack) on a thread of its own. Called with the maps
    // locked; may throw when no thread can be started.
    virtual std::future<int> startWorker(std::shared_ptr<audio::SoundPack> pack);

private:
    void startLoad(const std::wstring& path, const PendingLoad& request);
    void useCachedPack(const std::shared_ptr<audio::SoundPack>& pack, int slot, double time, std::uint32_t mask);
    void recallOnAudioThread(const std::wstring& path, int slot, double time, std::uint32_t mask);
    void finish(const std::wstring& path, PendingLoad& record, std::shared_ptr<audio::SoundPack> sound);
    void installFinished(const PendingLoad& record, std::shared_ptr<audio::SoundPack> sound);
    static void reportFailure(const std::wstring& path, const PendingLoad& record);
    void runDeferredRecalls();
    std::uint64_t nextRequest();
    std::uint64_t pendingCount() const;
    void storeLoaded(const std::wstring& path, std::shared_ptr<audio::SoundPack> loaded);

    SynthParams& params;
    InstallSound install;
    ThreadTest onAudioThread;
    DeferredRecalls deferred;
    // Numbers the requests that take effect (a load started or adopted, a
    // sound installed), from any thread.
    std::atomic<std::uint64_t> lastRequest{0};
    mutable std::mutex mapsLock;
    SoundCache soundCache;
    // Declared last, destroyed first: its records wait for their workers,
    // which still write soundCache under mapsLock.
    PendingLoads pendingLoads;
};

} // namespace korvel::veldro
