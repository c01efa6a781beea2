// Reading the chunks and events of Standard MIDI Files.
#include "toolkit/MidiFile.h"

#include <gtest/gtest.h>

#include "tests/music/SmfBuilder.h"

namespace {

using musictest::Bytes;

struct LengthCase {
    Bytes bytes;
    bool ok;
    std::uint32_t value;
    std::size_t used;
};

TEST(MidiFile, VariableLengthQuantitiesReadAtMostFourBytesAndStopAtTheEnd) {
    const std::vector<LengthCase> cases = {
        {{0x00}, true, 0, 1},
        {{0x7F}, true, 0x7F, 1},
        {{0x81, 0x00}, true, 0x80, 2},
        {{0xC0, 0x00}, true, 0x2000, 2},
        {{0xFF, 0xFF, 0x7F}, true, 0x1FFFFF, 3},
        {{0xFF, 0xFF, 0xFF, 0x7F}, true, 0x0FFFFFFF, 4},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, false, 0, 0},  // five bytes
        {{0x81}, false, 0, 0},                          // cut at the end
        {{}, false, 0, 0},
    };
    for (const LengthCase& test : cases) {
        std::size_t position = 0;
        std::uint32_t value = 0;
        const bool ok = toolkit::readVariableLength(test.bytes, position, test.bytes.size(), value);
        EXPECT_EQ(ok, test.ok);
        if (ok) {
            EXPECT_EQ(value, test.value);
            EXPECT_EQ(position, test.used);
        }
    }
}

TEST(MidiFile, TheIndexNamesEachTrackWithinTheData) {
    musictest::Track first;
    first.note(0, 0, 60, 100).end();
    musictest::Track second;
    second.end();
    const Bytes file = musictest::midiFile(1, 480, {first, second});
    const auto index = toolkit::indexMidiFile(file);
    ASSERT_TRUE(index);
    EXPECT_EQ(index->format, 1);
    EXPECT_EQ(index->division, 480);
    ASSERT_EQ(index->tracks.size(), 2u);
    EXPECT_EQ(index->tracks[0].start, 22u);
    EXPECT_EQ(index->tracks[0].length, first.bytes().size());
    EXPECT_EQ(index->tracks[1].start, 22 + first.bytes().size() + 8);
}

TEST(MidiFile, AHeaderAnnouncingMoreTracksThanCouldFitIsRefusedBeforeAnyAllocation) {
    Bytes file = musictest::midiFile(1, 96, {musictest::Track().end()});
    file[10] = 0xFF;
    file[11] = 0xFF;
    EXPECT_FALSE(toolkit::indexMidiFile(file));
}

TEST(MidiFile, EventsOfEveryKind) {
    musictest::Track track;
    track.event(0, {0x93, 60, 100})
        .event(0, {61, 0})
        .event(0, {0xC5, 0x85})  // data byte with its high bit set is kept to 7 bits
        .tempo(0, 857143)
        .text(0, "hi")
        .sysex(0, {1, 2, 0xF7})
        .end();
    const Bytes file = musictest::midiFile(0, 120, {track});
    const auto index = toolkit::indexMidiFile(file);
    ASSERT_TRUE(index);
    toolkit::MidiTrackReader reader(file, index->tracks[0]);
    using Kind = toolkit::MidiTrackEvent::Kind;
    const std::vector<Kind> kinds = {Kind::Channel, Kind::Channel, Kind::Channel,   Kind::Tempo,
                                     Kind::Meta,    Kind::SysEx,   Kind::EndOfTrack};
    std::vector<toolkit::MidiTrackEvent> events;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        std::uint32_t delta = 0;
        ASSERT_TRUE(reader.readDelta(delta));
        toolkit::MidiTrackEvent event;
        ASSERT_TRUE(reader.readEvent(event));
        EXPECT_EQ(event.kind, kinds[i]) << "event " << i;
        events.push_back(event);
    }
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(events[1].status, 0x93);
    EXPECT_EQ(events[1].data1, 61);
    EXPECT_EQ(events[2].data1, 0x05);
    EXPECT_EQ(events[3].tempo, 857143u);
    EXPECT_EQ(events[4].payload.size(), 2u);
    EXPECT_EQ(events[5].payload.size(), 3u);
}

TEST(MidiFile, BrokenEventsFailInsteadOfReadingPastTheTrack) {
    const std::vector<Bytes> tracks = {
        {0x40},                   // running status with no status before it
        {0x90, 60},               // a note-on cut short
        {0xFF, 0x01, 0x05, 'a'},  // a text longer than the track
        {0xF0, 0x81},             // a sysex length cut short
        {0xF8},                   // a real-time message has no place in a file
        {0xFF},                   // a meta event with no type
    };
    for (const Bytes& events : tracks) {
        toolkit::MidiTrackReader reader(events, {0, events.size()});
        toolkit::MidiTrackEvent event;
        EXPECT_FALSE(reader.readEvent(event));
    }
}

}  // namespace
