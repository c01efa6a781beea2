// namecard-cli tune: the window's background music without the window.
//   tune --midi OUT.mid               writes the embedded tune
//   tune --wav OUT.wav --seconds N    plays it as the window does and records N seconds
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "cli/Commands.h"
#include "toolkit/MidiStream.h"
#include "toolkit/MidiSynth.h"
#include "ui/BackgroundMusic.h"
#include "ui/TunePlayer.h"

namespace {

constexpr int sampleRate = 44100;
constexpr int maxSeconds = 3600;

int usage() {
    std::fputs(
        "usage: namecard-cli tune --midi OUT.mid\n"
        "       namecard-cli tune --wav OUT.wav --seconds N\n",
        stderr);
    return 2;
}

void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(std::uint8_t(value >> (8 * i)));
    }
}

// The 44-byte header of a 16-bit stereo PCM WAV file holding `frames` frames.
std::vector<std::uint8_t> wavHeader(std::uint32_t frames) {
    const std::uint32_t dataBytes = frames * 4;
    std::vector<std::uint8_t> header;
    auto text = [&](const char* chars) { header.insert(header.end(), chars, chars + 4); };
    text("RIFF");
    appendLittleEndian(header, 36 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    appendLittleEndian(header, 16, 4);
    appendLittleEndian(header, 1, 2);  // PCM
    appendLittleEndian(header, 2, 2);  // stereo
    appendLittleEndian(header, sampleRate, 4);
    appendLittleEndian(header, sampleRate * 4, 4);
    appendLittleEndian(header, 4, 2);
    appendLittleEndian(header, 16, 2);
    text("data");
    appendLittleEndian(header, dataBytes, 4);
    return header;
}

bool writeFile(const char* path, const std::uint8_t* bytes, std::size_t size, std::FILE* out) {
    if (std::fwrite(bytes, 1, size, out) != size) {
        std::fprintf(stderr, "namecard-cli: cannot write %s\n", path);
        return false;
    }
    return true;
}

int writeMidi(const char* path) {
    const assets::Bytes tune = assets::backgroundTune();
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) {
        std::perror(path);
        return 1;
    }
    const bool written = writeFile(path, tune.data(), tune.size(), out);
    return std::fclose(out) == 0 && written ? 0 : 1;
}

int writeWav(const char* path, int seconds) {
    const std::string soundFont = toolkit::findGeneralMidiSoundFont();
    if (soundFont.empty()) {
        std::fputs(
            "namecard-cli: no General MIDI SoundFont found (install timgm6mb-soundfont or "
            "fluid-soundfont-gm)\n",
            stderr);
        return 1;
    }
    toolkit::MidiStreamSettings settings;
    settings.soundFont = soundFont;
    settings.clock = toolkit::MidiClock::Manual;
    settings.sampleRate = sampleRate;
    toolkit::MidiStream stream(settings);
    ui::TunePlayer player(stream);
    if (!ui::startWindowMusic(player, assets::backgroundTune(), ui::windowPlayMode)) {
        std::fprintf(stderr, "namecard-cli: the synthesiser did not start with %s\n",
                     soundFont.c_str());
        return 1;
    }
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) {
        std::perror(path);
        return 1;
    }
    const std::uint32_t frames = std::uint32_t(seconds) * sampleRate;
    const std::vector<std::uint8_t> header = wavHeader(frames);
    bool written = writeFile(path, header.data(), header.size(), out);
    std::vector<std::int16_t> block(2 * 4410);
    for (std::uint32_t done = 0; written && done < frames;) {
        const int count = int(std::min<std::uint32_t>(frames - done, block.size() / 2));
        stream.renderBlock(block.data(), count);
        // WAV samples are little-endian, like this machine.
        written = writeFile(path, reinterpret_cast<const std::uint8_t*>(block.data()),
                            std::size_t(count) * 4, out);
        done += std::uint32_t(count);
    }
    ui::stopWindowMusic(player);
    return std::fclose(out) == 0 && written ? 0 : 1;
}

bool parseSeconds(const char* text, int& seconds) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != 0 || value <= 0 || value > maxSeconds) {
        return false;
    }
    seconds = int(value);
    return true;
}

}  // namespace

namespace cli {

int runTune(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--midi") == 0) {
        return writeMidi(argv[2]);
    }
    const char* wav = nullptr;
    int seconds = 0;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) {
            return usage();
        }
        if (std::strcmp(argv[i], "--wav") == 0 && wav == nullptr) {
            wav = argv[i + 1];
        } else if (std::strcmp(argv[i], "--seconds") == 0 && seconds == 0) {
            if (!parseSeconds(argv[i + 1], seconds)) {
                return usage();
            }
        } else {
            return usage();
        }
    }
    if (wav == nullptr || seconds == 0) {
        return usage();
    }
    return writeWav(wav, seconds);
}

}  // namespace cli
