// Events, handlers and the event gate of our window layer.
#pragma once

#include <array>
#include <functional>

namespace toolkit {

class Control;

enum class EventKind {
    // the window's
    created,
    canClose,
    willBeDestroyed,
    positionChanged,
    sizeChanged,
    activated,
    deactivated,
    firstActivated,
    // the controls'
    contentChanged,  // EditBox
    itemSelected,    // ComboBox
    clicked,         // Button
    paint,           // DrawPanel: left, top, right, bottom of the area to repaint
    feedback,        // Label: two integers
};

inline constexpr int eventKindCount = static_cast<int>(EventKind::feedback) + 1;

const char* eventKindName(EventKind kind);

struct Event {
    EventKind kind;
    // The control that raised the event, also when routing hands it to another's handler.
    Control* source = nullptr;
    std::array<int, 4> args{};
    // The handler's answer where the kind has one: canClose refuses the close with false.
    bool answer = true;
};

using Handler = std::function<void(Event&)>;

// Watching events as they are raised, for tests and diagnostics: every event is reported as
// dropped (the gate was closed), or before and after its handler runs (also when none runs).
enum class EventPhase { dropped, before, after };
using EventObserver = std::function<void(const Event& event, EventPhase phase)>;
void setEventObserver(EventObserver observer);
void notifyEventObserver(const Event& event, EventPhase phase);

// One gate for the whole program: while it is closed (its counter above zero) every event
// raised is dropped, not queued. It is closed while a window is built, when shutdown begins
// and when a fatal error is raised.
class EventGate {
  public:
    static bool isOpen() { return depth_ == 0; }
    static int depth() { return depth_; }
    static void close() { ++depth_; }
    static void reopen() {
        if (depth_ > 0) {
            --depth_;
        }
    }

  private:
    static inline int depth_ = 0;
};

// Keeps the gate closed for a scope.
class GateClosed {
  public:
    GateClosed() { EventGate::close(); }
    ~GateClosed() { EventGate::reopen(); }
    GateClosed(const GateClosed&) = delete;
    GateClosed& operator=(const GateClosed&) = delete;
};

}  // namespace toolkit
