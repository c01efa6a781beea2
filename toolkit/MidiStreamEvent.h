// The events of a MIDI output stream, as they lie in a queued buffer.
//
// Every event takes 12 bytes, three little-endian 32-bit words:
//
//   bytes 0-3   delta: ticks since the previous event of the stream
//   bytes 4-7   stream number: always 0
//   bytes 8-11  the event: the high byte is its type, the low 24 bits its parameters
//                 type 0, a short MIDI message: status | data1 << 8 | data2 << 16
//                 type 1, a tempo: microseconds per quarter note (24 bits)
//               Other types are skipped when played.
#pragma once

#include <cstddef>
#include <cstdint>

namespace toolkit {

inline constexpr std::size_t midiStreamEventBytes = 12;

enum class MidiStreamEventType : std::uint8_t { ShortMessage = 0, Tempo = 1 };

struct MidiStreamEvent {
    std::uint32_t delta = 0;
    std::uint32_t streamId = 0;
    std::uint32_t event = 0;

    MidiStreamEventType type() const { return MidiStreamEventType(event >> 24); }
    std::uint32_t parameters() const { return event & 0xFFFFFF; }
};

inline std::uint32_t shortMessageEvent(std::uint8_t status, std::uint8_t data1,
                                       std::uint8_t data2) {
    return std::uint32_t(status) | std::uint32_t(data1) << 8 | std::uint32_t(data2) << 16;
}

inline std::uint32_t tempoEvent(std::uint32_t microsecondsPerQuarter) {
    return std::uint32_t(MidiStreamEventType::Tempo) << 24 | (microsecondsPerQuarter & 0xFFFFFF);
}

// `at` must have room for midiStreamEventBytes.
inline void writeMidiStreamEvent(std::uint8_t* at, const MidiStreamEvent& event) {
    const std::uint32_t words[3] = {event.delta, event.streamId, event.event};
    for (std::uint32_t word : words) {
        for (int shift = 0; shift < 32; shift += 8) {
            *at++ = std::uint8_t(word >> shift);
        }
    }
}

inline MidiStreamEvent readMidiStreamEvent(const std::uint8_t* at) {
    std::uint32_t words[3] = {};
    for (std::uint32_t& word : words) {
        for (int shift = 0; shift < 32; shift += 8) {
            word |= std::uint32_t(*at++) << shift;
        }
    }
    return {words[0], words[1], words[2]};
}

}  // namespace toolkit
