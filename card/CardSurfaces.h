// The two surfaces of the card: workSurface, never shown, where each card is composed, and
// previewSurface, inside the host canvas, which shows and keeps the last card.
#pragma once

#include "toolkit/DrawPanel.h"
#include "toolkit/Window.h"

namespace card {

struct CardSurfaces {
    toolkit::DrawPanel* host = nullptr;  // the canvas the preview stands in
    toolkit::DrawPanel* work = nullptr;
    toolkit::DrawPanel* preview = nullptr;
};

// Makes both surfaces as copies of `host`, without border or background picture, hidden;
// the preview becomes a child of the host.
CardSurfaces createSurfaces(toolkit::Window& window, toolkit::DrawPanel& host);

}  // namespace card
