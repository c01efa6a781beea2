#include "tests/card/PictureFiles.h"

#include <QDataStream>
#include <QFile>
#include <QPainter>

namespace cardtest {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage solidImage(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage quarteredImage(int w, int h, const QRgb (&colours)[4]) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, w / 2, h / 2, QColor(colours[0]));
    painter.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(colours[1]));
    painter.fillRect(0, h / 2, w / 2, h - h / 2, QColor(colours[2]));
    painter.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(colours[3]));
    return image;
}

QByteArray halfTransparentIcon(QRgb colour) {
    constexpr int size = 16;
    constexpr int pixelRowBytes = size * 3;  // 48: already a multiple of 4
    constexpr int maskRowBytes = 4;          // 16 bits padded to 32
    constexpr quint32 imageBytes = 40 + size * pixelRowBytes + size * maskRowBytes;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // Directory: reserved, type 1 (icon), one entry.
    out << quint16(0) << quint16(1) << quint16(1);
    // Entry: width, height, colours, reserved, planes, bits, bytes, offset.
    out << quint8(size) << quint8(size) << quint8(0) << quint8(0) << quint16(1) << quint16(24)
        << imageBytes << quint32(6 + 16);
    // Information header: the height counts the picture and its mask.
    out << quint32(40) << qint32(size) << qint32(2 * size) << quint16(1) << quint16(24)
        << quint32(0) << quint32(0) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    // Pixels, bottom row first, blue green red; the left half black under the mask.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool opaque = x >= size / 2;
            out << quint8(opaque ? qBlue(colour) : 0) << quint8(opaque ? qGreen(colour) : 0)
                << quint8(opaque ? qRed(colour) : 0);
        }
    }
    // Mask, bottom row first: a set bit is transparent. The left 8 pixels of each row.
    for (int y = 0; y < size; ++y) {
        out << quint8(0xFF) << quint8(0x00) << quint8(0) << quint8(0);
    }
    return bytes;
}

}  // namespace cardtest
