// The saved card's bytes: header fields, row order, fill bytes.
#include <gtest/gtest.h>
#include <QImage>
#include <QtEndian>

#include "pictures/BmpExport.h"
#include "tests/files/QtPrinters.h"

namespace {

// A colour for every pixel that differs from its neighbours in every channel direction.
QRgb colourAt(int x, int y) {
    return qRgb(x & 0xFF, (y * 3) & 0xFF, (x * 7 + y * 13) & 0xFF);
}

QImage patternImage(int width, int height, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, colourAt(x, y));
        }
    }
    return image;
}

std::uint32_t u32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + offset);
}

std::uint16_t u16(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + offset);
}

struct HeaderField {
    const char* name;
    int offset;
    int size;
    std::uint32_t value;
};

void expectHeader(const QByteArray& bmp, int width, int height, std::uint32_t stride) {
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
    const HeaderField fields[] = {
        {"file size", 2, 4, 54 + pixelBytes},
        {"reserved 1", 6, 2, 0},
        {"reserved 2", 8, 2, 0},
        {"pixel offset", 10, 4, 54},
        {"info header size", 14, 4, 40},
        {"width", 18, 4, static_cast<std::uint32_t>(width)},
        {"height", 22, 4, static_cast<std::uint32_t>(height)},
        {"planes", 26, 2, 1},
        {"bits per pixel", 28, 2, 24},
        {"compression", 30, 4, 0},
        {"pixel data size", 34, 4, pixelBytes},
        {"x pixels per metre", 38, 4, 0},
        {"y pixels per metre", 42, 4, 0},
        {"colours used", 46, 4, 0},
        {"important colours", 50, 4, 0},
    };
    for (const HeaderField& field : fields) {
        const std::uint32_t actual =
            field.size == 2 ? u16(bmp, field.offset) : u32(bmp, field.offset);
        EXPECT_EQ(actual, field.value) << field.name;
    }
    EXPECT_EQ(static_cast<std::uint32_t>(bmp.size()), 54 + pixelBytes);
}

// Every pixel in blue, green, red order, the bottom row of the picture first.
void expectRows(const QByteArray& bmp, int width, int height, int stride) {
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        const auto* data =
            reinterpret_cast<const unsigned char*>(bmp.constData()) + 54 + row * stride;
        for (int x = 0; x < width; ++x) {
            const QRgb expected = colourAt(x, y);
            ASSERT_EQ(data[3 * x], qBlue(expected)) << "x " << x << " y " << y;
            ASSERT_EQ(data[3 * x + 1], qGreen(expected)) << "x " << x << " y " << y;
            ASSERT_EQ(data[3 * x + 2], qRed(expected)) << "x " << x << " y " << y;
        }
        for (int fill = 3 * width; fill < stride; ++fill) {
            ASSERT_EQ(data[fill], 0) << "fill byte " << fill << " of row " << row;
        }
    }
}

TEST(BmpExportTest, CardOf300By140) {
    const QByteArray bmp = pictures::surfaceToBmp(patternImage(300, 140));
    ASSERT_EQ(bmp.size(), 126054);
    expectHeader(bmp, 300, 140, 900);
    expectRows(bmp, 300, 140, 900);
}

TEST(BmpExportTest, RowsWithFillBytes) {
    struct SizeCase {
        int width;
        int height;
        int stride;
    };
    for (const SizeCase& c : {SizeCase{3, 2, 12}, SizeCase{1, 1, 4}, SizeCase{2, 3, 8},
                              SizeCase{4, 1, 12}, SizeCase{5, 2, 16}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const QByteArray bmp = pictures::surfaceToBmp(patternImage(c.width, c.height));
        expectHeader(bmp, c.width, c.height, c.stride);
        expectRows(bmp, c.width, c.height, c.stride);
    }
}

TEST(BmpExportTest, ReadsBackAsTheSamePicture) {
    const QImage card = patternImage(301, 7);
    const QImage readBack = QImage::fromData(pictures::surfaceToBmp(card), "BMP");
    ASSERT_FALSE(readBack.isNull());
    EXPECT_EQ(readBack.convertToFormat(QImage::Format_RGB32), card);
}

TEST(BmpExportTest, OtherPixelFormatsGiveTheSameBytes) {
    const QByteArray fromRgb32 = pictures::surfaceToBmp(patternImage(7, 5));
    for (QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGB888, QImage::Format_RGBX8888}) {
        EXPECT_EQ(pictures::surfaceToBmp(patternImage(7, 5, format)), fromRgb32) << format;
    }
}

TEST(BmpExportTest, NoPixelsGiveNoBytes) {
    EXPECT_TRUE(pictures::surfaceToBmp(QImage()).isEmpty());
    EXPECT_TRUE(pictures::surfaceToBmp(QImage(0, 5, QImage::Format_RGB32)).isEmpty());
    EXPECT_TRUE(pictures::surfaceToBmp(QImage(5, 0, QImage::Format_RGB32)).isEmpty());
}

}  // namespace
