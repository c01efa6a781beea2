// Picture files for avatar tests, written into a test's own folder.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>

namespace cardtest {

bool writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

// A w x h picture of one colour.
QImage solidImage(int w, int h, QRgb colour);
// A picture whose four quarters have the four colours, top left, top right, bottom left,
// bottom right.
QImage quarteredImage(int w, int h, const QRgb (&colours)[4]);

// An icon file of one 16 x 16 24-bit image: its left half transparent (mask bits set), its
// right half opaque `colour`.
QByteArray halfTransparentIcon(QRgb colour);

}  // namespace cardtest
