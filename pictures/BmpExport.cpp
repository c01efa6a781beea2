#include "pictures/BmpExport.h"

#include <QImage>
#include <QtEndian>
#include <cstdint>
#include <limits>
#include <new>

namespace pictures {

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr int pixelDataOffset = fileHeaderSize + infoHeaderSize;  // 24 bits: no colour table

void put16(char* at, std::uint16_t value) {
    qToLittleEndian(value, at);
}

void put32(char* at, std::uint32_t value) {
    qToLittleEndian(value, at);
}

void writeHeaders(char* out, int width, int height, std::uint32_t pixelBytes) {
    out[0] = 'B';
    out[1] = 'M';
    put32(out + 2, pixelDataOffset + pixelBytes);
    // Reserved words, resolutions and colour counts stay 0, as the buffer starts zeroed.
    put32(out + 10, pixelDataOffset);
    put32(out + 14, infoHeaderSize);
    put32(out + 18, static_cast<std::uint32_t>(width));
    put32(out + 22, static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
    put16(out + 26, 1);                                   // planes
    put16(out + 28, 24);                                  // bits per pixel
    put32(out + 34, pixelBytes);
}

void writeRows(char* out, const QImage& rgb32, qsizetype stride) {
    const int width = rgb32.width();
    const int height = rgb32.height();
    for (int y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(rgb32.constScanLine(height - 1 - y));
        char* row = out + y * stride;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<char>(qBlue(source[x]));
            row[3 * x + 1] = static_cast<char>(qGreen(source[x]));
            row[3 * x + 2] = static_cast<char>(qRed(source[x]));
        }
    }
}

}  // namespace

QByteArray surfaceToBmp(const QImage& retained) {
    const int width = retained.width();
    const int height = retained.height();
    if (retained.isNull() || width <= 0 || height <= 0) {
        return {};
    }
    // S: three bytes a pixel, rounded up to a multiple of 4.
    const qint64 stride = 4 * ((24 * qint64{width} + 31) / 32);
    const qint64 pixelBytes = stride * height;
    if (pixelBytes > std::numeric_limits<std::int32_t>::max() - pixelDataOffset) {
        return {};
    }
    try {
        const QImage rgb32 = retained.convertToFormat(QImage::Format_RGB32);
        if (rgb32.isNull()) {
            return {};  // no memory for the converted copy
        }
        QByteArray file(pixelDataOffset + pixelBytes, '\0');  // fill bytes included
        writeHeaders(file.data(), width, height, static_cast<std::uint32_t>(pixelBytes));
        writeRows(file.data() + pixelDataOffset, rgb32, stride);
        return file;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace pictures
