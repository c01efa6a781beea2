// Builds small Standard MIDI Files for the tests, byte by byte.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace musictest {

using Bytes = std::vector<std::uint8_t>;

inline void appendVariableLength(Bytes& out, std::uint32_t value) {
    Bytes groups;
    do {
        groups.push_back(std::uint8_t(value & 0x7F));
        value >>= 7;
    } while (value != 0);
    for (std::size_t i = groups.size(); i-- > 1;) {
        out.push_back(groups[i] | 0x80);
    }
    out.push_back(groups[0]);
}

inline void appendBigEndian(Bytes& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out.push_back(std::uint8_t(value >> shift));
    }
}

// The events of one track: each call appends a delta time and the event's bytes as given,
// so running status is written by leaving the status byte out.
class Track {
  public:
    Track& event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        appendVariableLength(bytes_, delta);
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }
    Track& note(std::uint32_t delta, int channel, int key, int velocity) {
        return event(delta,
                     {std::uint8_t(0x90 | channel), std::uint8_t(key), std::uint8_t(velocity)});
    }
    Track& tempo(std::uint32_t delta, std::uint32_t microseconds) {
        return event(delta, {0xFF, 0x51, 0x03, std::uint8_t(microseconds >> 16),
                             std::uint8_t(microseconds >> 8), std::uint8_t(microseconds)});
    }
    Track& text(std::uint32_t delta, const std::string& words) {
        appendVariableLength(bytes_, delta);
        bytes_.insert(bytes_.end(), {0xFF, 0x01});
        appendVariableLength(bytes_, std::uint32_t(words.size()));
        bytes_.insert(bytes_.end(), words.begin(), words.end());
        return *this;
    }
    Track& sysex(std::uint32_t delta, std::initializer_list<std::uint8_t> data) {
        appendVariableLength(bytes_, delta);
        bytes_.push_back(0xF0);
        appendVariableLength(bytes_, std::uint32_t(data.size()));
        bytes_.insert(bytes_.end(), data);
        return *this;
    }
    Track& end(std::uint32_t delta = 0) { return event(delta, {0xFF, 0x2F, 0x00}); }
    // Raw bytes with no delta in front (for broken tracks).
    Track& raw(std::initializer_list<std::uint8_t> bytes) {
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }

    const Bytes& bytes() const { return bytes_; }

  private:
    Bytes bytes_;
};

inline Bytes midiFile(int format, int division, const std::vector<Track>& tracks) {
    Bytes file = {'M', 'T', 'h', 'd'};
    appendBigEndian(file, 6, 4);
    appendBigEndian(file, std::uint32_t(format), 2);
    appendBigEndian(file, std::uint32_t(tracks.size()), 2);
    appendBigEndian(file, std::uint32_t(division), 2);
    for (const Track& track : tracks) {
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        appendBigEndian(file, std::uint32_t(track.bytes().size()), 4);
        file.insert(file.end(), track.bytes().begin(), track.bytes().end());
    }
    return file;
}

}  // namespace musictest
