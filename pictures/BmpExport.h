// The saved card: an uncompressed 24-bit BMP file of the retained picture of a surface.
#pragma once

#include <QByteArray>

class QImage;

namespace pictures {

// The whole BMP file for retained: a 54-byte header (file header and 40-byte information
// header, no colour table), then the rows from the bottom of the picture up, each W pixels of
// blue, green, red, padded with zero bytes to a multiple of 4. Empty when the picture has no
// pixels or is too large for the format's 32-bit sizes.
QByteArray surfaceToBmp(const QImage& retained);

}  // namespace pictures
