#include "synth/Synth.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "synth/SynthParamIds.h"
#include "synth/engine/DenormalGuard.h"
#include "synth/engine/SoundFrames.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

Synth::Synth() : params(*this)
{
    setGrainPoolSize(DEFAULT_POOL_SIZE);
}

Synth::~Synth() = default;

void Synth::setSampleRate(double sr)
{
    if (!isUsableSampleRate(sr))
        return;
    requestedRate.store(sr);
    if (getRunState() < RUNNING_WITHOUT_SOUND)
        applySampleRate();
}

void Synth::applySampleRate()
{
    const double sr = requestedRate.load();
    if (sr == sampleRate.load())
        return;
    sampleRate.store(sr);
    output.resize(static_cast<std::uint64_t>(sr * 10.0));
    // Echoes timed for the old rate would come back at the wrong pitch.
    output.clear();
}

void Synth::setGrainPoolSize(std::size_t n)
{
    grains.resize(std::min(n, MAX_POOL_SIZE));
}

bool Synth::setSound(std::shared_ptr<audio::SoundPack> pack)
{
    const std::uint64_t frames = pack && pack->state() == audio::LoadState::READY ? pack->frameCount() : 0;
    const bool withSound = pack != nullptr;
    if (!sounds.publish(std::move(pack), isAudioThread())) {
        refused.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    int running = RUNNING_WITHOUT_SOUND;
    if (withSound)
        runState.compare_exchange_strong(running, RUNNING_WITH_SOUND);
    params.setSoundFrameCount(frames);
    params.setOwnValue(param_id::SOUND_START, 0.0);
    params.setOwnValue(param_id::SOUND_END, static_cast<double>(frames));
    return true;
}

bool Synth::isSoundReady() const
{
    return sounds.latestState() == audio::LoadState::READY;
}

void Synth::resume()
{
    // Hosts never process while they resume: the delay memory is free to resize.
    applySampleRate();
    clockRestart.store(true);
    runState.store(sounds.latestState() >= 0 ? RUNNING_WITH_SOUND : RUNNING_WITHOUT_SOUND);
}

void Synth::suspend()
{
    int running = RUNNING_WITHOUT_SOUND;
    if (!runState.compare_exchange_strong(running, SUSPENDED_WITHOUT_SOUND)) {
        running = RUNNING_WITH_SOUND;
        runState.compare_exchange_strong(running, SUSPENDED_WITH_SOUND);
    }
}

std::shared_ptr<const audio::SoundPack> Synth::getCurrentSound() const
{
    return isAudioThread() ? sounds.currentShared() : sounds.latestSound();
}

bool Synth::isAudioThread() const
{
    return audioThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

Synth::AudioThreadScope::AudioThreadScope(Synth& synth)
    : synth(synth), previous(synth.audioThread.exchange(std::this_thread::get_id(), std::memory_order_relaxed))
{
}

Synth::AudioThreadScope::~AudioThreadScope() { synth.audioThread.store(previous, std::memory_order_relaxed); }

void Synth::render(float** outputs, int n)
{
    if (n <= 0)
        return;
    float* left = outputs[0];
    float* right = outputs[1];
    std::fill_n(left, n, 0.0f);
    std::fill_n(right, n, 0.0f);
    params.retryHeldRecall();
    renderRate = sampleRate.load(std::memory_order_relaxed);
    if (!(renderRate > 0.0)) {
        carry.clear();
        return;
    }
    if (runState.load() < RUNNING_WITH_SOUND) {
        carry.clear();
        // Taken up while nothing plays as well: a program change reads the
        // audio thread's sound, which must not stay one that was taken away.
        takeUpSound();
        midi.applyPendingNotes(params, renderRate);
        return;
    }
    DenormalGuard denormals;
    if (clockRestart.exchange(false))
        grainClock = 1.0;
    int done = carry.deliver(left, right, n);
    for (; n - done >= SUB_BLOCK_FRAMES; done += SUB_BLOCK_FRAMES)
        renderSubBlock(left + done, right + done);
    if (done < n) {
        float blockL[SUB_BLOCK_FRAMES] = {};
        float blockR[SUB_BLOCK_FRAMES] = {};
        renderSubBlock(blockL, blockR);
        const int fits = n - done;
        std::copy_n(blockL, fits, left + done);
        std::copy_n(blockR, fits, right + done);
        carry.keep(blockL, blockR, fits);
    }
}

void Synth::renderSubBlock(float* left, float* right)
{
    takeUpSound();
    if (frameCounter % PARAMETER_TICK_FRAMES == 0)
        parameterTick();
    midi.advance(SUB_BLOCK_FRAMES, renderRate, params);
    movePlayHead();
    grainClock = std::min(grainClock + grainsPerSample * SUB_BLOCK_FRAMES, MAX_GRAIN_BACKLOG);
    if (grainClock >= 1.0 && runState.load(std::memory_order_relaxed) >= RUNNING_WITH_SOUND) {
        spawnGrain();
        grainClock -= 1.0;
    }
    computeKeyboardGains();
    const double* keyboard = keyboardShapes ? keyboardGains : nullptr;
    for (int i = 0; i < SUB_BLOCK_FRAMES; ++i) {
        mixed[2 * i] = left[i];
        mixed[2 * i + 1] = right[i];
    }
    grains.forEachActive([&](Grain& grain) { quads.render(grain, mixed, keyboard); },
                         [&](Grain& grain) { sounds.removeGrain(grain.sound); });
    quads.flush(mixed, keyboard);
    for (int i = 0; i < SUB_BLOCK_FRAMES; ++i) {
        left[i] = static_cast<float>(mixed[2 * i]);
        right[i] = static_cast<float>(mixed[2 * i + 1]);
    }
    output.process(left, right);
    // A value that is not finite must never reach the host.
    for (float* channel : {left, right}) {
        for (int i = 0; i < SUB_BLOCK_FRAMES; ++i) {
            if (!std::isfinite(channel[i])) {
                channel[i] = 0.0f;
                ++nonFiniteOutputs;
            }
        }
    }
    frameCounter += SUB_BLOCK_FRAMES;
    sharedPlayPosition.store(playPosition, std::memory_order_relaxed);
}

void Synth::takeUpSound()
{
    if (!sounds.takeUp())
        return;
    startFrame = 0;
    endFrame = soundFrames(sounds.current());
    playPosition = 0.0;
}

void Synth::parameterTick()
{
    params.advance(PARAMETER_TICK_FRAMES / renderRate);
    params.updateDensity();
    const audio::SoundPack* sound = sounds.current();
    const int frames = soundFrames(sound);
    startFrame = frameWithin(params.getParam(param_id::SOUND_START).first, frames);
    endFrame = selectionEnd(params.getParam(param_id::SOUND_END).first, frames);
    const double soundRate = sound ? sound->format().sampleRate : 0.0;
    const auto [rate, rateModulation] = params.getModulation(param_id::PLAY_RATE, -1);
    playIncrement = (rate + 4.0 * rateModulation) * soundRate / renderRate;
    const auto [grainRate, grainRateModulation] = params.getModulation(param_id::GRAIN_RATE, -1);
    const double r = grainRate + grainRateModulation * (10.0 + 0.5 * grainRate);
    // max last: a NaN rate becomes the lowest one.
    grainsPerSample = std::max(MIN_GRAIN_RATE, std::min(r, MAX_GRAIN_RATE)) / renderRate;
}

void Synth::movePlayHead()
{
    // A reversed selection is walked as the range between its ends.
    const int first = std::min(startFrame, endFrame);
    const int last = std::max(startFrame, endFrame);
    playPosition += playIncrement * SUB_BLOCK_FRAMES;
    if (playPosition < 0.0)
        playPosition += last;
    if (playPosition < first || playPosition > last) {
        const double r = std::fmod(playPosition - first, static_cast<double>(last - first));
        playPosition = r >= 0.0 ? r + first : r + last;
    }
    // An empty selection (or a NaN step) holds the head at the selection.
    if (last == first || std::isnan(playPosition))
        playPosition = first;
}

void Synth::computeKeyboardGains()
{
    keyboardShapes = keyboardGain.fill(midi.keyboardMode, midi.envelope1, renderRate, keyboardGains);
}

void Synth::processMidiEvent(const NoteRecord& note)
{
    // A note takes effect at the first sub-block that starts at or after its
    // frame. Small host blocks make the engine render up to 7 frames ahead
    // (the carried frames); rounding up, never down, means a note always
    // arrives before that sub-block is rendered, so the output does not
    // depend on the host's block lengths.
    NoteRecord due = note;
    const int ahead = note.deltaFrames - carry.count();
    due.deltaFrames = ahead <= 0 ? 0 : (ahead + SUB_BLOCK_FRAMES - 1) / SUB_BLOCK_FRAMES * SUB_BLOCK_FRAMES;
    midi.receiveNote(due, isSoundReady(), params, sampleRate.load(std::memory_order_relaxed));
}

void Synth::processProgramChange(int slot)
{
    // A sound installed since the last block plays from the next one: the recall compares its
    // slot's sound with that one, or it would leave its values on a sound it does not name.
    takeUpSound();
    params.applyPatch(slot, -1.0, MASK_DEFAULT);
}

void Synth::processMidiController(int kind, int value, int value2)
{
    midi.controller(kind, value, value2);
}

} // namespace korvel::veldro
