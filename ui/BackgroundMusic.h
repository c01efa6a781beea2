// The main window's background music: its setting, and its start and stop.
#pragma once

#include <cstdint>
#include <span>

#include "toolkit/MidiStream.h"
#include "ui/TunePlayer.h"

namespace ui {

// The window's music setting `playMode`: how the tune plays.
enum PlayMode : int { repeatWithoutEnd = 0, playOnce = 1, doNotPlay = 2 };

// `mainWindow`'s own setting: its tune repeats for as long as the window exists.
inline constexpr int windowPlayMode = repeatWithoutEnd;

// Starts a window's music on `player`: nothing for an empty tune or play mode 2; a Standard
// MIDI File is loaded and played, repeating for play mode 0. Whether music plays. Failures
// (no sound output, a broken file) leave the window silent and say nothing.
bool startWindowMusic(TunePlayer& player, std::span<const std::uint8_t> tune, int playMode);
void stopWindowMusic(TunePlayer& player);

// The music of one window, played on the desktop's sound output. Owned by the window: start
// it right after the window exists, before its controls; stop it when the window is finally
// destroyed (after willBeDestroyed). Destroying it stops the music too.
class WindowMusic {
  public:
    WindowMusic();
    ~WindowMusic();

    WindowMusic(const WindowMusic&) = delete;
    WindowMusic& operator=(const WindowMusic&) = delete;

    bool startWindowMusic(std::span<const std::uint8_t> tune, int playMode);
    // The window's own tune (assets::backgroundTune) with its own setting (windowPlayMode).
    bool startWindowMusic();
    void stopWindowMusic();
    bool isPlaying() const { return player_.isPlaying(); }

  private:
    toolkit::MidiStream stream_;
    TunePlayer player_;
};

}  // namespace ui
