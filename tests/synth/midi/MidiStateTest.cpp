#include "synth/params/FakeEngine.h"

#include <gtest/gtest.h>

namespace korvel::veldro {
namespace {

constexpr double RATE = 44100.0;
constexpr int SUB_BLOCK = 8;

NoteRecord on(int note, int velocity = 100, int delta = 0, int channel = 0)
{
    return {std::uint8_t(note), std::uint8_t(channel), NoteRecord::NOTE_ON, std::uint8_t(velocity), delta};
}

NoteRecord off(int note, int delta = 0, int channel = 0)
{
    return {std::uint8_t(note), std::uint8_t(channel), NoteRecord::NOTE_OFF, 0, delta};
}

class MidiStateTest : public ::testing::Test {
protected:
    MidiStateTest() { midi.keyboardMode = true; }

    void press(const NoteRecord& note) { midi.noteOn(note, rig.params, RATE); }
    void release(const NoteRecord& note) { midi.noteOff(note, rig.params, RATE); }
    void advance(int subBlocks = 1)
    {
        for (int i = 0; i < subBlocks; ++i)
            midi.advance(SUB_BLOCK, RATE, rig.params);
    }

    test::ParamsRig rig;
    MidiState midi;
};

TEST_F(MidiStateTest, ReleasingTheLatestKeyReturnsToTheOneBelowWithoutNewAttack)
{
    press(on(60));
    press(on(64));
    advance(10);
    const double level = midi.envelope1.level.current;
    release(off(64));
    EXPECT_EQ(midi.currentNote, 60.0);
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::ATTACK);
    EXPECT_EQ(midi.envelope1.level.current, level);
}

TEST_F(MidiStateTest, ReleasingAnOlderKeyKeepsTheNoteAndTheLastReleaseStartsTheRelease)
{
    press(on(60));
    press(on(64));
    release(off(60));
    EXPECT_EQ(midi.currentNote, 64.0);
    EXPECT_NE(midi.envelope1.state, MidiEnvelope::RELEASE);
    release(off(64));
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::RELEASE);
    EXPECT_EQ(midi.envelope2.state, MidiEnvelope::RELEASE);
}

TEST_F(MidiStateTest, StaleStackEntriesAreSkippedWhenTheTopIsReleased)
{
    press(on(60));
    press(on(62));
    press(on(64));
    release(off(62)); // not the top: stays in the stack until it surfaces
    release(off(64));
    EXPECT_EQ(midi.currentNote, 60.0);
}

TEST_F(MidiStateTest, ChannelsPlayTheSamePitch)
{
    press(on(60, 100, 0, 1));
    EXPECT_EQ(midi.currentNote, 60.0);
    EXPECT_EQ(midi.noteOffset(), 0.0);
    EXPECT_TRUE(midi.isHeld(1, 60));
    EXPECT_FALSE(midi.isHeld(0, 60));
    release(off(60, 0, 0)); // another channel's key: not held, nothing released
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::ATTACK);
}

TEST_F(MidiStateTest, WithoutAReadySoundNotesSetPitchAndVelocityOnly)
{
    midi.keyboardMode = false;
    press(on(72, 64));
    EXPECT_EQ(midi.currentNote, 72.0);
    EXPECT_EQ(midi.velocity.target, 0.5);
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::IDLE);
    EXPECT_EQ(midi.envelope2.state, MidiEnvelope::IDLE);
}

TEST_F(MidiStateTest, NoteWaitsForItsFrameBeforeTheAttack)
{
    press(on(60, 100, 256));
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::WAITING);
    advance(31);
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::WAITING);
    EXPECT_EQ(midi.envelope1.level.current, 0.0);
    EXPECT_EQ(midi.envelope1.levelAt(5), 0.0);
    advance();
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::ATTACK);
}

TEST_F(MidiStateTest, EnvelopeStagesFollowTheAdsrPoints)
{
    // adsr1: attack 12.5 ms to 1, decay 100 ms to 0.8, release 2700 ms to 0.
    press(on(60, 128));
    const double attackFrames = 0.0125 * RATE;
    EXPECT_DOUBLE_EQ(midi.envelope1.level.rate, 1.0 / attackFrames);
    EXPECT_DOUBLE_EQ(midi.envelope1.levelAt(4), 4.0 / attackFrames);

    int subBlocks = 0;
    while (midi.envelope1.state == MidiEnvelope::ATTACK) {
        advance();
        ++subBlocks;
    }
    EXPECT_EQ(subBlocks, int(attackFrames / SUB_BLOCK) + 1); // the first tick past 12.5 ms
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::DECAY);
    EXPECT_EQ(midi.envelope1.level.target, 0.8);

    advance(int(0.1 * RATE / SUB_BLOCK) + 1);
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::SUSTAIN);
    EXPECT_NEAR(midi.envelope1.level.current, 0.8, 1e-5);
    EXPECT_EQ(midi.envelope2.state, MidiEnvelope::ATTACK); // 800 ms attack

    release(off(60));
    EXPECT_EQ(midi.envelope1.level.target, 0.0);
    EXPECT_DOUBLE_EQ(midi.envelope1.releaseEnd, 2.7);
    advance(int(2.7 * RATE / SUB_BLOCK) + 1);
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::IDLE);
    EXPECT_EQ(midi.envelope1.level.current, 0.0);
}

TEST_F(MidiStateTest, EnvelopeTimesAreLimitedToOneMillisecondAndOneMinute)
{
    rig.params.setParam(28, 0.0, 0.0);
    press(on(60));
    EXPECT_DOUBLE_EQ(midi.envelope1.attackEnd, 0.001);
    rig.params.setParam(28, 100000.0, 0.0);
    press(on(62));
    EXPECT_DOUBLE_EQ(midi.envelope1.attackEnd, 60.0);
}

TEST_F(MidiStateTest, LegatoNoteGlidesFromTheCurrentLevel)
{
    press(on(60, 128));
    advance(100);
    const double level = midi.envelope1.level.current;
    press(on(64, 64));
    EXPECT_EQ(midi.envelope1.level.current, level);
    EXPECT_EQ(midi.envelope1.level.target, 0.5);
}

TEST_F(MidiStateTest, ControllersGlideOverTwoTenthsOfASecond)
{
    midi.controller(224, 0, 0);
    EXPECT_EQ(midi.pitchBend.target, -1.0);
    EXPECT_DOUBLE_EQ(midi.pitchBend.rate, -5.0);
    midi.controller(224, 16383, 0);
    EXPECT_NEAR(midi.pitchBend.target, 0.99988, 1e-5);
    midi.controller(1, 64, 0);
    EXPECT_EQ(midi.modWheel.target, 0.5);
    advance(int(0.2 * RATE / SUB_BLOCK) + 1);
    EXPECT_EQ(midi.modWheel.current, 0.5);
    midi.controller(7, 100, 0); // volume: ignored
    EXPECT_EQ(midi.modWheel.target, 0.5);

    press(on(60, 32));
    midi.controller(160, 61, 127); // aftertouch of another note: ignored
    EXPECT_EQ(midi.velocity.target, 0.25);
    midi.controller(160, 60, 96);
    EXPECT_EQ(midi.velocity.target, 0.75);
}

// Notes queued from a host block, played through sub-blocks.
class QueuedNotesTest : public MidiStateTest {
protected:
    void receive(const NoteRecord& note, bool soundReady = true) { midi.receiveNote(note, soundReady, rig.params, RATE); }
};

TEST_F(QueuedNotesTest, NoteStartsInTheSubBlockThatHoldsItsFrame)
{
    receive(on(60, 100, 20));
    advance(2); // frames 0..15
    EXPECT_FALSE(midi.isHeld(0, 60));
    advance();
    EXPECT_TRUE(midi.isHeld(0, 60));
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::ATTACK); // the wait of 4 frames passed in this sub-block
}

TEST_F(QueuedNotesTest, NoteWithOnAndOffInOneBlockIsHeard)
{
    for (const auto& [onFrame, offFrame] : {std::pair{0, 100}, std::pair{3, 5}, std::pair{6, 9}}) {
        MidiState fresh;
        midi = fresh;
        receive(on(60, 100, onFrame));
        receive(off(60, offFrame));
        double loudest = 0.0;
        for (int i = 0; i < 64 && midi.envelope1.state != MidiEnvelope::RELEASE; ++i) {
            advance();
            loudest = std::max<double>(loudest, midi.envelope1.level.current);
        }
        EXPECT_GT(loudest, 0.0) << onFrame << ".." << offFrame;
        EXPECT_FALSE(midi.isHeld(0, 60));
        advance(int(2.7 * RATE / SUB_BLOCK) + 2);
        EXPECT_EQ(midi.envelope1.state, MidiEnvelope::IDLE);
    }
}

TEST_F(QueuedNotesTest, KeyboardModeIsTheSoundStateAtTheNote)
{
    receive(on(60), false);
    advance();
    EXPECT_FALSE(midi.keyboardMode);
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::IDLE);
    receive(on(62), true);
    advance();
    EXPECT_TRUE(midi.keyboardMode);
    EXPECT_EQ(midi.currentNote, 62.0);
}

TEST_F(QueuedNotesTest, RecordsOfOtherKindsPlayNoNote)
{
    receive(on(60));
    advance(2);
    for (std::uint8_t kind : {0xA0, 0xB0, 0x00, 0xFF}) {
        receive({60, 0, kind, 0, 0}, false);
        receive({64, 0, kind, 100, 0}, false);
        advance(2);
        EXPECT_TRUE(midi.isHeld(0, 60)) << int(kind);
        EXPECT_FALSE(midi.isHeld(0, 64)) << int(kind);
        EXPECT_EQ(midi.currentNote, 60.0) << int(kind);
        EXPECT_EQ(midi.envelope1.state, MidiEnvelope::ATTACK) << int(kind);
        EXPECT_FALSE(midi.keyboardMode) << "the sound state is still taken at every record";
    }
}

TEST_F(QueuedNotesTest, FullQueuePlaysItsOldestNoteAtOnce)
{
    for (int i = 0; i < MidiState::MAX_PENDING_NOTES; ++i)
        receive(on(i % 128, 100, 1000000));
    EXPECT_FALSE(midi.isHeld(0, 0));
    receive(off(0, 1000000));
    EXPECT_TRUE(midi.isHeld(0, 0));
    midi.applyPendingNotes(rig.params, RATE);
    EXPECT_FALSE(midi.isHeld(0, 0));
    EXPECT_TRUE(midi.isHeld(0, 127));
}

TEST_F(MidiStateTest, ManyHeldKeysOverflowTheStackSafely)
{
    for (int channel = 0; channel < 3; ++channel)
        for (int note = 0; note < 128; ++note)
            press(on(note, 100, 0, channel));
    EXPECT_EQ(midi.currentNote, 127.0);
    release(off(127, 0, 2));
    EXPECT_EQ(midi.currentNote, 126.0);
    for (int channel = 2; channel >= 0; --channel)
        for (int note = 127; note >= 0; --note)
            release(off(note, 0, channel));
    EXPECT_EQ(midi.envelope1.state, MidiEnvelope::RELEASE);
}

} // namespace
} // namespace korvel::veldro
