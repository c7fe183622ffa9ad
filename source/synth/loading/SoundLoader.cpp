#include "synth/loading/SoundLoader.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "synth/SynthParams.h"
#include "utility/Utf8.h"

#include <chrono>
#include <exception>
#include <future>
#include <memory>

namespace korvel::veldro {

namespace {

// Listener 0 is the sound-file view.
constexpr int SOUND_VIEW = 0;
// A dropped file: every group but the globals, as a change from the synthesizer.
constexpr std::uint32_t DROP_MASK = 0x20F;
constexpr std::uint32_t RECALL_DONE = CHANGED_BY_HOST | GROUP_SOUND;

bool isFinished(const std::future<int>& result)
{
    return result.valid() && result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

bool isFailed(int state) { return audio::LoadState::isFinal(state) && state != audio::LoadState::READY; }

// The record serves request from now on. A recall has no status display of
// its own: the one the load came with stays (and nothing is freed, which the
// audio thread must not do).
void adopt(PendingLoad& record, std::uint64_t request, int slot, double time, std::uint32_t mask,
           const StatusReport& status)
{
    record.request = request;
    record.slot = slot;
    record.time = time;
    record.mask = mask;
    if (status)
        record.failureReport = status;
}

// What a poll has taken out of the maps or the deferred recall is unsettled
// until the poll is done: counted while this lives.
class PollInProgress {
public:
    explicit PollInProgress(std::atomic<int>& polls) : polls(polls)
    {
        polls.fetch_add(1, std::memory_order_acq_rel);
    }
    ~PollInProgress() { polls.fetch_sub(1, std::memory_order_acq_rel); }
    PollInProgress(const PollInProgress&) = delete;
    PollInProgress& operator=(const PollInProgress&) = delete;

private:
    std::atomic<int>& polls;
};

} // namespace

SoundLoader::SoundLoader(SynthParams& params, InstallSound install, ThreadTest isAudioThread,
                         std::size_t loadThreads)
    : params(params), install(std::move(install)), onAudioThread(std::move(isAudioThread)), pool(loadThreads)
{
    params.setSoundLoader(this);
}

SoundLoader::~SoundLoader() { params.setSoundLoader(nullptr); }

void SoundLoader::loadSound(const std::string& path, const StatusReport& status)
{
    loadSoundFile(utf8::widen(path), status, -1, -1.0, DROP_MASK);
}

void SoundLoader::loadSoundFile(const std::wstring& path, const StatusReport& status, int slot, double time,
                                std::uint32_t mask)
{
    const auto requesting = params.lockForWriting();
    requestSound(path, status, slot, time, mask, params.newRequest());
}

void SoundLoader::requestSound(const std::wstring& path, const StatusReport& status, int slot, double time,
                               std::uint32_t mask, std::uint64_t request)
{
    try {
        std::shared_ptr<audio::SoundPack> cached;
        {
            std::lock_guard lock(mapsLock);
            const auto it = soundCache.find(path);
            const bool retry = it != soundCache.end() && slot < 0 && isFailed(it->second->state()) &&
                               !pendingLoads.contains(path);
            if (retry)
                soundCache.erase(it);
            if (retry || it == soundCache.end()) {
                startLoad(path, {request, slot, mask, time, nullptr, {}, status});
                return;
            }
            cached = it->second;
            // The latest request: a load still queued or running now serves it.
            if (const auto pending = pendingLoads.find(path);
                pending != pendingLoads.end() && cached->state() != audio::LoadState::READY)
                adopt(pending->second, request, slot, time, mask, status);
        }
        useCachedPack(cached, slot, time, mask, request);
    } catch (const std::exception& e) {
        if (status)
            status(std::string("Error opening file - ") + e.what(), STATUS_ERROR);
    }
}

void SoundLoader::startLoad(const std::wstring& path, const PendingLoad& request)
{
    auto pack = std::make_shared<audio::SoundPack>(path);
    const auto cached = soundCache.emplace(path, pack).first;
    try {
        const auto pending = pendingLoads.try_emplace(path).first;
        PendingLoad& record = pending->second;
        adopt(record, request.request, request.slot, request.time, request.mask, request.failureReport);
        record.pack = pack;
        try {
            record.result = startWorker(pack);
        } catch (...) {
            pendingLoads.erase(pending);
            throw;
        }
    } catch (...) {
        // Without its worker the placeholder would keep the path from ever loading.
        soundCache.erase(cached);
        throw;
    }
}

std::future<int> SoundLoader::startWorker(std::shared_ptr<audio::SoundPack> pack)
{
    auto load = std::make_shared<std::packaged_task<int()>>(
        [this, pack] {
            if (dropIfOvertaken(pack))
                return int(audio::LoadState::EMPTY);
            const int state = loadPack(pack);
            passFinishGate(pack->name());
            return state;
        });
    std::future<int> result = load->get_future();
    pool.submit([load] { (*load)(); });
    return result;
}

bool SoundLoader::dropIfOvertaken(const std::shared_ptr<audio::SoundPack>& pack)
{
    std::lock_guard lock(mapsLock);
    const auto pending = pendingLoads.find(pack->name());
    if (pending == pendingLoads.end() || params.isLatestRequest(pending->second.request))
        return false;
    soundCache.erase(pack->name());
    pendingLoads.erase(pending);
    return true;
}

void SoundLoader::useCachedPack(const std::shared_ptr<audio::SoundPack>& pack, int slot, double time,
                                std::uint32_t mask, std::uint64_t request)
{
    const int state = pack->state();
    if (state == audio::LoadState::READY) {
        install(pack);
        if (slot < 0)
            params.notifyListener(SOUND_VIEW, mask | GROUP_SOUND);
        else
            params.applyPatchWithSound(slot, time, mask | GROUP_SOUND, pack, request);
    } else if (state <= audio::LoadState::NOT_FOUND && slot < 0) {
        // Still loading, or missing: a recall neither waits nor asks again.
        params.notifyListener(SOUND_VIEW, mask | GROUP_SOUND);
    }
}

void SoundLoader::loadSlotSound(const std::wstring& path, int slot, double time, std::uint32_t mask,
                                std::uint64_t request)
{
    if (onAudioThread && onAudioThread())
        recallOnAudioThread(path, slot, time, mask, request);
    else
        requestSound(path, {}, slot, time, mask, request);
}

void SoundLoader::recallOnAudioThread(const std::wstring& path, int slot, double time, std::uint32_t mask,
                                      std::uint64_t request)
{
    std::shared_ptr<audio::SoundPack> ready;
    {
        std::unique_lock lock(mapsLock, std::try_to_lock);
        if (!lock.owns_lock()) {
            deferred.put({slot, time, mask, request});
            return;
        }
        const auto it = soundCache.find(path);
        if (it == soundCache.end()) {
            // Starting a load allocates: the poll does it.
            deferred.put({slot, time, mask, request});
            return;
        }
        if (it->second->state() != audio::LoadState::READY) {
            if (const auto pending = pendingLoads.find(path); pending != pendingLoads.end())
                adopt(pending->second, request, slot, time, mask, {});
            return;
        }
        // Only a ready pack is copied: the cache keeps it for good, so this
        // thread never drops the last reference to a sound.
        ready = it->second;
    }
    try {
        useCachedPack(ready, slot, time, mask, request);
    } catch (const std::exception&) {
        // A recall has no status display to report to.
    }
}

std::uint64_t SoundLoader::pollLoads()
{
    const PollInProgress polling(activePolls);
    const std::lock_guard turn(pollLock);
    runDeferredRecall();
    PendingLoads::node_type finished;
    std::shared_ptr<audio::SoundPack> sound;
    {
        std::lock_guard lock(mapsLock);
        for (auto it = pendingLoads.begin(); it != pendingLoads.end(); ++it) {
            if (!isFinished(it->second.result))
                continue;
            if (const auto cached = soundCache.find(it->first); cached != soundCache.end())
                sound = cached->second;
            finished = pendingLoads.extract(it);
            break;
        }
        if (finished.empty())
            return pendingLoads.size();
    }
    finish(finished.key(), finished.mapped(), std::move(sound));
    return pendingCount();
}

void SoundLoader::finish(const std::wstring& path, PendingLoad& record, std::shared_ptr<audio::SoundPack> sound)
{
    int state = audio::LoadState::FAILED;
    try {
        state = record.result.get();
    } catch (const std::exception&) {
        // A broken load counts as failed; loads still running stay for later polls.
    }
    try {
        if (state == audio::LoadState::READY && sound) {
            installFinished(record, std::move(sound));
        } else {
            reportFailure(path, record);
        }
    } catch (const std::exception&) {
        // A status line or a recall that fails must not end the poll.
    }
}

void SoundLoader::installFinished(const PendingLoad& record, std::shared_ptr<audio::SoundPack> sound)
{
    const auto acting = params.lockForWriting();
    // A later request won: this load only filled the cache.
    if (!params.isLatestRequest(record.request))
        return;
    install(sound);
    std::uint32_t flags = GROUP_SOUND;
    if (record.slot >= 0) {
        const double time = record.time < 0.0 ? params.getChangeTime() : record.time;
        params.applyPatchWithSound(record.slot, time, record.mask, sound, record.request);
        flags = RECALL_DONE;
    } else {
        params.setOwnValue(0, 0.0);
        params.setOwnValue(1, double(sound->frameCount()));
    }
    params.notifyListener(SOUND_VIEW, flags);
}

void SoundLoader::reportFailure(const std::wstring& path, const PendingLoad& record)
{
    // A load that fails would otherwise end without a word.
    if (record.failureReport)
        record.failureReport("Error opening file - " + utf8::narrowForDisplay(path), STATUS_ERROR);
}

void SoundLoader::runDeferredRecall()
{
    if (DeferredRecall recall; deferred.take(recall))
        params.resumeRecall(recall.slot, recall.time, recall.mask, recall.request);
}

std::uint64_t SoundLoader::pendingCount() const
{
    std::lock_guard lock(mapsLock);
    return pendingLoads.size();
}

std::uint64_t SoundLoader::unsettledCount() const
{
    const bool polling = activePolls.load(std::memory_order_acquire) > 0;
    return pendingCount() + (deferred.holdsRecall() ? 1 : 0) + (polling ? 1 : 0);
}

bool SoundLoader::awaitsLatestRequest() const
{
    if (deferred.holdsRecall() || activePolls.load(std::memory_order_acquire) > 0)
        return true;
    std::lock_guard lock(mapsLock);
    for (const auto& [path, record] : pendingLoads)
        if (params.isLatestRequest(record.request))
            return true;
    return false;
}

std::shared_ptr<audio::SoundPack> SoundLoader::findSound(const std::wstring& path) const
{
    std::lock_guard lock(mapsLock);
    const auto it = soundCache.lower_bound(path);
    return it != soundCache.end() && it->first == path ? it->second : nullptr;
}

void SoundLoader::setFinishGate(FinishGate gate)
{
    std::lock_guard lock(mapsLock);
    finishGate = std::move(gate);
}

void SoundLoader::passFinishGate(const std::wstring& path) const
{
    FinishGate gate;
    {
        std::lock_guard lock(mapsLock);
        gate = finishGate;
    }
    if (gate)
        gate(path);
}

void SoundLoader::storeLoaded(const std::wstring& path, std::shared_ptr<audio::SoundPack> loaded)
{
    std::lock_guard lock(mapsLock);
    soundCache.insert_or_assign(path, std::move(loaded));
}

} // namespace korvel::veldro
