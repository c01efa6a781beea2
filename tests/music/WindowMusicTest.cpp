// Starting and stopping a window's music by its setting.
#include "ui/BackgroundMusic.h"

#include <gtest/gtest.h>

#include "assets/Assets.h"
#include "tests/music/FakeMidiStream.h"
#include "tests/music/SmfBuilder.h"

namespace {

using musictest::FakeMidiStream;
using musictest::midiFile;
using musictest::Track;
using ui::TunePlayer;

std::vector<std::uint8_t> shortTune() {
    // Its last event stands at its end, tick 120, so that it repeats in time.
    Track track;
    for (int i = 0; i < 4; ++i) {
        track.note(i == 0 ? 0 : 30, 0, 60 + i, 100);
    }
    track.note(30, 0, 63, 0);
    return midiFile(0, 120, {track.end()});
}

struct NoMusicCase {
    const char* name;
    std::vector<std::uint8_t> tune;
    int playMode;
};

TEST(WindowMusic, NothingStartsForAnEmptyTunePlayModeTwoOrBytesThatAreNoMidiFile) {
    const std::vector<NoMusicCase> cases = {
        {"empty tune", {}, ui::repeatWithoutEnd},
        {"do not play", shortTune(), ui::doNotPlay},
        {"a WAV file", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, ui::repeatWithoutEnd},
        {"only the magic", {'M', 'T', 'h', 'd'}, ui::repeatWithoutEnd},
    };
    for (const NoMusicCase& test : cases) {
        SCOPED_TRACE(test.name);
        FakeMidiStream stream;
        TunePlayer player(stream);
        EXPECT_FALSE(ui::startWindowMusic(player, test.tune, test.playMode));
        EXPECT_EQ(stream.opens, 0);
        EXPECT_FALSE(player.isPlaying());
    }
}

TEST(WindowMusic, PlayModeZeroRepeatsWithoutEnd) {
    FakeMidiStream stream;
    TunePlayer player(stream);
    ASSERT_TRUE(ui::startWindowMusic(player, shortTune(), ui::repeatWithoutEnd));
    stream.playEvents(12);
    ASSERT_GE(stream.played.size(), 12u);
    EXPECT_EQ(stream.played[5].event.parameters(), stream.played[0].event.parameters());
    EXPECT_EQ(stream.played[5].tick, 120u);
    EXPECT_EQ(stream.played[10].tick, 240u);
    EXPECT_TRUE(player.isPlaying());

    ui::stopWindowMusic(player);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(stream.closes, 1);
}

TEST(WindowMusic, PlayModeOnePlaysOnce) {
    FakeMidiStream stream;
    TunePlayer player(stream);
    ASSERT_TRUE(ui::startWindowMusic(player, shortTune(), ui::playOnce));
    stream.playAll();
    EXPECT_EQ(stream.played.size(), 5u);
    EXPECT_EQ(player.state(), TunePlayer::State::Stopped);
}

TEST(WindowMusic, TheWindowsOwnSettingRepeatsTheEmbeddedTune) {
    EXPECT_EQ(ui::windowPlayMode, 0);
    const assets::Bytes tune = assets::backgroundTune();
    FakeMidiStream stream;
    TunePlayer player(stream);
    ASSERT_TRUE(ui::startWindowMusic(player, tune, ui::windowPlayMode));
    EXPECT_TRUE(player.isPlaying());
}

}  // namespace
