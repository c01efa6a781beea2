#include "toolkit/MidiStream.h"

#include <algorithm>
#include <vector>

#include "toolkit/MidiSynth.h"

namespace toolkit {

namespace {

// Events are sent at the start of the block in which they fall due: 64 frames (1.5 ms at
// 44.1 kHz) keeps them close to their time and matches FluidSynth's own block size.
constexpr std::uint32_t framesPerBlock = 64;
constexpr std::uint32_t defaultTempo = 500000;  // 120 beats per minute until told otherwise
constexpr int maxOutputs = 16;

}  // namespace

MidiStream::MidiStream(MidiStreamSettings settings)
    : settings_(std::move(settings)), sampleRate_(settings_.sampleRate) {}

MidiStream::MidiStream(MidiEventSink& sink, int sampleRate)
    : settings_{.soundFont = {}, .clock = MidiClock::Manual, .gain = 0, .sampleRate = sampleRate},
      externalSink_(&sink),
      sampleRate_(sampleRate) {}

MidiStream::~MidiStream() {
    close();
}

bool MidiStream::isOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

bool MidiStream::open(DoneCallback done) {
    if (isOpen() || sampleRate_ <= 0) {
        return false;
    }
    if (externalSink_ != nullptr) {
        sink_ = externalSink_;
    } else {
        synth_ = MidiSynth::create(settings_.soundFont, settings_.gain, sampleRate_);
        if (!synth_) {
            return false;
        }
        sink_ = synth_.get();
    }
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        done_ = std::move(done);
        paused_ = true;
        division_ = 96;
        tempo_ = defaultTempo;
        elapsedTicks_ = 0;
        fraction_ = 0;
        framePosition_ = 0;
        headOffset_ = 0;
        completionQuit_ = false;
    }
    completionThread_ = std::thread([this] { runCompletionThread(); });
    if (externalSink_ == nullptr && settings_.clock == MidiClock::AudioDevice &&
        !synth_->startAudio(&MidiStream::renderAudio, this)) {
        close();
        return false;
    }
    return true;
}

bool MidiStream::setTimeDivision(int ticksPerQuarter) {
    std::lock_guard lock(mutex_);
    if (!open_ || ticksPerQuarter <= 0 || ticksPerQuarter > 0x7FFF) {
        return false;
    }
    division_ = std::uint32_t(ticksPerQuarter);
    return true;
}

bool MidiStream::prepare(MidiBuffer& buffer) {
    std::lock_guard lock(mutex_);
    if (!open_ || buffer.data == nullptr || buffer.capacity == 0 || buffer.queued) {
        return false;
    }
    buffer.prepared = true;
    return true;
}

bool MidiStream::queue(MidiBuffer& buffer) {
    std::lock_guard lock(mutex_);
    if (!open_ || !buffer.prepared || buffer.queued || buffer.bytesRecorded > buffer.capacity ||
        buffer.bytesRecorded % midiStreamEventBytes != 0) {
        return false;
    }
    buffer.queued = true;
    queue_.push_back(&buffer);
    return true;
}

bool MidiStream::restart() {
    std::lock_guard lock(mutex_);
    if (!open_) {
        return false;
    }
    paused_ = false;
    return true;
}

bool MidiStream::stop() {
    std::lock_guard lock(mutex_);
    if (!open_) {
        return false;
    }
    paused_ = true;
    while (!queue_.empty()) {
        handBackLocked(*queue_.front());
        queue_.pop_front();
    }
    headOffset_ = 0;
    elapsedTicks_ = 0;
    fraction_ = 0;
    sink_->allNotesOff();
    return true;
}

bool MidiStream::reset() {
    std::lock_guard lock(mutex_);
    if (!open_) {
        return false;
    }
    sink_->allNotesOff();
    return true;
}

bool MidiStream::unprepare(MidiBuffer& buffer) {
    std::lock_guard lock(mutex_);
    if (!open_ || buffer.queued) {
        return false;
    }
    buffer.prepared = false;
    return true;
}

void MidiStream::close() {
    // The audio thread may be waiting for our lock, so it is stopped before we take it.
    if (synth_) {
        synth_->stopAudio();
    }
    {
        std::lock_guard lock(mutex_);
        if (!open_ && !completionThread_.joinable()) {
            return;
        }
        open_ = false;
        while (!queue_.empty()) {
            handBackLocked(*queue_.front());
            queue_.pop_front();
        }
        completionQuit_ = true;
    }
    completionWake_.notify_all();
    if (completionThread_.joinable()) {
        completionThread_.join();
    }
    std::lock_guard lock(mutex_);
    done_ = nullptr;
    sink_ = nullptr;
    synth_.reset();
}

void MidiStream::handBackLocked(MidiBuffer& buffer) {
    buffer.queued = false;
    handedBack_.push_back(&buffer);
    completionWake_.notify_one();
}

void MidiStream::runCompletionThread() {
    std::unique_lock lock(mutex_);
    for (;;) {
        completionWake_.wait(lock, [this] { return completionQuit_ || !handedBack_.empty(); });
        if (handedBack_.empty()) {
            return;  // quit, with every buffer handed back
        }
        MidiBuffer* buffer = handedBack_.front();
        handedBack_.pop_front();
        DoneCallback done = done_;
        lock.unlock();
        if (done) {
            done(*buffer);
        }
        lock.lock();
    }
}

void MidiStream::advance(std::uint32_t frames) {
    if (externalSink_ == nullptr && settings_.clock == MidiClock::AudioDevice) {
        return;  // the audio device moves this clock
    }
    playFrames(frames);
}

bool MidiStream::renderBlock(std::int16_t* interleavedStereo, int frames) {
    if (!synth_ || settings_.clock != MidiClock::Manual || frames < 0) {
        return false;
    }
    for (int done = 0; done < frames;) {
        const int block = std::min<int>(framesPerBlock, frames - done);
        playFrames(std::uint32_t(block));
        synth_->renderInterleaved(interleavedStereo + 2 * done, block);
        done += block;
    }
    return true;
}

int MidiStream::renderAudio(void* self, int frames, int effectCount, float** effects,
                            int outputCount, float** outputs) {
    auto* stream = static_cast<MidiStream*>(self);
    if (outputCount > maxOutputs || effectCount > maxOutputs) {
        return -1;
    }
    float* outputsAt[maxOutputs];
    float* effectsAt[maxOutputs];
    for (int done = 0; done < frames;) {
        const int block = std::min<int>(framesPerBlock, frames - done);
        stream->playFrames(std::uint32_t(block));
        for (int i = 0; i < outputCount; ++i) {
            outputsAt[i] = outputs[i] + done;
        }
        for (int i = 0; effects != nullptr && i < effectCount; ++i) {
            effectsAt[i] = effects[i] + done;
        }
        stream->synth_->process(block, effects != nullptr ? effectCount : 0, effectsAt, outputCount,
                                outputsAt);
        done += block;
    }
    return 0;
}

void MidiStream::playFrames(std::uint32_t frames) {
    // Large steps are cut so that the clock's arithmetic stays within 64 bits.
    constexpr std::uint32_t largestStep = 4096;
    while (frames > 0) {
        std::uint32_t step = std::min(frames, largestStep);
        frames -= step;
        for (;;) {
            MidiBuffer* finished = nullptr;
            DoneCallback done;
            {
                std::lock_guard lock(mutex_);
                if (!open_) {
                    return;
                }
                finished = sendDueEvents(step);
                done = done_;
            }
            if (finished == nullptr) {
                break;
            }
            // The owner refills and queues it again before the clock moves on: no gap.
            if (done) {
                done(*finished);
            }
        }
    }
}

// Sends the events due within the next `frames` frames and moves the clock. Stops early, with
// `frames` cut to what is left, when a buffer is finished, and returns that buffer.
MidiBuffer* MidiStream::sendDueEvents(std::uint32_t& frames) {
    const std::uint64_t unitsPerFrame = std::uint64_t(division_) * 1000000;
    for (;;) {
        if (paused_ || queue_.empty()) {
            if (!paused_) {
                // Nothing to play: the next buffer's first delta counts from when it comes.
                elapsedTicks_ = 0;
                fraction_ = 0;
            }
            framePosition_ += frames;
            frames = 0;
            return nullptr;
        }
        MidiBuffer& head = *queue_.front();
        if (headOffset_ + midiStreamEventBytes > head.bytesRecorded) {
            queue_.pop_front();
            headOffset_ = 0;
            head.queued = false;
            return &head;
        }
        const MidiStreamEvent event = readMidiStreamEvent(head.data + headOffset_);
        if (elapsedTicks_ < event.delta) {
            const std::uint64_t unitsPerTick = std::uint64_t(tempo_) * std::uint64_t(sampleRate_);
            const std::uint64_t ticksNeeded = event.delta - elapsedTicks_;
            const std::uint64_t unitsAvailable = fraction_ + std::uint64_t(frames) * unitsPerFrame;
            if (ticksNeeded > unitsAvailable / unitsPerTick) {
                moveClock(frames);
                frames = 0;
                return nullptr;
            }
            const std::uint64_t unitsNeeded = ticksNeeded * unitsPerTick - fraction_;
            const std::uint64_t framesNeeded = (unitsNeeded + unitsPerFrame - 1) / unitsPerFrame;
            moveClock(framesNeeded);
            frames -= std::uint32_t(framesNeeded);
        }
        elapsedTicks_ -= event.delta;
        headOffset_ += midiStreamEventBytes;
        if (event.type() == MidiStreamEventType::ShortMessage) {
            sink_->shortMessage(event.parameters(), framePosition_);
        } else if (event.type() == MidiStreamEventType::Tempo) {
            setTempo(event.parameters());
        }
    }
}

void MidiStream::moveClock(std::uint64_t frames) {
    const std::uint64_t unitsPerTick = std::uint64_t(tempo_) * std::uint64_t(sampleRate_);
    fraction_ += frames * std::uint64_t(division_) * 1000000;
    elapsedTicks_ += fraction_ / unitsPerTick;
    fraction_ %= unitsPerTick;
    framePosition_ += frames;
}

void MidiStream::setTempo(std::uint32_t microsecondsPerQuarter) {
    if (microsecondsPerQuarter == 0) {
        return;  // no such tempo: keep the current one
    }
    // The part of a tick already elapsed stays the same part at the new tempo.
    const long double part = static_cast<long double>(fraction_) / tempo_;
    tempo_ = microsecondsPerQuarter;
    const std::uint64_t unitsPerTick = std::uint64_t(tempo_) * std::uint64_t(sampleRate_);
    fraction_ = std::min<std::uint64_t>(std::uint64_t(part * tempo_), unitsPerTick - 1);
}

}  // namespace toolkit
