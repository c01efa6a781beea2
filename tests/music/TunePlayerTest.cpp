// TunePlayer against a stream that records what it is given.
#include "ui/TunePlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "assets/Assets.h"
#include "tests/music/FakeMidiStream.h"
#include "tests/music/SmfBuilder.h"

namespace {

using musictest::FakeMidiStream;
using musictest::midiFile;
using musictest::PlayedEvent;
using musictest::Track;
using toolkit::MidiStreamEventType;
using ui::TunePlayer;

constexpr std::uint32_t message(int status, int data1, int data2 = 0) {
    return std::uint32_t(status) | std::uint32_t(data1) << 8 | std::uint32_t(data2) << 16;
}

std::vector<std::uint8_t> realTune() {
    const assets::Bytes tune = assets::backgroundTune();
    return {tune.begin(), tune.end()};
}

class TunePlayerTest : public ::testing::Test {
  protected:
    FakeMidiStream stream;
    TunePlayer player{stream};

    void loadAndPlay(const std::vector<std::uint8_t>& tune, bool repeat) {
        ASSERT_TRUE(player.loadTune(tune));
        ASSERT_TRUE(player.playTune(repeat));
    }
};

TEST_F(TunePlayerTest, LoadingQueuesTwoBuffersOnAPausedStreamAndPlayingStartsIt) {
    ASSERT_TRUE(player.loadTune(realTune()));
    EXPECT_EQ(stream.opens, 1);
    EXPECT_EQ(stream.division, 120);
    EXPECT_EQ(stream.queuedCount(), 2u);
    EXPECT_EQ(stream.restarts, 0);
    EXPECT_EQ(player.state(), TunePlayer::State::Playing);
    EXPECT_FALSE(player.isPlaying());

    ASSERT_TRUE(player.playTune(true));
    EXPECT_EQ(stream.restarts, 1);
    EXPECT_TRUE(player.isPlaying());
}

// A buffer is full below 12 free bytes: 85 events of 12 bytes in 1024.
TEST_F(TunePlayerTest, ABufferHoldsAtMost85Events) {
    Track track;
    for (int i = 0; i < 100; ++i) {
        track.note(0, 0, 40 + i % 40, 100);
    }
    track.note(1000, 0, 60, 100).end();
    loadAndPlay(midiFile(0, 120, {track}), false);
    stream.playAll();

    ASSERT_EQ(stream.bytesPlayed.size(), 2u);
    EXPECT_EQ(stream.bytesPlayed[0], 85u * 12);
    EXPECT_EQ(stream.bytesPlayed[1], 16u * 12);
    EXPECT_EQ(stream.played.back().tick, 1000u);
}

// Each buffer covers about 60 ms: once its events span more than T ticks from the buffer's
// start, one more event is taken and the next one waits. T is 8 ticks for the tune.
TEST_F(TunePlayerTest, ABufferClosesOneEventAfterSpanningMoreThanSixtyMilliseconds) {
    constexpr std::uint64_t limit = 120 * 60000 / 857143;
    ASSERT_EQ(limit, 8u);
    loadAndPlay(realTune(), true);
    for (int i = 0; i < 600; ++i) {
        ASSERT_TRUE(stream.playNext());
    }
    int closedBySpan = 0;
    for (const std::vector<PlayedEvent>& buffer : stream.buffersPlayed) {
        ASSERT_FALSE(buffer.empty());
        const std::uint64_t start = buffer.front().tick - buffer.front().event.delta;
        const std::size_t n = buffer.size();
        if (n == 85) {
            // Full: the event before the last did not close it.
            EXPECT_LE(buffer[n - 3].tick - start, limit);
            continue;
        }
        ++closedBySpan;
        // The second to last event had passed the limit; none before it had.
        ASSERT_GE(n, 2u);
        EXPECT_GT(buffer[n - 2].tick - start, limit);
        if (n >= 3) {
            EXPECT_LE(buffer[n - 3].tick - start, limit);
        }
    }
    EXPECT_GT(closedBySpan, 500);
}

TEST_F(TunePlayerTest, ASpanLimitFollowsTheTempo) {
    // 120 ticks a quarter at 1 second a quarter: 60 ms is 7.2 ticks, so 7.
    Track track;
    track.tempo(0, 1000000);
    for (int i = 0; i < 20; ++i) {
        track.note(i == 0 ? 0 : 5, 0, 60, 100);
    }
    track.end();
    loadAndPlay(midiFile(0, 120, {track}), false);
    stream.playAll();
    // Events every 5 ticks: the span passes 7 at the third note (10 ticks), one more follows.
    ASSERT_GE(stream.buffersPlayed.size(), 2u);
    EXPECT_EQ(stream.buffersPlayed[0].size(), 5u);  // tempo, notes at 0, 5, 10, 15
}

TEST_F(TunePlayerTest, RunningStatusIsFollowed) {
    Track track;
    track.event(0, {0x91, 60, 100})
        .event(10, {62, 101})  // note-on, channel 1, by running status
        .event(10, {60, 0})    // and its end
        .event(0, {0xC2, 5})   // program change: one data byte
        .event(5, {7})         // another program change by running status
        .event(5, {0xE3, 0x00, 0x40})
        .event(0, {0x10, 0x41})
        .end();
    loadAndPlay(midiFile(0, 96, {track}), false);
    stream.playAll();

    const std::vector<std::uint32_t> expected = {
        message(0x91, 60, 100), message(0x91, 62, 101), message(0x91, 60, 0),     message(0xC2, 5),
        message(0xC2, 7),       message(0xE3, 0, 0x40), message(0xE3, 0x10, 0x41)};
    EXPECT_EQ(musictest::shortMessages(stream.played), expected);
    EXPECT_EQ(stream.played[4].tick, 25u);
}

TEST_F(TunePlayerTest, TempoAndProgramsAtTickZeroReachTheStreamBeforeTheFirstNote) {
    loadAndPlay(realTune(), true);
    stream.playEvents(40);
    int programs = 0;
    bool tempo = false;
    for (const PlayedEvent& played : stream.played) {
        const std::uint32_t parameters = played.event.parameters();
        if (played.event.type() == MidiStreamEventType::Tempo) {
            EXPECT_EQ(parameters, 857143u);
            EXPECT_EQ(played.tick, 0u);
            tempo = true;
            continue;
        }
        if ((parameters & 0xF0) == 0xC0) {
            EXPECT_EQ(played.tick, 0u);
            ++programs;
        }
        if ((parameters & 0xF0) == 0x90 && (parameters >> 16) != 0) {
            break;  // the first note
        }
    }
    EXPECT_TRUE(tempo);
    EXPECT_EQ(programs, 4);
}

TEST_F(TunePlayerTest, DroppedEventsCarryTheirTimeIntoTheNextEventSent) {
    Track track;
    track.note(0, 0, 60, 100)
        .text(10, "words")
        .sysex(5, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
        .event(3, {0xFF, 0x59, 0x02, 0x00, 0x00})  // key signature
        .note(7, 0, 60, 0)
        .end();
    loadAndPlay(midiFile(0, 120, {track}), false);
    stream.playAll();

    ASSERT_EQ(stream.played.size(), 2u);
    EXPECT_EQ(stream.played[1].event.delta, 25u);
    EXPECT_EQ(stream.played[1].event.parameters(), message(0x90, 60, 0));
}

TEST_F(TunePlayerTest, TracksOfAFormatOneFileAreMergedByTimeInFileOrderOnTies) {
    Track conductor;
    conductor.tempo(0, 600000).end(100);
    Track first;
    first.note(0, 0, 60, 100).note(10, 0, 61, 100).note(10, 0, 62, 100).end();
    Track second;
    second.note(5, 1, 70, 100).note(5, 1, 71, 100).note(5, 1, 72, 100).end();
    Track empty;  // length 0: finished at once
    loadAndPlay(midiFile(1, 120, {conductor, first, empty, second}), false);
    stream.playAll();

    ASSERT_EQ(stream.played.size(), 7u);
    EXPECT_EQ(stream.played[0].event.type(), MidiStreamEventType::Tempo);
    const std::vector<std::uint32_t> expected = {message(0x90, 60, 100), message(0x91, 70, 100),
                                                 message(0x90, 61, 100), message(0x91, 71, 100),
                                                 message(0x91, 72, 100), message(0x90, 62, 100)};
    EXPECT_EQ(musictest::shortMessages(stream.played), expected);
    const std::vector<std::uint64_t> ticks = {0, 0, 5, 10, 10, 15, 20};
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(stream.played[i].tick, ticks[i]) << "event " << i;
    }
}

// The tune's second pass is its first shifted by 3840 ticks: it restarts at once, with no
// pause, and no event is repeated or lost at the loop.
TEST_F(TunePlayerTest, ARepeatingTunePlaysAgainFromTickZeroWithoutAGap) {
    // The messages of one pass, counted on a play-once run.
    std::size_t perPass = 0;
    {
        FakeMidiStream once;
        TunePlayer onePass(once);
        ASSERT_TRUE(onePass.loadTune(realTune()));
        ASSERT_TRUE(onePass.playTune(false));
        once.playAll();
        perPass = once.played.size();
        ASSERT_EQ(once.played.back().tick, 3840u);
    }
    loadAndPlay(realTune(), true);
    stream.playEvents(2 * perPass + 1);
    ASSERT_GE(stream.played.size(), 2 * perPass);
    int notes = 0;
    for (std::size_t i = 0; i < perPass; ++i) {
        const PlayedEvent& first = stream.played[i];
        const PlayedEvent& second = stream.played[perPass + i];
        ASSERT_EQ(second.event.event, first.event.event) << "event " << i;
        ASSERT_EQ(second.tick, first.tick + 3840) << "event " << i;
        const std::uint32_t parameters = first.event.parameters();
        notes += first.event.type() == MidiStreamEventType::ShortMessage &&
                 (parameters & 0xF0) == 0x90 && (parameters >> 16) != 0;
    }
    EXPECT_EQ(notes, 483);
    // The loop point: the last event of the first pass and the first of the second are both
    // at tick 3840, nothing in between.
    EXPECT_EQ(stream.played[perPass - 1].tick, 3840u);
    EXPECT_EQ(stream.played[perPass].event.delta, 0u);
}

TEST_F(TunePlayerTest, MemoryStaysTwoBuffersOf1024BytesWhateverTheTuneLength) {
    Track track;
    constexpr int notes = 20000;
    for (int i = 0; i < notes; ++i) {
        const auto key = std::uint8_t(36 + i % 60);
        track.note(i == 0 ? 0 : 3, i % 16 == 9 ? 9 : i % 9, key, 100).event(2, {key, 0});
    }
    track.end();
    loadAndPlay(midiFile(0, 480, {track}), false);
    stream.playAll();

    EXPECT_EQ(stream.played.size(), 2u * notes);
    EXPECT_EQ(stream.addresses.size(), 2u);
    EXPECT_EQ(stream.capacities, std::set<std::uint32_t>{1024});
    EXPECT_LE(stream.maxQueued, 2u);
    EXPECT_EQ(player.bufferCapacity(0), 1024u);
    EXPECT_EQ(player.bufferCapacity(1), 1024u);
    EXPECT_EQ(player.bufferCapacity(2), 0u);
}

TEST_F(TunePlayerTest, APlayOnceTuneEndsStoppedAndCanPlayAgainFromItsStart) {
    Track track;
    for (int i = 0; i < 30; ++i) {
        track.note(i == 0 ? 0 : 20, 0, 50 + i, 100);
    }
    track.end();
    loadAndPlay(midiFile(0, 120, {track}), false);
    stream.playAll();
    EXPECT_EQ(player.state(), TunePlayer::State::Stopped);
    EXPECT_FALSE(player.isPlaying());
    const std::vector<std::uint32_t> firstRun = musictest::shortMessages(stream.played);
    ASSERT_EQ(firstRun.size(), 30u);

    ASSERT_TRUE(player.playTune(false));
    EXPECT_EQ(player.state(), TunePlayer::State::Playing);
    const std::size_t before = stream.played.size();
    stream.playAll();
    const std::vector<PlayedEvent> secondRun(stream.played.begin() + long(before),
                                             stream.played.end());
    EXPECT_EQ(musictest::shortMessages(secondRun), firstRun);
    EXPECT_EQ(player.state(), TunePlayer::State::Stopped);
}

TEST_F(TunePlayerTest, StoppingSilencesReleasesAndIsSafeToRepeat) {
    player.stopTune();  // nothing loaded
    EXPECT_EQ(stream.stops, 0);

    loadAndPlay(realTune(), true);
    stream.playNext();
    player.stopTune();
    EXPECT_EQ(player.state(), TunePlayer::State::Stopped);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(stream.stops, 1);
    EXPECT_EQ(stream.resets, 1);
    EXPECT_EQ(stream.closes, 1);
    EXPECT_EQ(stream.queuedCount(), 0u);

    player.stopTune();
    EXPECT_EQ(stream.closes, 1);
    EXPECT_FALSE(player.playTune(true));  // the stream is closed
}

TEST_F(TunePlayerTest, StopGivesUpWaitingForABufferThatNeverComesBack) {
    stream.stopHandsBack = FakeMidiStream::StopHandsBack::None;
    loadAndPlay(realTune(), true);
    const auto start = std::chrono::steady_clock::now();
    player.stopTune();
    const auto waited = std::chrono::steady_clock::now() - start;
    // A loose bound: the wait is 2000 ms at most.
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_EQ(player.state(), TunePlayer::State::Stopped);
    EXPECT_EQ(stream.closes, 1);
}

TEST_F(TunePlayerTest, LoadingAnotherTuneStopsTheFirst) {
    loadAndPlay(realTune(), true);
    stream.playNext();
    ASSERT_TRUE(player.loadTune(midiFile(0, 96, {Track().note(0, 0, 60, 100).end()})));
    EXPECT_EQ(stream.stops, 1);
    EXPECT_EQ(stream.closes, 1);
    EXPECT_EQ(stream.opens, 2);
    EXPECT_EQ(stream.division, 96);
}

TEST_F(TunePlayerTest, NoOutputMeansNoMusic) {
    stream.failOpen = true;
    EXPECT_FALSE(player.loadTune(realTune()));
    EXPECT_FALSE(player.playTune(true));
    EXPECT_EQ(player.state(), TunePlayer::State::Stopped);

    stream.failOpen = false;
    stream.failDivision = true;
    EXPECT_FALSE(player.loadTune(realTune()));
    EXPECT_EQ(stream.closes, 1);
    EXPECT_FALSE(player.playTune(true));
}

struct BrokenTune {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

std::vector<BrokenTune> brokenTunes() {
    const std::vector<std::uint8_t> good = midiFile(0, 120, {Track().note(0, 0, 60, 100).end()});
    auto changed = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    auto cut = [&](std::size_t size) {
        return std::vector<std::uint8_t>(good.begin(), good.begin() + long(size));
    };
    std::vector<std::uint8_t> twoTracksAnnounced = changed(11, 2);
    std::vector<std::uint8_t> longDelta =
        midiFile(0, 120, {Track().raw({0x81, 0x81, 0x81, 0x81, 0x00, 0x90, 60, 100})});
    std::vector<std::uint8_t> cutDelta = midiFile(0, 120, {Track().raw({0x81})});
    return {
        {"empty", {}},
        {"only the magic", {'M', 'T', 'h', 'd'}},
        {"wrong magic", changed(3, 'x')},
        {"header length 5", changed(7, 5)},
        {"header length 7", changed(7, 7)},
        {"no tracks", changed(11, 0)},
        {"a track missing", twoTracksAnnounced},
        {"track chunk id", changed(16, 'X')},
        {"track longer than the data", changed(21, std::uint8_t(good[21] + 1))},
        {"header cut", cut(10)},
        {"track header cut", cut(18)},
        {"division 0", changed(13, 0)},
        {"timecode division", changed(12, 0xE7)},
        {"first delta of five bytes", longDelta},
        {"first delta cut at the end", cutDelta},
    };
}

TEST(TunePlayerBrokenTunes, GiveNoMusic) {
    for (const BrokenTune& tune : brokenTunes()) {
        SCOPED_TRACE(tune.name);
        FakeMidiStream stream;
        TunePlayer player(stream);
        EXPECT_FALSE(player.loadTune(tune.bytes));
        EXPECT_FALSE(player.playTune(true));
        EXPECT_EQ(stream.opens, 0);
        EXPECT_EQ(player.state(), TunePlayer::State::Stopped);
    }
}

TEST(TunePlayerBrokenTunes, AnEventCutShortEndsItsTrackQuietly) {
    FakeMidiStream stream;
    TunePlayer player(stream);
    // A note, then a note-on whose second data byte is missing at the end of the track.
    ASSERT_TRUE(
        player.loadTune(midiFile(0, 120, {Track().note(5, 0, 60, 100).raw({10, 0x90, 62})})));
    ASSERT_TRUE(player.playTune(true));
    stream.playEvents(10);
    // The tune repeats its one good note; the broken one never plays.
    ASSERT_GE(stream.played.size(), 3u);
    for (const PlayedEvent& played : stream.played) {
        EXPECT_EQ(played.event.parameters(), message(0x90, 60, 100));
    }
}

TEST(TunePlayerBrokenTunes, ATuneThatTakesNoTimeDoesNotRepeatForever) {
    FakeMidiStream stream;
    TunePlayer player(stream);
    ASSERT_TRUE(player.loadTune(midiFile(0, 120, {Track().note(0, 0, 60, 100).end()})));
    ASSERT_TRUE(player.playTune(true));
    stream.playAll();
    EXPECT_EQ(stream.played.size(), 1u);
    EXPECT_EQ(player.state(), TunePlayer::State::Stopped);
}

}  // namespace
