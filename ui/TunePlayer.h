// TunePlayer: feeds a Standard MIDI File to a MIDI output stream, a little at a time.
//
// The tune is never converted in full: two buffers of 1024 bytes go to the stream in turn,
// each holding about 60 milliseconds of music, and each is refilled as the stream hands it
// back. So memory stays fixed whatever the tune's length, and a stop takes effect at once.
//
// Threads: loadTune, playTune and stopTune run on the caller's thread (the user-interface
// thread). Refilling runs in the stream's completion callback, on the stream's thread. The two
// meet over the state, the playing flag and the count of buffers in the stream, all under one
// lock; while the tune plays only the callback touches the buffers. The player never holds its
// lock while it calls stop(), reset() or close() on the stream, so a stream that hands
// buffers back at once cannot deadlock it.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "toolkit/MidiFile.h"
#include "toolkit/MidiOutputStream.h"

namespace ui {

class TunePlayer {
  public:
    enum class State {
        Stopped,
        Playing,
        Ending,    // play once: the tune's last buffers are out
        Stopping,  // a stop was asked; waiting for the buffers to come back
    };

    static constexpr std::size_t bufferBytes = 1024;
    static constexpr int bufferCount = 2;

    explicit TunePlayer(toolkit::MidiOutputStream& stream);
    ~TunePlayer();

    TunePlayer(const TunePlayer&) = delete;
    TunePlayer& operator=(const TunePlayer&) = delete;

    // Stops and forgets any loaded tune, checks and indexes `tune`, opens the stream and queues
    // the first two buffers with the stream paused. Whether the tune is ready to play.
    bool loadTune(std::span<const std::uint8_t> tune);
    // Starts (or resumes) the stream; a tune that has played to its end starts again from its
    // beginning. Whether the stream started.
    bool playTune(bool repeat);
    // Stops at once, silences every sounding note and releases the stream. Waits at most
    // 2000 ms for the stream to hand the buffers back. Safe when nothing plays.
    void stopTune();

    State state() const;
    bool isPlaying() const;
    // The size of each of the two buffers the player ever gives the stream.
    std::size_t bufferCapacity(int index) const;

  private:
    struct Track {
        toolkit::MidiTrackChunk chunk;
        toolkit::MidiTrackReader reader;  // read position and last status byte
        std::uint64_t nextTick = 0;       // absolute tick of the next event
        bool finished = false;
    };

    void onBufferDone(toolkit::MidiBuffer& buffer);
    void rewindTracks();
    void fillBuffer(toolkit::MidiBuffer& buffer);
    int nextTrack() const;
    void forgetTune();
    std::uint64_t spanLimit() const;

    toolkit::MidiOutputStream& stream_;

    mutable std::mutex mutex_;
    std::condition_variable buffersBack_;

    std::vector<std::uint8_t> tune_;
    std::vector<Track> tracks_;
    int division_ = 0;
    std::uint32_t tempo_ = 0;
    std::uint64_t lastSentTick_ = 0;
    bool sentSinceRewind_ = false;  // a pass that sends nothing must not repeat forever
    bool tuneOver_ = false;

    bool streamOpen_ = false;
    std::array<std::array<std::uint8_t, bufferBytes>, bufferCount> memory_{};
    std::array<toolkit::MidiBuffer, bufferCount> buffers_{};
    int buffersInStream_ = 0;  // queued and not yet handed back; a stop waits for 0

    bool repeat_ = false;
    bool playing_ = false;
    State state_ = State::Stopped;
};

}  // namespace ui
