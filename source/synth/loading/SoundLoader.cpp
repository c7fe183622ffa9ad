#include "synth/loading/SoundLoader.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "synth/SynthParams.h"
#include "utility/Utf8.h"

#include <chrono>
#include <exception>

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

// The record serves request, numbered number, from now on.
void adopt(PendingLoad& record, const PendingLoad& request, std::uint64_t number)
{
    record.request = number;
    record.slot = request.slot;
    record.time = request.time;
    record.mask = request.mask;
    record.failureReport = request.failureReport;
}

} // namespace

SoundLoader::SoundLoader(SynthParams& params, InstallSound install, ThreadTest isAudioThread)
    : params(params), install(std::move(install)), onAudioThread(std::move(isAudioThread))
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
    const PendingLoad request{0, slot, mask, time, nullptr, {}, status};
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
                startLoad(path, request);
                return;
            }
            cached = it->second;
            // The user's latest choice: a load still running now serves it.
            if (const auto pending = pendingLoads.find(path);
                slot < 0 && pending != pendingLoads.end() && cached->state() != audio::LoadState::READY)
                adopt(pending->second, request, nextRequest());
        }
        useCachedPack(cached, slot, time, mask);
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
        adopt(record, request, nextRequest());
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
    return std::async(std::launch::async, &SoundLoader::loadPack, this, std::move(pack));
}

void SoundLoader::useCachedPack(const std::shared_ptr<audio::SoundPack>& pack, int slot, double time,
                                std::uint32_t mask)
{
    const int state = pack->state();
    if (state == audio::LoadState::READY) {
        nextRequest();
        install(pack);
        if (slot < 0)
            params.notifyListener(SOUND_VIEW, mask | GROUP_SOUND);
        else
            params.applyPatchWithSound(slot, time, mask | GROUP_SOUND, pack);
    } else if (state <= audio::LoadState::NOT_FOUND && slot < 0) {
        // Still loading, or missing: a recall neither waits nor asks again.
        params.notifyListener(SOUND_VIEW, mask | GROUP_SOUND);
    }
}

void SoundLoader::loadSlotSound(const std::wstring& path, int slot, double time, std::uint32_t mask)
{
    if (onAudioThread && onAudioThread())
        recallOnAudioThread(path, slot, time, mask);
    else
        loadSoundFile(path, {}, slot, time, mask);
}

void SoundLoader::recallOnAudioThread(const std::wstring& path, int slot, double time, std::uint32_t mask)
{
    std::shared_ptr<audio::SoundPack> ready;
    {
        std::unique_lock lock(mapsLock, std::try_to_lock);
        if (!lock.owns_lock()) {
            deferred.push({slot, time, mask});
            return;
        }
        const auto it = soundCache.find(path);
        if (it == soundCache.end()) {
            // Starting a load allocates and starts a thread: the poll does it.
            deferred.push({slot, time, mask});
            return;
        }
        // Only a ready pack is copied: the cache keeps it for good, so this
        // thread never drops the last reference to a sound.
        if (it->second->state() != audio::LoadState::READY)
            return;
        ready = it->second;
    }
    try {
        useCachedPack(ready, slot, time, mask);
    } catch (const std::exception&) {
        // A recall has no status display to report to.
    }
}

std::uint64_t SoundLoader::pollLoads()
{
    runDeferredRecalls();
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
    // A later request won, or the sound came in from the cache meanwhile.
    if (record.request != lastRequest.load())
        return;
    const bool current = params.getCurrentSound().get() == sound.get();
    if (!current)
        install(sound);
    std::uint32_t flags = GROUP_SOUND;
    if (record.slot >= 0) {
        const double time = record.time < 0.0 ? params.getChangeTime() : record.time;
        params.applyPatchWithSound(record.slot, time, record.mask, sound);
        flags = RECALL_DONE;
    } else if (!current) {
        params.setParam(0, 0.0, 0.0);
        params.setParam(1, double(sound->frameCount()), 0.0);
    }
    params.notifyListener(SOUND_VIEW, flags);
}

void SoundLoader::reportFailure(const std::wstring& path, const PendingLoad& record)
{
    // A load that fails would otherwise end without a word.
    if (record.failureReport)
        record.failureReport("Error opening file - " + utf8::narrowForDisplay(path), STATUS_ERROR);
}

void SoundLoader::runDeferredRecalls()
{
    // Bounded: a recall run here cannot be deferred again on this thread.
    DeferredRecall recall;
    for (std::size_t n = 0; n < DeferredRecalls::CAPACITY && deferred.pop(recall); ++n)
        params.applyPatch(recall.slot, recall.time, recall.mask);
}

std::uint64_t SoundLoader::nextRequest() { return lastRequest.fetch_add(1) + 1; }

std::uint64_t SoundLoader::pendingCount() const
{
    std::lock_guard lock(mapsLock);
    return pendingLoads.size();
}

std::shared_ptr<audio::SoundPack> SoundLoader::findSound(const std::wstring& path) const
{
    std::lock_guard lock(mapsLock);
    const auto it = soundCache.lower_bound(path);
    return it != soundCache.end() && it->first == path ? it->second : nullptr;
}

void SoundLoader::storeLoaded(const std::wstring& path, std::shared_ptr<audio::SoundPack> loaded)
{
    std::lock_guard lock(mapsLock);
    soundCache.insert_or_assign(path, std::move(loaded));
}

} // namespace korvel::veldro
