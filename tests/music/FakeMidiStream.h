// A MIDI output stream for the tests: it records what the player queues and hands buffers
// back only when the test says so, as if the test's thread were the stream's thread.
#pragma once

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "toolkit/MidiOutputStream.h"
#include "toolkit/MidiStreamEvent.h"

namespace musictest {

struct PlayedEvent {
    std::uint64_t tick = 0;  // absolute, from the first event played
    toolkit::MidiStreamEvent event;
};

class FakeMidiStream : public toolkit::MidiOutputStream {
  public:
    // What stop() does with the queued buffers.
    enum class StopHandsBack { All, None };

    bool failOpen = false;
    bool failDivision = false;
    StopHandsBack stopHandsBack = StopHandsBack::All;

    ~FakeMidiStream() override { joinStopThread(); }

    bool open(DoneCallback done) override {
        std::lock_guard lock(mutex_);
        ++opens;
        if (failOpen) {
            return false;
        }
        done_ = std::move(done);
        isOpen = true;
        return true;
    }
    bool setTimeDivision(int ticksPerQuarter) override {
        std::lock_guard lock(mutex_);
        division = ticksPerQuarter;
        return !failDivision;
    }
    bool prepare(toolkit::MidiBuffer& buffer) override {
        std::lock_guard lock(mutex_);
        buffer.prepared = true;
        return isOpen;
    }
    bool queue(toolkit::MidiBuffer& buffer) override {
        std::lock_guard lock(mutex_);
        if (!isOpen || !buffer.prepared) {
            return false;
        }
        queued_.push_back(&buffer);
        addresses.insert(buffer.data);
        capacities.insert(buffer.capacity);
        maxQueued = std::max(maxQueued, queued_.size());
        return true;
    }
    bool restart() override {
        std::lock_guard lock(mutex_);
        ++restarts;
        return isOpen;
    }
    bool stop() override {
        std::vector<toolkit::MidiBuffer*> handBack;
        {
            std::lock_guard lock(mutex_);
            ++stops;
            handBack.swap(queued_);
        }
        joinStopThread();
        if (stopHandsBack == StopHandsBack::All) {
            // Like a real stream: from its own thread, while the caller goes on.
            stopThread_ = std::thread([this, handBack] {
                for (toolkit::MidiBuffer* buffer : handBack) {
                    done_(*buffer);
                }
            });
        }
        return true;
    }
    bool reset() override {
        std::lock_guard lock(mutex_);
        ++resets;
        return true;
    }
    bool unprepare(toolkit::MidiBuffer& buffer) override {
        std::lock_guard lock(mutex_);
        buffer.prepared = false;
        return true;
    }
    void close() override {
        joinStopThread();
        std::lock_guard lock(mutex_);
        ++closes;
        isOpen = false;
    }

    // Plays the oldest queued buffer: records its events, then hands it back on this thread.
    // False when nothing is queued.
    bool playNext() {
        toolkit::MidiBuffer* buffer = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (queued_.empty()) {
                return false;
            }
            buffer = queued_.front();
            queued_.erase(queued_.begin());
            std::vector<PlayedEvent> events;
            for (std::uint32_t at = 0; at + toolkit::midiStreamEventBytes <= buffer->bytesRecorded;
                 at += toolkit::midiStreamEventBytes) {
                const toolkit::MidiStreamEvent event =
                    toolkit::readMidiStreamEvent(buffer->data + at);
                tick_ += event.delta;
                events.push_back({tick_, event});
                played.push_back({tick_, event});
            }
            buffersPlayed.push_back(events);
            bytesPlayed.push_back(buffer->bytesRecorded);
        }
        done_(*buffer);
        return true;
    }
    // Plays until `count` events have been played or nothing is queued.
    void playEvents(std::size_t count) {
        while (played.size() < count && playNext()) {
        }
    }
    void playAll() {
        while (playNext()) {
        }
    }
    std::size_t queuedCount() const {
        std::lock_guard lock(mutex_);
        return queued_.size();
    }

    int opens = 0, closes = 0, restarts = 0, stops = 0, resets = 0;
    int division = 0;
    bool isOpen = false;
    std::vector<PlayedEvent> played;
    std::vector<std::vector<PlayedEvent>> buffersPlayed;
    std::vector<std::uint32_t> bytesPlayed;
    std::set<const std::uint8_t*> addresses;
    std::set<std::uint32_t> capacities;
    std::size_t maxQueued = 0;

  private:
    void joinStopThread() {
        if (stopThread_.joinable() && stopThread_.get_id() != std::this_thread::get_id()) {
            stopThread_.join();
        }
    }

    mutable std::mutex mutex_;
    DoneCallback done_;
    std::vector<toolkit::MidiBuffer*> queued_;
    std::uint64_t tick_ = 0;
    std::thread stopThread_;
};

// The short messages among played events, as status | data1 << 8 | data2 << 16.
inline std::vector<std::uint32_t> shortMessages(const std::vector<PlayedEvent>& events) {
    std::vector<std::uint32_t> messages;
    for (const PlayedEvent& played : events) {
        if (played.event.type() == toolkit::MidiStreamEventType::ShortMessage) {
            messages.push_back(played.event.parameters());
        }
    }
    return messages;
}

}  // namespace musictest
