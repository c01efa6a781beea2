// The operations of a MIDI output stream: timed events fed in queued buffers, each buffer
// handed back through a completion callback once played (or once the stream is stopped).
//
// MidiStream is the real one; tests put their own behind this interface.
#pragma once

#include <cstdint>
#include <functional>

namespace toolkit {

// One buffer of stream events (see MidiStreamEvent.h). The caller owns the memory and the
// record; between queue() and its completion callback the stream reads it and the caller must
// not touch it.
struct MidiBuffer {
    std::uint8_t* data = nullptr;
    std::uint32_t capacity = 0;       // bytes at data
    std::uint32_t bytesRecorded = 0;  // bytes of whole events to play, from data
    std::uintptr_t user = 0;          // the caller's own tag
    // Kept by the stream (under its lock): prepared between prepare() and unprepare(), queued
    // between queue() and the completion callback.
    bool prepared = false;
    bool queued = false;
};

class MidiOutputStream {
  public:
    // Called once for every queued buffer that is finished: played to its end, or handed back
    // by stop(). It runs on the stream's own thread (never inside the caller's queue(), stop()
    // or restart()) and may call queue() again.
    using DoneCallback = std::function<void(MidiBuffer&)>;

    virtual ~MidiOutputStream() = default;

    // Opens the stream on the output device. The stream starts paused. False: no output.
    virtual bool open(DoneCallback done) = 0;
    // Ticks per quarter note for the deltas of the events (1 to 0x7FFF).
    virtual bool setTimeDivision(int ticksPerQuarter) = 0;
    virtual bool prepare(MidiBuffer& buffer) = 0;
    // Appends a prepared buffer to the stream's queue; its first delta counts from the
    // previous event of the stream.
    virtual bool queue(MidiBuffer& buffer) = 0;
    // Starts, or resumes, the paused stream.
    virtual bool restart() = 0;
    // Pauses the stream at its start, silences its notes and hands every queued buffer back.
    virtual bool stop() = 0;
    // Turns every note off on every channel.
    virtual bool reset() = 0;
    virtual bool unprepare(MidiBuffer& buffer) = 0;
    // Releases the output. When it returns, no completion callback runs any more.
    virtual void close() = 0;
};

}  // namespace toolkit
