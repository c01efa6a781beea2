#include "Song.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tune {

namespace {

constexpr std::uint32_t beat = 120;  // one quarter note at 120 ticks per quarter
constexpr std::uint32_t bar = 4 * beat;
constexpr std::uint32_t sixteenth = beat / 4;
constexpr int bars = 8;

constexpr int melodyChannel = 0;      // distortion guitar
constexpr int arpeggioChannel = 1;    // steel-string acoustic guitar
constexpr int bassChannel = 2;        // fretless bass
constexpr int stringsChannel = 3;     // string ensemble
constexpr int percussionChannel = 9;  // General MIDI drums

// How each chord of the progression lies on the instruments.
struct Chord {
    int thumb;        // the acoustic guitar's bass string
    int thumbAlt;     // its alternating bass, the fifth
    int upper[4];     // the acoustic guitar's upper voicing, low to high
    int pad[3];       // strings, first half of the bar
    int padMoved[3];  // strings, second half: the same chord a voice higher
};

constexpr Chord C = {48, 43, {52, 55, 60, 64}, {55, 60, 64}, {60, 64, 67}};
constexpr Chord G = {43, 50, {55, 59, 62, 67}, {55, 59, 62}, {59, 62, 67}};
constexpr Chord Am = {45, 52, {57, 60, 64, 69}, {57, 60, 64}, {60, 64, 69}};
constexpr Chord F = {41, 48, {53, 57, 60, 65}, {57, 60, 65}, {60, 65, 69}};

// I V vi IV I V IV V: the last bar's G leads back to the first bar's C when the tune repeats.
constexpr const Chord* progression[bars] = {&C, &G, &Am, &F, &C, &G, &F, &G};

struct Tone {
    int key;
    std::uint32_t duration;
};

// The distortion guitar's tune, bar by bar, in keys and ticks.
const std::vector<std::vector<Tone>> melody = {
    {{67, 120}, {72, 60}, {74, 60}, {76, 120}, {74, 60}, {72, 60}},
    {{71, 180}, {69, 60}, {67, 120}, {69, 60}, {71, 60}},
    {{72, 120}, {76, 60}, {74, 60}, {72, 120}, {71, 60}, {69, 60}},
    {{69, 180}, {67, 60}, {65, 60}, {67, 60}, {69, 60}, {72, 60}},
    {{67, 60}, {72, 60}, {76, 120}, {79, 120}, {76, 60}, {74, 60}},
    {{74, 120}, {71, 60}, {74, 60}, {79, 120}, {77, 60}, {74, 60}},
    {{72, 60}, {69, 60}, {72, 60}, {77, 60}, {74, 120}, {72, 60}, {69, 60}},
    {{74, 60}, {76, 60}, {74, 60}, {71, 60}, {67, 60}, {69, 60}, {71, 60}, {74, 60}},
};

// The fretless bass: root, fifth and a step towards the next bar's root.
const std::vector<std::vector<Tone>> bassLine = {
    {{36, 180}, {36, 60}, {43, 120}, {40, 120}}, {{43, 180}, {43, 60}, {38, 120}, {47, 120}},
    {{45, 180}, {45, 60}, {40, 120}, {43, 120}}, {{41, 240}, {36, 120}, {38, 120}},
    {{36, 180}, {36, 60}, {43, 120}, {40, 120}}, {{43, 180}, {43, 60}, {38, 120}, {40, 120}},
    {{41, 180}, {41, 60}, {36, 120}, {45, 120}}, {{43, 240}, {38, 120}, {35, 120}},
};

void addLine(std::vector<Note>& notes, int channel, const std::vector<std::vector<Tone>>& line,
             int (*velocityAt)(std::uint32_t tick)) {
    for (int b = 0; b < int(line.size()); ++b) {
        std::uint32_t tick = b * bar;
        for (const Tone& tone : line[b]) {
            notes.push_back({channel, tone.key, tick, tone.duration, velocityAt(tick)});
            tick += tone.duration;
        }
    }
}

// Fingerpicked sixteenths: the thumb on every eighth, a rippling line over the upper voicing,
// pinched top notes on the beats.
void addArpeggios(std::vector<Note>& notes) {
    constexpr int line[16] = {0, 1, 2, 1, 3, 2, 1, 2, 0, 1, 2, 1, 3, 2, 1, 2};
    for (int b = 0; b < bars; ++b) {
        const Chord& chord = *progression[b];
        for (int step = 0; step < 16; ++step) {
            const std::uint32_t tick = b * bar + step * sixteenth;
            const bool onBeat = step % 4 == 0;
            if (step % 2 == 0) {
                const int thumb = step % 4 == 0 ? chord.thumb : chord.thumbAlt;
                notes.push_back({arpeggioChannel, thumb, tick, 2 * sixteenth, onBeat ? 100 : 95});
            }
            notes.push_back({arpeggioChannel, chord.upper[line[step]], tick, 2 * sixteenth, 95});
            if (step % 8 == 0) {
                notes.push_back({arpeggioChannel, chord.upper[3], tick, beat, 100});
            } else if (step % 8 == 4) {
                notes.push_back({arpeggioChannel, chord.upper[1], tick, beat, 100});
            } else if (step % 8 == 6) {
                notes.push_back({arpeggioChannel, chord.upper[3], tick, beat, 100});
            }
        }
    }
    // The last bar rings out as G7 with a high B and D that lead back to C.
    const std::uint32_t last = (bars - 1) * bar;
    notes.push_back({arpeggioChannel, 65, last + 12 * sixteenth, beat, 100});
    notes.push_back({arpeggioChannel, 71, last + 14 * sixteenth, beat, 100});
    notes.push_back({arpeggioChannel, 74, last + 15 * sixteenth, beat, 100});
}

void addPads(std::vector<Note>& notes) {
    const std::uint32_t half = bar / 2;
    for (int b = 0; b < bars; ++b) {
        const Chord& chord = *progression[b];
        for (int key : chord.pad) {
            notes.push_back({stringsChannel, key, b * bar, half, 95});
        }
        for (int key : chord.padMoved) {
            notes.push_back({stringsChannel, key, b * bar + half, half, 95});
        }
    }
    // The seventh of G7 under the last half bar.
    notes.push_back({stringsChannel, 65, (bars - 1) * bar + half, half, 95});
}

void addDrums(std::vector<Note>& notes) {
    constexpr int kick = 36, snare = 38, closedHat = 42, crash = 49;
    constexpr int highTom = 50, lowMidTom = 47, floorTom = 43;
    auto hit = [&](int key, std::uint32_t tick, int velocity) {
        notes.push_back({percussionChannel, key, tick, sixteenth, velocity});
    };
    for (int b = 0; b < bars; ++b) {
        const std::uint32_t start = b * bar;
        const bool phraseStart = b == 0 || b == 4;
        const bool shortFill = b == 3;
        const bool longFill = b == bars - 1;
        const std::uint32_t hatsUntil = longFill ? 2 * beat : shortFill ? 3 * beat : bar;
        for (std::uint32_t t = 0; t < hatsUntil; t += 2 * sixteenth) {
            if (t == 0 && phraseStart) {
                hit(crash, start, 127);
            } else {
                hit(closedHat, start + t, t % beat == 0 ? 100 : 95);
            }
        }
        hit(kick, start, 127);
        hit(snare, start + beat, 127);
        if (longFill) {
            // Beats 3 and 4: sixteenths down the toms over kicks on the eighths.
            hit(kick, start + 3 * sixteenth * 2, 100);
            const int fill[8] = {snare,     snare,     highTom,  highTom,
                                 lowMidTom, lowMidTom, floorTom, floorTom};
            for (int i = 0; i < 8; ++i) {
                const std::uint32_t tick = start + 2 * beat + i * sixteenth;
                hit(fill[i], tick, i % 2 == 0 ? 127 : 100);
                if (i % 2 == 0) {
                    hit(kick, tick, 100);
                }
            }
            continue;
        }
        hit(kick, start + 2 * beat, 100);
        hit(kick, start + 2 * beat + 2 * sixteenth, 100);
        if (shortFill) {
            for (int i = 0; i < 4; ++i) {
                hit(snare, start + 3 * beat + i * sixteenth, i == 0 ? 127 : 100);
            }
        } else {
            hit(snare, start + 3 * beat, 127);
        }
    }
}

int melodyVelocity(std::uint32_t tick) {
    return tick % (2 * beat) == 0 ? 127 : 100;
}
int bassVelocity(std::uint32_t tick) {
    return tick % bar == 0 ? 100 : 95;
}

// A note still sounding when the same key starts again on its channel ends there, and nothing
// sounds past the end of the tune, so that it repeats cleanly.
void endOverlaps(std::vector<Note>& notes, std::uint32_t length) {
    std::map<std::pair<int, int>, std::vector<Note*>> byKey;
    for (Note& note : notes) {
        byKey[{note.channel, note.key}].push_back(&note);
    }
    for (auto& [key, list] : byKey) {
        std::stable_sort(list.begin(), list.end(),
                         [](const Note* a, const Note* b) { return a->start < b->start; });
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::uint32_t end = std::min(list[i]->start + list[i]->duration, length);
            if (i + 1 < list.size()) {
                end = std::min(end, list[i + 1]->start);
            }
            list[i]->duration = end - list[i]->start;
        }
    }
}

}  // namespace

Song composeBackgroundTune() {
    Song song;
    song.division = int(beat);
    song.tempo = 857143;  // 70 beats per minute
    song.length = bars * bar;
    song.trackName = "Name card theme";
    song.text = "Background music of the name card maker";
    song.marker = "Loop";
    song.channels = {
        {melodyChannel, 30, 120, 64},     // distortion guitar
        {arpeggioChannel, 25, 85, 64},    // steel-string acoustic guitar
        {bassChannel, 35, 100, 64},       // fretless bass
        {stringsChannel, 48, 120, 64},    // string ensemble 1
        {percussionChannel, -1, 90, 64},  // drums need no program
    };
    addLine(song.notes, melodyChannel, melody, melodyVelocity);
    addArpeggios(song.notes);
    addLine(song.notes, bassChannel, bassLine, bassVelocity);
    addPads(song.notes);
    addDrums(song.notes);
    endOverlaps(song.notes, song.length);
    return song;
}

}  // namespace tune
