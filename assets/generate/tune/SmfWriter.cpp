#include "SmfWriter.h"

#include <algorithm>
#include <tuple>

namespace tune {

namespace {

struct TimedMessage {
    std::uint32_t tick = 0;
    int order = 0;  // at the same tick: set-up first, then note ends, then note starts
    int sequence = 0;
    std::vector<std::uint8_t> bytes;  // status first
};

void appendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = std::uint8_t(value & 0x7F);
        value >>= 7;
    } while (value != 0 && count < 4);
    while (count > 1) {
        out.push_back(groups[--count] | 0x80);
    }
    out.push_back(groups[0]);
}

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out.push_back(std::uint8_t(value >> shift));
    }
}

void appendMeta(std::vector<std::uint8_t>& track, std::uint8_t type,
                const std::vector<std::uint8_t>& data) {
    track.push_back(0);  // at tick 0, or right after the previous event
    track.push_back(0xFF);
    track.push_back(type);
    appendVariableLength(track, std::uint32_t(data.size()));
    track.insert(track.end(), data.begin(), data.end());
}

std::vector<std::uint8_t> textBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<TimedMessage> channelMessages(const Song& song) {
    std::vector<TimedMessage> messages;
    int sequence = 0;
    auto add = [&](std::uint32_t tick, int order, std::vector<std::uint8_t> bytes) {
        messages.push_back({tick, order, sequence++, std::move(bytes)});
    };
    for (const ChannelSetup& setup : song.channels) {
        const auto channel = std::uint8_t(setup.channel);
        if (setup.program >= 0) {
            add(0, 0, {std::uint8_t(0xC0 | channel), std::uint8_t(setup.program)});
        }
        add(0, 0, {std::uint8_t(0xB0 | channel), 7, std::uint8_t(setup.volume)});
        add(0, 0, {std::uint8_t(0xB0 | channel), 10, std::uint8_t(setup.pan)});
    }
    for (const Note& note : song.notes) {
        const auto status = std::uint8_t(0x90 | note.channel);
        add(note.start, 2, {status, std::uint8_t(note.key), std::uint8_t(note.velocity)});
        add(note.start + note.duration, 1, {status, std::uint8_t(note.key), 0});
    }
    std::stable_sort(messages.begin(), messages.end(), [](const auto& a, const auto& b) {
        return std::tie(a.tick, a.order, a.sequence) < std::tie(b.tick, b.order, b.sequence);
    });
    return messages;
}

}  // namespace

std::vector<std::uint8_t> writeStandardMidiFile(const Song& song) {
    std::vector<std::uint8_t> track;
    appendMeta(track, 0x03, textBytes(song.trackName));
    appendMeta(track, 0x01, textBytes(song.text));
    appendMeta(track, 0x06, textBytes(song.marker));
    appendMeta(
        track, 0x51,
        {std::uint8_t(song.tempo >> 16), std::uint8_t(song.tempo >> 8), std::uint8_t(song.tempo)});
    appendMeta(track, 0x58, {4, 2, 24, 8});  // 4/4, 24 clocks a click, 8 32nds a quarter
    appendMeta(track, 0x59, {0, 0});         // C major

    // Meta events cancel running status, so the first channel message carries its status.
    std::uint8_t runningStatus = 0;
    std::uint32_t tick = 0;
    for (const TimedMessage& message : channelMessages(song)) {
        appendVariableLength(track, message.tick - tick);
        tick = message.tick;
        auto from = message.bytes.begin();
        if (message.bytes.front() == runningStatus) {
            ++from;
        }
        runningStatus = message.bytes.front();
        track.insert(track.end(), from, message.bytes.end());
    }
    appendVariableLength(track, song.length - tick);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd'};
    appendBigEndian(file, 6, 4);
    appendBigEndian(file, 0, 2);  // format 0
    appendBigEndian(file, 1, 2);  // one track
    appendBigEndian(file, std::uint32_t(song.division), 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    appendBigEndian(file, std::uint32_t(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

}  // namespace tune
