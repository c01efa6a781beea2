// make_tune OUT.mid: composes the background tune and writes it as a Standard MIDI File.
//
// The tune must keep its promised shape (notes per channel, velocities, length); a change to
// the music that breaks it fails the build here rather than in a test.
#include <cstdio>
#include <map>
#include <set>

#include "SmfWriter.h"
#include "Song.h"

namespace {

bool checkSong(const tune::Song& song) {
    const std::map<int, int> expectedNotes = {{0, 50}, {1, 243}, {2, 30}, {3, 49}, {9, 111}};
    const std::set<int> velocities = {95, 100, 127};
    std::map<int, int> notes;
    std::set<std::tuple<int, int, std::uint32_t>> starts;
    bool ok = true;
    for (const tune::Note& note : song.notes) {
        ++notes[note.channel];
        if (!velocities.count(note.velocity) || note.key < 0 || note.key > 127 ||
            note.duration == 0 || note.start + note.duration > song.length ||
            !starts.insert({note.channel, note.key, note.start}).second) {
            std::fprintf(stderr, "make_tune: bad note: channel %d key %d at %u for %u\n",
                         note.channel, note.key, note.start, note.duration);
            ok = false;
        }
    }
    if (notes != expectedNotes) {
        for (const auto& [channel, count] : notes) {
            std::fprintf(stderr, "make_tune: channel %d has %d notes\n", channel, count);
        }
        ok = false;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_tune OUT.mid\n", stderr);
        return 2;
    }
    const tune::Song song = tune::composeBackgroundTune();
    if (!checkSong(song)) {
        return 1;
    }
    const std::vector<std::uint8_t> bytes = tune::writeStandardMidiFile(song);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
