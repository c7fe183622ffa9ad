#pragma once

#include "synth/loading/DeferredRecall.h"
#include "synth/loading/ISlotSoundLoader.h"
#include "synth/loading/LoadPool.h"
#include "synth/loading/PathOrder.h"
#include "synth/loading/PendingLoad.h"
#include "synth/loading/StatusReport.h"

#include <atomic>
#include <cstddef>
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

// Loads sound files on a small pool of worker threads and keeps every sound
// it was asked for in a cache keyed by path, ready or failed, so that no path
// is loaded twice (but a failed one that the user asks for again). Requests
// are numbered by the parameters (SynthParams::newRequest) and only the
// latest takes effect: the editor's idle poll installs a finished sound and
// then finishes the patch recall that asked for it, or resets the selection,
// only while its request is the latest; an older load only fills the cache,
// and one still queued when it is overtaken is dropped before it starts.
//
// Threads: the editor thread loads and polls; a patch recall reaches the
// loader on the editor thread or, for a MIDI program change, on the audio
// thread, where it never blocks, allocates or waits (what it cannot do at
// once is left for the next poll); loads run on the pool. The cache and the
// pending loads are used under one lock, which is never held while the
// engine, the parameters, a listener or a status report is called; a request
// takes effect holding the parameters' write lock, taken before that one.
class SoundLoader : public ISlotSoundLoader {
public:
    using SoundCache = std::map<std::wstring, std::shared_ptr<audio::SoundPack>, PathOrder>;
    using PendingLoads = std::map<std::wstring, PendingLoad, PathOrder>;
    // Makes a sound the engine's current one (Synth::setSound).
    using InstallSound = std::function<void(std::shared_ptr<audio::SoundPack>)>;
    // True on the engine's audio thread.
    using ThreadTest = std::function<bool()>;

    // --- owner's thread

    // Becomes params' sound loader for patch recalls until destroyed; runs
    // at most loadThreads loads at once.
    SoundLoader(SynthParams& params, InstallSound install, ThreadTest isAudioThread = {},
                std::size_t loadThreads = LoadPool::defaultLimit());
    // Drops the loads still queued and waits for the running ones.
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
    // Runs the recall the audio thread left over, then handles at most one
    // finished load (the first in path order); never waits for a running one.
    // Returns the number of loads still pending. Polls on several threads
    // (the editor, the poller, an offline render) take turns.
    std::uint64_t pollLoads();

    // --- any thread

    // The cached pack of path (ready or not); null when path was never asked for.
    std::shared_ptr<audio::SoundPack> findSound(const std::wstring& path) const;
    // Loads queued or running, finished ones not polled yet, a recall the
    // audio thread left for the poll, and a poll in progress: 0 once every
    // request that reached the loader has settled.
    std::uint64_t unsettledCount() const;
    // The latest request has not taken effect yet: a load serves it, a
    // recall the audio thread left waits for the poll, or another thread's
    // poll is installing. Loads it overtook do not count.
    bool awaitsLatestRequest() const;

    // --- editor thread, or the audio thread for a MIDI program change

    void loadSlotSound(const std::wstring& path, int slot, double time, std::uint32_t mask,
                       std::uint64_t request) override;

    // --- loading worker

    // Reads and analyses pack's file; the analysed pack replaces the
    // placeholder in the cache. Returns the final load state.
    int loadPack(std::shared_ptr<audio::SoundPack> pack);

    // --- tests

    // Called on a load's pool thread once its file is read, before a poll
    // can see the load finish: a test holds loads there to decide the order
    // in which they finish, or to keep one running while it calls the host
    // interface. Set before the loads it concerns start; null removes it.
    using FinishGate = std::function<void(const std::wstring& path)>;
    void setFinishGate(FinishGate gate);

protected:
    // Queues the load of pack on the pool: a pool thread drops it if
    // overtaken meanwhile, else runs loadPack; the future gives the final
    // state, or EMPTY for a dropped load. Called with the maps locked; throws
    // when no thread can be started.
    virtual std::future<int> startWorker(std::shared_ptr<audio::SoundPack> pack);
    // On the pool thread, before the load starts: when the request it serves
    // is no longer the latest, the load is dropped and its path left as if
    // never asked for. True when dropped.
    bool dropIfOvertaken(const std::shared_ptr<audio::SoundPack>& pack);
    void submit(LoadPool::Job job) { pool.submit(std::move(job)); }

private:
    void requestSound(const std::wstring& path, const StatusReport& status, int slot, double time,
                      std::uint32_t mask, std::uint64_t request);
    void startLoad(const std::wstring& path, const PendingLoad& request);
    void useCachedPack(const std::shared_ptr<audio::SoundPack>& pack, int slot, double time, std::uint32_t mask,
                       std::uint64_t request);
    void recallOnAudioThread(const std::wstring& path, int slot, double time, std::uint32_t mask,
                             std::uint64_t request);
    void finish(const std::wstring& path, PendingLoad& record, std::shared_ptr<audio::SoundPack> sound);
    void installFinished(const PendingLoad& record, std::shared_ptr<audio::SoundPack> sound);
    static void reportFailure(const std::wstring& path, const PendingLoad& record);
    void runDeferredRecall();
    std::uint64_t pendingCount() const;
    void storeLoaded(const std::wstring& path, std::shared_ptr<audio::SoundPack> loaded);
    void passFinishGate(const std::wstring& path) const;

    SynthParams& params;
    InstallSound install;
    ThreadTest onAudioThread;
    DeferredRecallSlot deferred;
    std::atomic<int> activePolls{0};
    std::mutex pollLock;
    mutable std::mutex mapsLock;
    SoundCache soundCache;
    PendingLoads pendingLoads;
    FinishGate finishGate;
    // Declared last, destroyed first: its running loads still write the maps.
    LoadPool pool;
};

} // namespace korvel::veldro
