// The embedded background tune, read byte by byte with a parser of its own (not the player's),
// against the shape the window's music relies on.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "assets/Assets.h"

namespace {

struct FileEvent {
    std::uint32_t tick = 0;
    std::uint8_t status = 0;
    bool runningStatus = false;
    std::vector<std::uint8_t> data;  // channel data, or a meta event's bytes
    std::uint8_t metaType = 0;
};

struct Tune {
    int format = -1;
    int tracks = -1;
    int division = -1;
    std::vector<FileEvent> events;
};

std::uint32_t bigEndian(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = value << 8 | at[i];
    }
    return value;
}

// Parses a format 0 file in full, failing the test on anything unexpected.
Tune parse(assets::Bytes bytes) {
    Tune tune;
    if (bytes.size() < 22 || std::memcmp(bytes.data(), "MThd", 4) != 0 ||
        bigEndian(bytes.data() + 4, 4) != 6 || std::memcmp(bytes.data() + 14, "MTrk", 4) != 0) {
        ADD_FAILURE() << "not a Standard MIDI File";
        return tune;
    }
    tune.format = int(bigEndian(bytes.data() + 8, 2));
    tune.tracks = int(bigEndian(bytes.data() + 10, 2));
    tune.division = int(bigEndian(bytes.data() + 12, 2));
    const std::size_t length = bigEndian(bytes.data() + 18, 4);
    EXPECT_EQ(length, bytes.size() - 22) << "the track fills the rest of the file";
    std::size_t at = 22;
    const std::size_t end = bytes.size();
    auto quantity = [&]() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4 && at < end; ++i) {
            const std::uint8_t byte = bytes[at++];
            value = value << 7 | (byte & 0x7F);
            if (!(byte & 0x80)) {
                return value;
            }
        }
        ADD_FAILURE() << "bad variable-length quantity at " << at;
        at = end;
        return value;
    };
    std::uint32_t tick = 0;
    std::uint8_t lastStatus = 0;
    while (at < end) {
        tick += quantity();
        if (at >= end) {
            break;
        }
        FileEvent event;
        event.tick = tick;
        if (bytes[at] < 0x80) {
            event.runningStatus = true;
            event.status = lastStatus;
        } else {
            event.status = bytes[at++];
        }
        if (event.status == 0xFF) {
            event.metaType = bytes[at++];
            const std::uint32_t size = quantity();
            event.data.assign(bytes.begin() + long(at), bytes.begin() + long(at + size));
            at += size;
            lastStatus = 0;  // meta events cancel running status
        } else {
            EXPECT_GE(event.status, 0x80) << "running status with no status before it";
            EXPECT_LT(event.status, 0xF0) << "no system-exclusive events in the tune";
            const int kind = event.status & 0xF0;
            const int count = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
            event.data.assign(bytes.begin() + long(at), bytes.begin() + long(at + count));
            at += count;
            lastStatus = event.status;
        }
        tune.events.push_back(event);
    }
    return tune;
}

class BackgroundTune : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tune = new Tune(parse(assets::backgroundTune())); }
    static void TearDownTestSuite() { delete tune; }
    static Tune* tune;
};

Tune* BackgroundTune::tune = nullptr;

TEST_F(BackgroundTune, IsAFormatZeroFileOfOneTrackAt120TicksAQuarter) {
    EXPECT_EQ(tune->format, 0);
    EXPECT_EQ(tune->tracks, 1);
    EXPECT_EQ(tune->division, 120);
}

TEST_F(BackgroundTune, SetsTempoMeterKeyAndTextsAtTickZero) {
    std::map<int, std::vector<std::uint8_t>> meta;
    std::multiset<int> texts;
    for (const FileEvent& event : tune->events) {
        if (event.status != 0xFF || event.metaType == 0x2F) {
            continue;
        }
        EXPECT_EQ(event.tick, 0u) << "meta event " << int(event.metaType);
        meta[event.metaType] = event.data;
        if (event.metaType >= 0x01 && event.metaType <= 0x07) {
            texts.insert(event.metaType);
        }
    }
    EXPECT_EQ(meta[0x51], (std::vector<std::uint8_t>{0x0D, 0x14, 0x37}));  // 857143
    EXPECT_EQ(meta[0x58], (std::vector<std::uint8_t>{4, 2, 24, 8}));
    EXPECT_EQ(meta[0x59], (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(texts, (std::multiset<int>{0x01, 0x03, 0x06}));
}

TEST_F(BackgroundTune, SetsEachChannelsSoundVolumeAndPanAtTickZero) {
    std::map<int, int> programs, volumes, pans;
    for (const FileEvent& event : tune->events) {
        const int channel = event.status & 0x0F;
        if ((event.status & 0xF0) == 0xC0) {
            EXPECT_EQ(event.tick, 0u);
            programs[channel] = event.data[0];
        } else if ((event.status & 0xF0) == 0xB0) {
            EXPECT_EQ(event.tick, 0u);
            (event.data[0] == 7 ? volumes : pans)[channel] = event.data[1];
            EXPECT_TRUE(event.data[0] == 7 || event.data[0] == 10);
        }
    }
    EXPECT_EQ(programs, (std::map<int, int>{{0, 30}, {1, 25}, {2, 35}, {3, 48}}));
    EXPECT_EQ(volumes, (std::map<int, int>{{0, 120}, {1, 85}, {2, 100}, {3, 120}, {9, 90}}));
    EXPECT_EQ(pans, (std::map<int, int>{{0, 64}, {1, 64}, {2, 64}, {3, 64}, {9, 64}}));
}

TEST_F(BackgroundTune, Plays483NotesEndedByNoteOnsOfVelocityZero) {
    std::map<int, int> notes;
    std::set<int> velocities;
    std::map<std::pair<int, int>, std::uint32_t> sounding;  // channel and key: since when
    std::uint32_t lastEnd = 0;
    bool running = false;
    for (const FileEvent& event : tune->events) {
        running |= event.runningStatus;
        EXPECT_NE(event.status & 0xF0, 0x80) << "notes end by note-on of velocity 0";
        if ((event.status & 0xF0) != 0x90) {
            continue;
        }
        const std::pair<int, int> key = {event.status & 0x0F, event.data[0]};
        if (event.data[1] != 0) {
            EXPECT_FALSE(sounding.count(key)) << "key " << key.second << " struck twice";
            sounding[key] = event.tick;
            ++notes[key.first];
            velocities.insert(event.data[1]);
        } else {
            EXPECT_TRUE(sounding.count(key)) << "key " << key.second << " ended unstruck";
            EXPECT_GT(event.tick, sounding[key]);
            sounding.erase(key);
            lastEnd = std::max(lastEnd, event.tick);
        }
    }
    EXPECT_TRUE(sounding.empty());
    EXPECT_TRUE(running);
    EXPECT_EQ(notes, (std::map<int, int>{{0, 50}, {1, 243}, {2, 30}, {3, 49}, {9, 111}}));
    EXPECT_EQ(velocities, (std::set<int>{95, 100, 127}));
    EXPECT_EQ(lastEnd, 3840u);
}

TEST_F(BackgroundTune, EndsAt3840TicksWhereItsLastNotesEnd) {
    ASSERT_FALSE(tune->events.empty());
    const FileEvent& last = tune->events.back();
    EXPECT_EQ(last.status, 0xFF);
    EXPECT_EQ(last.metaType, 0x2F);
    EXPECT_EQ(last.tick, 3840u);
    EXPECT_EQ(tune->events[tune->events.size() - 2].tick, 3840u);
}

// Every note of the chordal parts (acoustic guitar, strings) belongs to the chord of its bar.
TEST_F(BackgroundTune, ChordalPartsStayInTheChordOfEachBar) {
    // Pitch classes of C, G (with its seventh in the last bar), Am, F.
    const std::set<int> C = {0, 4, 7}, G = {7, 11, 2}, G7 = {7, 11, 2, 5}, Am = {9, 0, 4},
                        F = {5, 9, 0};
    const std::vector<std::set<int>> chords = {C, G, Am, F, C, G, F, G7};
    for (const FileEvent& event : tune->events) {
        const int channel = event.status & 0x0F;
        if ((event.status & 0xF0) != 0x90 || event.data[1] == 0 || (channel != 1 && channel != 3)) {
            continue;
        }
        const std::size_t bar = event.tick / 480;
        ASSERT_LT(bar, chords.size());
        EXPECT_TRUE(chords[bar].count(event.data[0] % 12))
            << "channel " << channel << " key " << int(event.data[0]) << " in bar " << bar + 1;
    }
}

}  // namespace
