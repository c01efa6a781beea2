// The background tune as music: its notes, channels and sounds, before they become bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tune {

struct Note {
    int channel = 0;
    int key = 60;
    std::uint32_t start = 0;     // ticks
    std::uint32_t duration = 0;  // ticks
    int velocity = 100;
};

struct ChannelSetup {
    int channel = 0;
    int program = -1;  // none for the percussion channel
    int volume = 100;
    int pan = 64;
};

struct Song {
    int division = 120;
    std::uint32_t tempo = 857143;  // microseconds per quarter note
    std::uint32_t length = 0;      // ticks; where the end of track stands
    std::string trackName;
    std::string text;
    std::string marker;
    std::vector<ChannelSetup> channels;
    std::vector<Note> notes;
};

// Eight bars of 4/4 at 70 beats per minute over C G Am F C G F G, made to repeat.
Song composeBackgroundTune();

}  // namespace tune
