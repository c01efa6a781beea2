#include "toolkit/MidiFile.h"

#include <cstring>

namespace toolkit {

namespace {

constexpr std::size_t chunkHeaderBytes = 8;
constexpr std::uint8_t metaTempo = 0x51;
constexpr std::uint8_t metaEndOfTrack = 0x2F;

std::uint32_t readBigEndian(MidiBytes data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = value << 8 | data[at + i];
    }
    return value;
}

bool chunkIdIs(MidiBytes data, std::size_t at, const char* id) {
    return data.size() - at >= 4 && std::memcmp(data.data() + at, id, 4) == 0;
}

}  // namespace

std::optional<MidiFileIndex> indexMidiFile(MidiBytes file) {
    constexpr std::size_t headerBytes = chunkHeaderBytes + 6;
    if (file.size() < headerBytes || !chunkIdIs(file, 0, "MThd") ||
        readBigEndian(file, 4, 4) != 6) {
        return std::nullopt;
    }
    MidiFileIndex index;
    index.format = int(readBigEndian(file, 8, 2));
    const std::uint32_t trackCount = readBigEndian(file, 10, 2);
    index.division = int(readBigEndian(file, 12, 2));
    // Timecode divisions (high bit set) are not ticks per quarter note.
    if (trackCount == 0 || index.division == 0 || index.division > 0x7FFF) {
        return std::nullopt;
    }
    // Each track needs at least its chunk header, so the count cannot exceed what fits.
    if (trackCount > (file.size() - headerBytes) / chunkHeaderBytes) {
        return std::nullopt;
    }
    index.tracks.reserve(trackCount);
    std::size_t at = headerBytes;
    for (std::uint32_t track = 0; track < trackCount; ++track) {
        if (file.size() - at < chunkHeaderBytes || !chunkIdIs(file, at, "MTrk")) {
            return std::nullopt;
        }
        const std::size_t length = readBigEndian(file, at + 4, 4);
        at += chunkHeaderBytes;
        if (length > file.size() - at) {
            return std::nullopt;
        }
        index.tracks.push_back({at, length});
        at += length;
    }
    return index;
}

bool readVariableLength(MidiBytes data, std::size_t& position, std::size_t end,
                        std::uint32_t& value) {
    value = 0;
    for (int count = 0; count < 4; ++count) {
        if (position >= end || position >= data.size()) {
            return false;
        }
        const std::uint8_t byte = data[position++];
        value = value << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0) {
            return true;
        }
    }
    return false;
}

bool MidiTrackReader::readEvent(MidiTrackEvent& event) {
    if (atEnd() || position >= file.size()) {
        return false;
    }
    std::uint8_t status = file[position];
    if (status < 0x80) {
        // Running status: a data byte where a status is expected reuses the last status.
        if (lastStatus == 0) {
            return false;
        }
        status = lastStatus;
    } else {
        ++position;
    }
    event = MidiTrackEvent{};
    if (status < 0xF0) {
        const int dataBytes = channelMessageDataBytes(status);
        if (end - position < std::size_t(dataBytes)) {
            return false;
        }
        event.kind = MidiTrackEvent::Kind::Channel;
        event.status = status;
        event.data1 = file[position++] & 0x7F;
        if (dataBytes == 2) {
            event.data2 = file[position++] & 0x7F;
        }
        lastStatus = status;
        return true;
    }
    if (status == 0xF0 || status == 0xF7) {
        std::uint32_t length = 0;
        if (!readVariableLength(file, position, end, length) || length > end - position) {
            return false;
        }
        event.kind = MidiTrackEvent::Kind::SysEx;
        event.payload = file.subspan(position, length);
        position += length;
        return true;
    }
    if (status != 0xFF || position >= end) {
        return false;  // other system messages have no place in a file
    }
    event.metaType = file[position++];
    std::uint32_t length = 0;
    if (!readVariableLength(file, position, end, length) || length > end - position) {
        return false;
    }
    event.payload = file.subspan(position, length);
    position += length;
    if (event.metaType == metaEndOfTrack) {
        event.kind = MidiTrackEvent::Kind::EndOfTrack;
    } else if (event.metaType == metaTempo && length == 3) {
        event.kind = MidiTrackEvent::Kind::Tempo;
        event.tempo = readBigEndian(event.payload, 0, 3);
    } else {
        event.kind = MidiTrackEvent::Kind::Meta;
    }
    return true;
}

}  // namespace toolkit
