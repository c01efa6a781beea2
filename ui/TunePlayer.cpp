#include "ui/TunePlayer.h"

#include <chrono>
#include <limits>

#include "toolkit/MidiStreamEvent.h"

namespace ui {

namespace {

// A stream's tempo until the tune sets its own: 120 beats per minute.
constexpr std::uint32_t defaultTempo = 500000;
// How long a stop waits for the stream to hand the buffers back.
constexpr std::chrono::milliseconds stopTimeout{2000};

}  // namespace

TunePlayer::TunePlayer(toolkit::MidiOutputStream& stream) : stream_(stream) {
    for (int i = 0; i < bufferCount; ++i) {
        buffers_[i].data = memory_[i].data();
        buffers_[i].capacity = bufferBytes;
        buffers_[i].user = std::uintptr_t(i);
    }
}

TunePlayer::~TunePlayer() {
    stopTune();
}

TunePlayer::State TunePlayer::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

bool TunePlayer::isPlaying() const {
    std::lock_guard lock(mutex_);
    return playing_;
}

std::size_t TunePlayer::bufferCapacity(int index) const {
    return index >= 0 && index < bufferCount ? buffers_[index].capacity : 0;
}

bool TunePlayer::loadTune(std::span<const std::uint8_t> tune) {
    stopTune();
    std::unique_lock lock(mutex_);
    forgetTune();
    const std::optional<toolkit::MidiFileIndex> index = toolkit::indexMidiFile(tune);
    if (!index) {
        return false;
    }
    tune_.assign(tune.begin(), tune.end());
    division_ = index->division;
    for (const toolkit::MidiTrackChunk& chunk : index->tracks) {
        tracks_.push_back({chunk, {}, 0, false});
    }
    rewindTracks();
    for (const Track& track : tracks_) {
        // Only a track that is not empty can fail: its first delta time did not read.
        if (track.finished && track.chunk.length != 0) {
            forgetTune();
            return false;
        }
    }
    tempo_ = defaultTempo;
    lock.unlock();

    if (!stream_.open([this](toolkit::MidiBuffer& buffer) { onBufferDone(buffer); })) {
        lock.lock();
        forgetTune();
        return false;
    }
    bool ready = stream_.setTimeDivision(division_);
    lock.lock();
    streamOpen_ = true;
    state_ = State::Playing;
    for (toolkit::MidiBuffer& buffer : buffers_) {
        fillBuffer(buffer);
    }
    for (toolkit::MidiBuffer& buffer : buffers_) {
        ++buffersInStream_;
        if (!ready || !stream_.prepare(buffer) || !stream_.queue(buffer)) {
            --buffersInStream_;
            ready = false;
        }
    }
    lock.unlock();
    if (!ready) {
        stopTune();
        std::lock_guard relock(mutex_);
        forgetTune();
    }
    return ready;
}

bool TunePlayer::playTune(bool repeat) {
    {
        std::lock_guard lock(mutex_);
        if (!streamOpen_ || tracks_.empty()) {
            return false;
        }
        repeat_ = repeat;
        if (state_ == State::Stopped) {
            // Played to its end once: the stream is still open and the buffers prepared.
            rewindTracks();
            tempo_ = defaultTempo;
            state_ = State::Playing;
            for (toolkit::MidiBuffer& buffer : buffers_) {
                fillBuffer(buffer);
                ++buffersInStream_;
                if (!stream_.queue(buffer)) {
                    --buffersInStream_;
                }
            }
        } else if (state_ != State::Playing) {
            return false;
        }
        playing_ = true;
    }
    if (!stream_.restart()) {
        std::lock_guard lock(mutex_);
        playing_ = false;
        return false;
    }
    return true;
}

void TunePlayer::stopTune() {
    bool stopStream = false;
    {
        std::lock_guard lock(mutex_);
        if (!streamOpen_) {
            playing_ = false;
            state_ = State::Stopped;
            return;
        }
        stopStream = playing_ || state_ != State::Stopped;
        playing_ = false;
        // From here on the callback no longer refills.
        if (state_ != State::Ending && state_ != State::Stopped) {
            state_ = State::Stopping;
        }
    }
    // Without our lock: the stream may hand the buffers back while these run.
    if (stopStream) {
        stream_.stop();
        stream_.reset();
    }
    {
        std::unique_lock lock(mutex_);
        buffersBack_.wait_for(lock, stopTimeout, [this] { return buffersInStream_ == 0; });
        // Whatever came back, the player counts as stopped now.
        state_ = State::Stopped;
    }
    for (toolkit::MidiBuffer& buffer : buffers_) {
        stream_.unprepare(buffer);
    }
    stream_.close();
    std::lock_guard lock(mutex_);
    streamOpen_ = false;
    buffersInStream_ = 0;
    for (toolkit::MidiBuffer& buffer : buffers_) {
        // The stream is closed: whatever it did not hand back is ours again.
        buffer.bytesRecorded = 0;
        buffer.prepared = false;
        buffer.queued = false;
    }
}

void TunePlayer::onBufferDone(toolkit::MidiBuffer& buffer) {
    std::lock_guard lock(mutex_);
    --buffersInStream_;
    if (state_ == State::Playing) {
        fillBuffer(buffer);
        if (buffer.bytesRecorded == 0 && tuneOver_) {
            state_ = State::Ending;
        } else {
            ++buffersInStream_;
            if (!stream_.queue(buffer)) {
                // The stream refused it: nothing more can play.
                --buffersInStream_;
                state_ = State::Ending;
            }
        }
    }
    if (buffersInStream_ == 0) {
        if (state_ == State::Ending) {
            // Played once to its end: ready to play again from its start.
            state_ = State::Stopped;
            playing_ = false;
            rewindTracks();
        }
        buffersBack_.notify_all();
    }
}

void TunePlayer::forgetTune() {
    tune_.clear();
    tracks_.clear();
    division_ = 0;
    tempo_ = defaultTempo;
    lastSentTick_ = 0;
    tuneOver_ = false;
    repeat_ = false;
}

void TunePlayer::rewindTracks() {
    const toolkit::MidiBytes file(tune_);
    for (Track& track : tracks_) {
        track.reader = toolkit::MidiTrackReader(file, track.chunk);
        track.nextTick = 0;
        std::uint32_t delta = 0;
        track.finished = track.chunk.length == 0 || !track.reader.readDelta(delta);
        track.nextTick = delta;
    }
    lastSentTick_ = 0;
    sentSinceRewind_ = false;
    tuneOver_ = false;
}

int TunePlayer::nextTrack() const {
    int next = -1;
    for (int i = 0; i < int(tracks_.size()); ++i) {
        // Strictly smaller: on equal ticks the track that comes first in the file.
        if (!tracks_[i].finished && (next < 0 || tracks_[i].nextTick < tracks_[next].nextTick)) {
            next = i;
        }
    }
    return next;
}

// The ticks of 60 ms of music at the current tempo: a buffer spans little more than that.
std::uint64_t TunePlayer::spanLimit() const {
    return std::uint64_t(division_) * 60000 / tempo_;
}

void TunePlayer::fillBuffer(toolkit::MidiBuffer& buffer) {
    buffer.bytesRecorded = 0;
    std::uint64_t span = 0;  // ticks from the buffer's start to its last event
    for (;;) {
        if (buffer.capacity - buffer.bytesRecorded < toolkit::midiStreamEventBytes) {
            return;
        }
        // Once the buffer spans more than the limit, one more event is still taken.
        const bool lastEvent = span > spanLimit();
        const int trackIndex = nextTrack();
        if (trackIndex < 0) {
            // A pass that sent nothing, or took no time, would repeat forever in no time.
            if (repeat_ && sentSinceRewind_ && lastSentTick_ > 0) {
                rewindTracks();
                continue;
            }
            tuneOver_ = true;
            return;
        }
        Track& track = tracks_[trackIndex];
        const std::uint64_t tick = track.nextTick;
        toolkit::MidiTrackEvent event;
        if (!track.reader.readEvent(event)) {
            track.finished = true;  // a cut or broken event ends its track
            continue;
        }
        std::uint32_t delta = 0;
        if (event.kind == toolkit::MidiTrackEvent::Kind::EndOfTrack ||
            !track.reader.readDelta(delta)) {
            track.finished = true;
        } else {
            track.nextTick += delta;
        }

        std::uint32_t streamEvent = 0;
        if (event.kind == toolkit::MidiTrackEvent::Kind::Channel) {
            streamEvent = toolkit::shortMessageEvent(event.status, event.data1, event.data2);
        } else if (event.kind == toolkit::MidiTrackEvent::Kind::Tempo && event.tempo != 0) {
            streamEvent = toolkit::tempoEvent(event.tempo);
            tempo_ = event.tempo;
        } else {
            // Dropped: the last-sent tick stays, so its time is carried into the next event.
            continue;
        }
        const std::uint64_t ticks = tick - lastSentTick_;
        const std::uint32_t streamDelta = std::uint32_t(
            std::min<std::uint64_t>(ticks, std::numeric_limits<std::uint32_t>::max()));
        toolkit::writeMidiStreamEvent(buffer.data + buffer.bytesRecorded,
                                      {streamDelta, 0, streamEvent});
        buffer.bytesRecorded += toolkit::midiStreamEventBytes;
        lastSentTick_ = tick;
        span += ticks;
        sentSinceRewind_ = true;
        if (lastEvent) {
            return;
        }
    }
}

}  // namespace ui
