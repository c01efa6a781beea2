// Our MIDI output stream: queued buffers of timed events played through the FluidSynth
// software synthesiser with the system's General MIDI SoundFont.
//
// The stream times its events by counting audio frames, never by the wall clock: for each
// block of frames it first sends the events that fall due before the block's end, then the
// block is rendered. Who asks for the blocks sets the pace:
//   - MidiClock::AudioDevice: the desktop's audio output (PulseAudio when a server is
//     reachable, else ALSA) asks from its own thread; music plays as it is heard.
//   - MidiClock::Manual: the owner calls renderBlock() for samples it keeps (offline
//     rendering), as fast as it likes.
//   - A stream made on a MidiEventSink has no synthesiser at all: the owner calls advance()
//     and the sink receives each message with the frame at which it fell due.
//
// Threads: every call but advance()/renderBlock() may come from any thread. A buffer that has
// played out is handed back on the thread that moves the clock (the audio thread, or the
// caller of advance()/renderBlock()), right after its last event, so the owner can refill and
// queue it again with no gap. Buffers handed back by stop() or close() go through the stream's
// own completion thread, never through the caller of stop(). The callback must not call
// close(). The stream never holds its lock while it runs the callback.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "toolkit/MidiOutputStream.h"
#include "toolkit/MidiStreamEvent.h"

namespace toolkit {

class MidiSynth;

// Receives the short messages of a stream. Called with the stream's lock held.
class MidiEventSink {
  public:
    virtual ~MidiEventSink() = default;
    // `message` is status | data1 << 8 | data2 << 16; `frame` counts the frames the stream's
    // clock has moved since open() up to the moment the message fell due.
    virtual void shortMessage(std::uint32_t message, std::uint64_t frame) = 0;
    // Every note on every channel stops.
    virtual void allNotesOff() = 0;
};

enum class MidiClock { AudioDevice, Manual };

struct MidiStreamSettings {
    std::string soundFont;  // empty: the system's General MIDI SoundFont
    MidiClock clock = MidiClock::AudioDevice;
    // The tune's five parts at FluidSynth's default gain (0.2) already peak at about 77% of
    // full scale with the TimGM6mb SoundFont; 0.5 and more clip hard. A touch above the default.
    double gain = 0.22;
    int sampleRate = 44100;
};

class MidiStream final : public MidiOutputStream {
  public:
    explicit MidiStream(MidiStreamSettings settings = {});
    // A stream without synthesiser, played into `sink` by advance().
    MidiStream(MidiEventSink& sink, int sampleRate);
    ~MidiStream() override;

    MidiStream(const MidiStream&) = delete;
    MidiStream& operator=(const MidiStream&) = delete;

    bool open(DoneCallback done) override;
    bool setTimeDivision(int ticksPerQuarter) override;
    bool prepare(MidiBuffer& buffer) override;
    bool queue(MidiBuffer& buffer) override;
    bool restart() override;
    bool stop() override;
    bool reset() override;
    bool unprepare(MidiBuffer& buffer) override;
    void close() override;

    int sampleRate() const { return sampleRate_; }
    bool isOpen() const;

    // Manual clock and sink streams: moves the clock by `frames`, sending the events that
    // fall due meanwhile.
    void advance(std::uint32_t frames);
    // Manual clock: advance() and render the frames as interleaved 16-bit stereo.
    bool renderBlock(std::int16_t* interleavedStereo, int frames);

  private:
    static int renderAudio(void* self, int frames, int effectCount, float** effects,
                           int outputCount, float** outputs);

    void playFrames(std::uint32_t frames);
    MidiBuffer* sendDueEvents(std::uint32_t& frames);
    void moveClock(std::uint64_t frames);
    void setTempo(std::uint32_t microsecondsPerQuarter);
    void handBackLocked(MidiBuffer& buffer);
    void runCompletionThread();

    const MidiStreamSettings settings_;
    MidiEventSink* const externalSink_ = nullptr;
    const int sampleRate_;

    std::unique_ptr<MidiSynth> synth_;
    MidiEventSink* sink_ = nullptr;

    mutable std::mutex mutex_;
    bool open_ = false;
    DoneCallback done_;
    std::deque<MidiBuffer*> queue_;
    std::size_t headOffset_ = 0;  // bytes of the head buffer already sent
    bool paused_ = true;

    // The clock. Time is kept exactly in units of 1 / (tempo * sampleRate) of a tick, so a
    // frame is division * 1e6 units and a tick is tempo * sampleRate units.
    std::uint32_t division_ = 96;
    std::uint32_t tempo_ = 500000;
    std::uint64_t elapsedTicks_ = 0;  // whole ticks since the last event sent
    std::uint64_t fraction_ = 0;      // units of the tick in progress
    std::uint64_t framePosition_ = 0;

    std::thread completionThread_;
    std::condition_variable completionWake_;
    std::deque<MidiBuffer*> handedBack_;
    bool completionQuit_ = false;
};

}  // namespace toolkit
