// Reading Standard MIDI Files: the chunk layout and the events of a track.
//
// Every read is checked against the end of the data; nothing here trusts a length field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace toolkit {

using MidiBytes = std::span<const std::uint8_t>;

// Where one track's events lie in the file.
struct MidiTrackChunk {
    std::size_t start = 0;
    std::size_t length = 0;
};

struct MidiFileIndex {
    int format = 0;
    int division = 0;  // ticks per quarter note
    std::vector<MidiTrackChunk> tracks;
};

// Checks the header chunk ("MThd", length 6, a division in ticks per quarter note) and the
// number of "MTrk" chunks it announces, each within the data. Nothing for anything else.
std::optional<MidiFileIndex> indexMidiFile(MidiBytes file);

// A variable-length quantity: 7-bit groups, high bit set on all but the last byte, at most
// four bytes. False (position unspecified) when it runs past `end` or over four bytes.
bool readVariableLength(MidiBytes data, std::size_t& position, std::size_t end,
                        std::uint32_t& value);

struct MidiTrackEvent {
    enum class Kind { Channel, Tempo, SysEx, Meta, EndOfTrack };
    Kind kind = Kind::Meta;
    std::uint8_t status = 0;  // channel messages: the status byte, running status resolved
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::uint8_t metaType = 0;
    std::uint32_t tempo = 0;  // Kind::Tempo: microseconds per quarter note
    MidiBytes payload;        // sysex and meta events: their data
};

// Walks the events of one track. The reader is the track's whole reading state: its position
// and its last status byte.
struct MidiTrackReader {
    MidiBytes file;
    std::size_t position = 0;
    std::size_t end = 0;
    std::uint8_t lastStatus = 0;

    MidiTrackReader() = default;
    MidiTrackReader(MidiBytes file, MidiTrackChunk chunk)
        : file(file), position(chunk.start), end(chunk.start + chunk.length) {}

    bool atEnd() const { return position >= end; }
    bool readDelta(std::uint32_t& delta) { return readVariableLength(file, position, end, delta); }
    // The event at the reading position (after its delta). False for a malformed or cut event.
    bool readEvent(MidiTrackEvent& event);
};

// The data bytes that follow a channel status byte: 1 for program change and channel
// pressure, 2 for the others.
inline int channelMessageDataBytes(std::uint8_t status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

}  // namespace toolkit
