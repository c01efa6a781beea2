// MidiStream's clock, queue and threads, played into a recording sink (no synthesiser), and
// its FluidSynth side where the system has a SoundFont.
#include "toolkit/MidiStream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "assets/Assets.h"
#include "toolkit/MidiSynth.h"
#include "ui/TunePlayer.h"

namespace {

using toolkit::MidiBuffer;
using toolkit::MidiStream;

constexpr int sampleRate = 44100;

struct Sent {
    std::uint32_t message;
    std::uint64_t frame;
};

class RecordingSink : public toolkit::MidiEventSink {
  public:
    void shortMessage(std::uint32_t message, std::uint64_t frame) override {
        sent.push_back({message, frame});
    }
    void allNotesOff() override { ++allNotesOffCount; }

    std::vector<Sent> sent;
    int allNotesOffCount = 0;
};

// A buffer of stream events with its own memory.
struct EventBuffer {
    std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(1024);
    MidiBuffer buffer{memory.data(), 1024};

    EventBuffer& add(std::uint32_t delta, std::uint32_t event) {
        toolkit::writeMidiStreamEvent(memory.data() + buffer.bytesRecorded, {delta, 0, event});
        buffer.bytesRecorded += toolkit::midiStreamEventBytes;
        return *this;
    }
};

// The frame at which an event `ticks` after the stream's start falls due: rounded up.
std::uint64_t dueFrame(std::uint64_t ticks, std::uint64_t tempo, std::uint64_t division) {
    const std::uint64_t units = ticks * tempo * sampleRate;
    const std::uint64_t perFrame = division * 1000000;
    return (units + perFrame - 1) / perFrame;
}

class MidiStreamTest : public ::testing::Test {
  protected:
    RecordingSink sink;
    MidiStream stream{sink, sampleRate};
    std::mutex mutex;
    std::condition_variable handedBack;
    std::vector<MidiBuffer*> done;
    std::vector<std::thread::id> doneThreads;

    void SetUp() override {
        ASSERT_TRUE(stream.open([this](MidiBuffer& buffer) {
            std::lock_guard lock(mutex);
            done.push_back(&buffer);
            doneThreads.push_back(std::this_thread::get_id());
            handedBack.notify_all();
        }));
    }

    bool waitForHandedBack(std::size_t count) {
        std::unique_lock lock(mutex);
        return handedBack.wait_for(lock, std::chrono::seconds(10),
                                   [&] { return done.size() >= count; });
    }
};

TEST_F(MidiStreamTest, EventsFallDueByDivisionAndTempoCountedInFrames) {
    ASSERT_TRUE(stream.setTimeDivision(120));
    EventBuffer events;
    events.add(0, toolkit::shortMessageEvent(0xC0, 30, 0))
        .add(120, toolkit::shortMessageEvent(0x90, 60, 100))  // a quarter at 120 bpm
        .add(0, toolkit::tempoEvent(857143))
        .add(120, toolkit::shortMessageEvent(0x90, 60, 0))  // a quarter at 70 bpm
        .add(3600, toolkit::shortMessageEvent(0x90, 62, 100));
    ASSERT_TRUE(stream.prepare(events.buffer));
    ASSERT_TRUE(stream.queue(events.buffer));
    ASSERT_TRUE(stream.restart());
    // Blocks of odd sizes: the frames are exact whatever the blocks.
    for (int i = 0; i < 3000; ++i) {
        stream.advance(517);
    }
    ASSERT_EQ(sink.sent.size(), 4u);
    EXPECT_EQ(sink.sent[0].frame, 0u);
    EXPECT_EQ(sink.sent[1].frame, 22050u);
    const std::uint64_t quarterAt70 = dueFrame(120, 857143, 120);
    EXPECT_EQ(sink.sent[2].frame, 22050u + quarterAt70);
    EXPECT_EQ(sink.sent[3].frame, 22050u + dueFrame(3720, 857143, 120));
    EXPECT_EQ(sink.sent[3].message, toolkit::shortMessageEvent(0x90, 62, 100));
}

TEST_F(MidiStreamTest, APausedStreamSendsNothingUntilRestarted) {
    EventBuffer events;
    events.add(0, toolkit::shortMessageEvent(0x90, 60, 100));
    ASSERT_TRUE(stream.prepare(events.buffer));
    ASSERT_TRUE(stream.queue(events.buffer));
    stream.advance(44100);
    EXPECT_TRUE(sink.sent.empty());
    ASSERT_TRUE(stream.restart());
    stream.advance(64);
    ASSERT_EQ(sink.sent.size(), 1u);
    EXPECT_EQ(sink.sent[0].frame, 44100u);
}

TEST_F(MidiStreamTest, PlayedBuffersComeBackInOrderOnTheClocksThreadAndStopHandsBackTheRest) {
    ASSERT_TRUE(stream.setTimeDivision(96));
    EventBuffer first, second, third;
    first.add(0, toolkit::shortMessageEvent(0x90, 60, 100));
    second.add(96, toolkit::shortMessageEvent(0x90, 60, 0));
    third.add(96000, toolkit::shortMessageEvent(0x90, 61, 100));
    for (EventBuffer* events : {&first, &second, &third}) {
        ASSERT_TRUE(stream.prepare(events->buffer));
        ASSERT_TRUE(stream.queue(events->buffer));
    }
    ASSERT_TRUE(stream.restart());
    stream.advance(sampleRate);
    {
        std::lock_guard lock(mutex);
        ASSERT_EQ(done.size(), 2u);
        EXPECT_EQ(done[0], &first.buffer);
        EXPECT_EQ(done[1], &second.buffer);
        EXPECT_EQ(doneThreads[0], std::this_thread::get_id());
        EXPECT_FALSE(first.buffer.queued);
    }
    EXPECT_FALSE(stream.unprepare(third.buffer));  // still queued

    ASSERT_TRUE(stream.stop());
    ASSERT_TRUE(waitForHandedBack(3));
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(done[2], &third.buffer);
        EXPECT_NE(doneThreads[2], std::this_thread::get_id());
    }
    EXPECT_EQ(sink.allNotesOffCount, 1);
    EXPECT_TRUE(stream.unprepare(third.buffer));
    ASSERT_TRUE(stream.reset());
    EXPECT_EQ(sink.allNotesOffCount, 2);
}

TEST_F(MidiStreamTest, RefusesWhatItCannotPlay) {
    EXPECT_FALSE(stream.setTimeDivision(0));
    EXPECT_FALSE(stream.setTimeDivision(0x8000));
    EventBuffer events;
    events.add(0, toolkit::shortMessageEvent(0x90, 60, 100));
    EXPECT_FALSE(stream.queue(events.buffer));  // not prepared
    ASSERT_TRUE(stream.prepare(events.buffer));
    events.buffer.bytesRecorded = 13;
    EXPECT_FALSE(stream.queue(events.buffer));
    EXPECT_FALSE(stream.open({}));  // already open
    stream.close();
    EXPECT_FALSE(stream.restart());
}

TEST_F(MidiStreamTest, CloseHandsBackWhatIsStillQueuedBeforeItReturns) {
    EventBuffer events;
    events.add(1000, toolkit::shortMessageEvent(0x90, 60, 100));
    ASSERT_TRUE(stream.prepare(events.buffer));
    ASSERT_TRUE(stream.queue(events.buffer));
    stream.close();
    std::lock_guard lock(mutex);
    EXPECT_EQ(done.size(), 1u);
}

// The embedded tune through the real clock: the second pass starts exactly one tune length
// (3840 ticks at 70 bpm, about 27.4 s) after the first, note for note.
TEST(MidiStreamWithPlayer, TheTuneLoopsWithoutAGapInFrames) {
    RecordingSink sink;
    MidiStream stream(sink, sampleRate);
    ui::TunePlayer player(stream);
    ASSERT_TRUE(player.loadTune(assets::backgroundTune()));
    ASSERT_TRUE(player.playTune(true));
    for (int i = 0; i < 60 * sampleRate / 512; ++i) {
        stream.advance(512);
    }
    player.stopTune();

    std::vector<std::uint64_t> noteFrames;
    for (const Sent& sent : sink.sent) {
        if ((sent.message & 0xF0) == 0x90 && (sent.message >> 16) != 0) {
            noteFrames.push_back(sent.frame);
        }
    }
    ASSERT_GE(noteFrames.size(), 2u * 483);
    const std::uint64_t loop = dueFrame(3840, 857143, 120);
    for (std::size_t i = 0; i < 483; ++i) {
        // Within a frame: the clock keeps whole frames, rounding up.
        const double shift = double(noteFrames[483 + i]) - double(noteFrames[i]);
        EXPECT_LE(std::abs(shift - double(loop)), 1.0) << "note " << i;
    }
}

TEST(MidiStreamSynth, OpeningFailsWithoutASoundFont) {
    for (toolkit::MidiClock clock : {toolkit::MidiClock::Manual, toolkit::MidiClock::AudioDevice}) {
        MidiStream stream({.soundFont = "/nonexistent/no-such.sf2", .clock = clock});
        EXPECT_FALSE(stream.open([](MidiBuffer&) {}));
        EXPECT_FALSE(stream.isOpen());
        std::int16_t samples[128] = {};
        EXPECT_FALSE(stream.renderBlock(samples, 64));
    }
}

TEST(MidiStreamSynth, OfflineRenderingSoundsTheQueuedNotes) {
    const std::string soundFont = toolkit::findGeneralMidiSoundFont();
    if (soundFont.empty()) {
        GTEST_SKIP() << "no General MIDI SoundFont on this system";
    }
    MidiStream stream({.soundFont = soundFont, .clock = toolkit::MidiClock::Manual});
    std::atomic<int> handedBack = 0;
    ASSERT_TRUE(stream.open([&](MidiBuffer&) { ++handedBack; }));
    ASSERT_TRUE(stream.setTimeDivision(120));
    EventBuffer events;
    events.add(0, toolkit::shortMessageEvent(0xC0, 25, 0))
        .add(60, toolkit::shortMessageEvent(0x90, 60, 100))
        .add(240, toolkit::shortMessageEvent(0x90, 60, 0));
    ASSERT_TRUE(stream.prepare(events.buffer));
    ASSERT_TRUE(stream.queue(events.buffer));
    ASSERT_TRUE(stream.restart());

    // A quarter second of silence before the note (60 ticks at 120 bpm), then sound.
    std::vector<std::int16_t> samples(2 * 2 * sampleRate);
    ASSERT_TRUE(stream.renderBlock(samples.data(), 2 * sampleRate));
    auto loudest = [&](int from, int to) {
        int peak = 0;
        for (int i = 2 * from; i < 2 * to; ++i) {
            peak = std::max(peak, std::abs(int(samples[i])));
        }
        return peak;
    };
    // FluidSynth dithers its 16-bit output, so silence may be off by one.
    EXPECT_LE(loudest(0, sampleRate / 4 - 64), 1);
    EXPECT_GT(loudest(sampleRate / 4, sampleRate / 2), 1000);
    EXPECT_EQ(handedBack, 1);
}

}  // namespace
