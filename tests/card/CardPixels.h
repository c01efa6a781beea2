// Looking at card pixels: the template's own picture, the places on the card, comparisons.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <ostream>
#include <vector>

#include "toolkit/Picture.h"

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace cardtest {

inline constexpr int cardWidth = 300;
inline constexpr int cardHeight = 140;
inline const QRect wholeCard(0, 0, cardWidth, cardHeight);
// Where the avatar is stretched to on every built-in template: x 12..101, y 32..121.
inline const QRect avatarBox(12, 32, 90, 90);
// Everything right of x 120 from the first text line down.
inline const QRect textColumn(120, 32, cardWidth - 120, cardHeight - 32);

// The band of the text line written at y (20 pixels high, the whole text column wide).
QRect textLine(int y);

// A Picture as an RGB32 image (alpha ignored).
QImage toImage(const toolkit::Picture& picture);
// Built-in template `number` as loadPicture decodes it: the card before anything is drawn.
QImage templateImage(int number);

// Pixels of `area` whose colour (alpha ignored) differs between the two images.
int differingPixels(const QImage& a, const QImage& b, const QRect& area);
// The same, over the whole card except the `left` areas.
int differingPixelsOutside(const QImage& a, const QImage& b, const std::vector<QRect>& left);
// The x of the rightmost column of `area` in which the two images differ, -1 for none.
int rightmostDifference(const QImage& a, const QImage& b, const QRect& area);
// Whether every differing pixel of `area` is at least as bright in `lighter` as in `base`.
bool onlyLightened(const QImage& lighter, const QImage& base, const QRect& area);
// Whether every pixel of `area` is within `tolerance` of `colour` in each channel.
bool allNear(const QImage& image, const QRect& area, QRgb colour, int tolerance);

}  // namespace cardtest
