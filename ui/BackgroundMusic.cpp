#include "ui/BackgroundMusic.h"

#include <cstring>

#include "assets/Assets.h"

namespace ui {

namespace {

bool isStandardMidiFile(std::span<const std::uint8_t> tune) {
    return tune.size() > 4 && std::memcmp(tune.data(), "MThd", 4) == 0;
}

}  // namespace

bool startWindowMusic(TunePlayer& player, std::span<const std::uint8_t> tune, int playMode) {
    if (tune.empty() || playMode == doNotPlay || !isStandardMidiFile(tune)) {
        return false;
    }
    return player.loadTune(tune) && player.playTune(playMode == repeatWithoutEnd);
}

void stopWindowMusic(TunePlayer& player) {
    player.stopTune();
}

WindowMusic::WindowMusic() : player_(stream_) {}

WindowMusic::~WindowMusic() {
    player_.stopTune();
}

bool WindowMusic::startWindowMusic(std::span<const std::uint8_t> tune, int playMode) {
    return ui::startWindowMusic(player_, tune, playMode);
}

bool WindowMusic::startWindowMusic() {
    return startWindowMusic(assets::backgroundTune(), windowPlayMode);
}

void WindowMusic::stopWindowMusic() {
    ui::stopWindowMusic(player_);
}

}  // namespace ui
