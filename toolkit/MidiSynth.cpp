#include "toolkit/MidiSynth.h"

#include <fluidsynth.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string_view>

namespace toolkit {

namespace {

bool isFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A PulseAudio (or PipeWire's PulseAudio) server answers on this socket; trying the driver
// without one would wait for a server that never comes.
bool pulseServerReachable() {
    if (const char* server = std::getenv("PULSE_SERVER"); server != nullptr && *server != 0) {
        return true;
    }
    std::string runtime;
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir != nullptr && *dir != 0) {
        runtime = dir;
    } else {
        runtime = "/run/user/" + std::to_string(getuid());
    }
    struct stat info {};
    return stat((runtime + "/pulse/native").c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// The program shows no message for a missing sound: FluidSynth's own complaints are muted.
void muteFluidSynthLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, nullptr, nullptr);
        }
    });
}

}  // namespace

std::string findGeneralMidiSoundFont() {
    static const char* const places[] = {
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/soundfonts/default.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2", "/usr/share/sounds/sf2/GeneralUser.sf2",
    };
    for (const char* place : places) {
        if (isFile(place)) {
            return place;
        }
    }
    return {};
}

struct MidiSynth::Parts {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;

    ~Parts() {
        if (driver != nullptr) {
            delete_fluid_audio_driver(driver);
        }
        if (synth != nullptr) {
            delete_fluid_synth(synth);
        }
        if (settings != nullptr) {
            delete_fluid_settings(settings);
        }
    }
};

MidiSynth::MidiSynth(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

MidiSynth::~MidiSynth() = default;

std::unique_ptr<MidiSynth> MidiSynth::create(const std::string& soundFont, double gain,
                                             int sampleRate) {
    muteFluidSynthLog();
    const std::string path = soundFont.empty() ? findGeneralMidiSoundFont() : soundFont;
    if (path.empty() || !isFile(path)) {
        return nullptr;
    }
    auto parts = std::make_unique<Parts>();
    parts->settings = new_fluid_settings();
    if (parts->settings == nullptr) {
        return nullptr;
    }
    fluid_settings_setnum(parts->settings, "synth.gain", gain);
    fluid_settings_setnum(parts->settings, "synth.sample-rate", sampleRate);
    parts->synth = new_fluid_synth(parts->settings);
    if (parts->synth == nullptr ||
        fluid_synth_sfload(parts->synth, path.c_str(), 1) == FLUID_FAILED) {
        return nullptr;
    }
    return std::unique_ptr<MidiSynth>(new MidiSynth(std::move(parts)));
}

void MidiSynth::shortMessage(std::uint32_t message, std::uint64_t) {
    fluid_synth_t* synth = parts_->synth;
    const int status = message & 0xFF;
    const int channel = status & 0x0F;
    const int data1 = (message >> 8) & 0x7F;
    const int data2 = (message >> 16) & 0x7F;
    switch (status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth, channel, data1);
            break;
        case 0x90:
            // A note-on of velocity 0 is a note-off.
            if (data2 == 0) {
                fluid_synth_noteoff(synth, channel, data1);
            } else {
                fluid_synth_noteon(synth, channel, data1, data2);
            }
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth, channel, data1 | data2 << 7);
            break;
        default:
            break;
    }
}

void MidiSynth::allNotesOff() {
    fluid_synth_all_notes_off(parts_->synth, -1);
}

void MidiSynth::renderInterleaved(std::int16_t* stereo, int frames) {
    fluid_synth_write_s16(parts_->synth, frames, stereo, 0, 2, stereo, 1, 2);
}

void MidiSynth::process(int frames, int effectCount, float** effects, int outputCount,
                        float** outputs) {
    if (effectCount == 0) {
        // A driver without effect buffers: reverb and chorus are mixed into the outputs.
        fluid_synth_process(parts_->synth, frames, outputCount, outputs, outputCount, outputs);
    } else {
        fluid_synth_process(parts_->synth, frames, effectCount, effects, outputCount, outputs);
    }
}

bool MidiSynth::startAudio(RenderFunction render, void* data) {
    if (parts_->driver != nullptr) {
        return true;
    }
    for (const std::string_view driver : {"pulseaudio", "alsa"}) {
        if (driver == "pulseaudio" && !pulseServerReachable()) {
            continue;
        }
        fluid_settings_setstr(parts_->settings, "audio.driver", std::string(driver).c_str());
        parts_->driver = new_fluid_audio_driver2(parts_->settings, render, data);
        if (parts_->driver != nullptr) {
            return true;
        }
    }
    return false;
}

void MidiSynth::stopAudio() {
    if (parts_->driver != nullptr) {
        delete_fluid_audio_driver(parts_->driver);
        parts_->driver = nullptr;
    }
}

}  // namespace toolkit
