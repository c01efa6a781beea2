// The FluidSynth synthesiser behind MidiStream, and the system's General MIDI SoundFont.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/MidiStream.h"

namespace toolkit {

// The first General MIDI SoundFont found in the usual places of a Linux desktop; empty when
// there is none.
std::string findGeneralMidiSoundFont();

class MidiSynth final : public MidiEventSink {
  public:
    // Same shape as FluidSynth's fluid_audio_func_t.
    using RenderFunction = int (*)(void* data, int frames, int effectCount, float** effects,
                                   int outputCount, float** outputs);

    // Nothing when the SoundFont cannot be loaded or FluidSynth fails. An empty path looks for
    // the system's General MIDI SoundFont.
    static std::unique_ptr<MidiSynth> create(const std::string& soundFont, double gain,
                                             int sampleRate);
    ~MidiSynth() override;

    void shortMessage(std::uint32_t message, std::uint64_t frame) override;
    void allNotesOff() override;

    void renderInterleaved(std::int16_t* stereo, int frames);
    // Adds `frames` frames to the driver's buffers (effects mixed in when it has none for them).
    void process(int frames, int effectCount, float** effects, int outputCount, float** outputs);

    // Opens the desktop's audio output; from then on it calls `render(data, ...)` for every
    // block from its own thread until stopAudio(). False when no device opens.
    bool startAudio(RenderFunction render, void* data);
    void stopAudio();

  private:
    struct Parts;
    explicit MidiSynth(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};

}  // namespace toolkit
