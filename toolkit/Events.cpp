#include "toolkit/Events.h"

namespace toolkit {

namespace {

EventObserver& observer() {
    static EventObserver instance;
    return instance;
}

}  // namespace

void setEventObserver(EventObserver value) {
    observer() = std::move(value);
}

void notifyEventObserver(const Event& event, EventPhase phase) {
    if (observer()) {
        observer()(event, phase);
    }
}

const char* eventKindName(EventKind kind) {
    switch (kind) {
        case EventKind::created:
            return "created";
        case EventKind::canClose:
            return "canClose";
        case EventKind::willBeDestroyed:
            return "willBeDestroyed";
        case EventKind::positionChanged:
            return "positionChanged";
        case EventKind::sizeChanged:
            return "sizeChanged";
        case EventKind::activated:
            return "activated";
        case EventKind::deactivated:
            return "deactivated";
        case EventKind::firstActivated:
            return "firstActivated";
        case EventKind::contentChanged:
            return "contentChanged";
        case EventKind::itemSelected:
            return "itemSelected";
        case EventKind::clicked:
            return "clicked";
        case EventKind::paint:
            return "paint";
        case EventKind::feedback:
            return "feedback";
    }
    return "?";
}

}  // namespace toolkit
