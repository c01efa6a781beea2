// Drawing a card: composed off-screen on the work surface, then copied in one step into the
// preview, so the preview never shows a half-drawn card.
#pragma once

#include <QString>
#include <array>

#include "card/CardSurfaces.h"
#include "card/CardTemplate.h"

namespace card {

// The five text rows in the order they are written: nickname, forum name, forum title, QQ
// number, signature.
inline constexpr int rowCount = 5;
using CardTexts = std::array<QString, rowCount>;

// The caption written before each row's text.
const std::array<QString, rowCount>& rowCaptions();

// Whether a row writes nothing: its text is empty once U+0020 and U+3000 are trimmed from both
// ends (nothing else is a blank, so a tab is text).
bool isBlankRow(const QString& text);

// Draws the card of template `selection` (a 0-based position in `list`) with `texts` and the
// avatar named by `avatarPath` into the preview, placing the preview in the middle of its
// host the first time the card's size changes. A selection outside the list is a fatal error.
void renderCard(const TemplateList& list, int selection, const CardTexts& texts,
                const QString& avatarPath, CardSurfaces& surfaces);

}  // namespace card
