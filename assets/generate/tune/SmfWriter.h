// Writes a Song as a format 0 Standard MIDI File.
#pragma once

#include <cstdint>
#include <vector>

#include "Song.h"

namespace tune {

// Notes are ended by a note-on of velocity 0 and channel messages use running status.
std::vector<std::uint8_t> writeStandardMidiFile(const Song& song);

}  // namespace tune
