// Our picture decoders against Qt's image readers, on the same bytes in memory.
//   decode_bench [--benchmark_filter=Jpeg]
// Each input is made here: gradients with noise, written by Qt's writers (BMP, JPEG, ICO) or
// by our fixture builders (GIF with real LZW compression, PCX).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "pictures/decoders/LoadPicture.h"
#include "tests/pictures/builders/GifBuilder.h"
#include "tests/pictures/builders/PcxBuilder.h"

namespace {

using picturetest::Bytes;

// A photo-like picture: two gradients and some pixel noise, so that compressors work as on
// real avatars and cards.
QImage scene(int width, int height, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(30, 60, 160));
    sky.setColorAt(0.6, QColor(240, 180, 90));
    sky.setColorAt(1, QColor(40, 120, 60));
    painter.fillRect(image.rect(), sky);
    QRadialGradient sun(width * 0.3, height * 0.4, height * 0.35);
    sun.setColorAt(0, QColor(255, 250, 220, 230));
    sun.setColorAt(1, QColor(255, 250, 220, 0));
    painter.fillRect(image.rect(), sun);
    painter.end();
    std::uint32_t state = 2024;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525 + 1013904223;
            const int noise = static_cast<int>(state >> 28) - 8;
            const QRgb pixel = row[x];
            row[x] =
                qRgba(qBound(0, qRed(pixel) + noise, 255), qBound(0, qGreen(pixel) + noise, 255),
                      qBound(0, qBlue(pixel) + noise, 255), qAlpha(pixel));
        }
    }
    return image;
}

Bytes written(const QImage& image, const char* format, int quality = -1) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        throw std::runtime_error("Qt could not write " + std::string(format));
    }
    return Bytes(data.begin(), data.end());
}

// 256 colours by ordered dithering to a 6 x 7 x 6 cube, as GIF writers do.
Bytes gifOf(const QImage& image) {
    picturetest::GifRecipe recipe;
    recipe.width = static_cast<std::uint16_t>(image.width());
    recipe.height = static_cast<std::uint16_t>(image.height());
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 7; ++g) {
            for (int b = 0; b < 6; ++b) {
                recipe.globalTable.push_back(static_cast<std::uint32_t>(r * 51) << 16 |
                                             static_cast<std::uint32_t>(g * 255 / 6) << 8 |
                                             static_cast<std::uint32_t>(b * 51));
            }
        }
    }
    picturetest::GifImage frame;
    frame.width = recipe.width;
    frame.height = recipe.height;
    static constexpr int bayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int threshold = bayer[y % 4][x % 4];
            auto level = [&](int value, int levels) {
                const int scaled = value * (levels - 1) * 16 / 255 + threshold;
                return qMin(scaled / 16, levels - 1);
            };
            frame.indexes.push_back(static_cast<std::uint8_t>(
                level(qRed(pixel), 6) * 42 + level(qGreen(pixel), 7) * 6 + level(qBlue(pixel), 6)));
        }
    }
    recipe.images.push_back(std::move(frame));
    return picturetest::gifFile(recipe);
}

Bytes pcxOf(const QImage& image) {
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    picturetest::PcxRecipe recipe;
    recipe.width = indexed.width();
    recipe.height = indexed.height();
    for (QRgb colour : indexed.colorTable()) {
        recipe.palette.push_back(colour & 0xFFFFFF);
    }
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        recipe.values.insert(recipe.values.end(), row, row + indexed.width());
    }
    return picturetest::pcxFile(recipe);
}

struct Inputs {
    Bytes smallGif = gifOf(scene(300, 140));
    Bytes largeGif = gifOf(scene(1920, 1080));
    Bytes bmp = written(scene(1920, 1080), "bmp");
    Bytes jpeg = written(scene(1920, 1080), "jpeg", 90);
    Bytes ico = written(scene(32, 32, QImage::Format_ARGB32), "ico");
    Bytes pcx = pcxOf(scene(1920, 1080));
};

const Inputs& inputs() {
    static const Inputs made;
    return made;
}

void decodeOurs(benchmark::State& state, const Bytes& bytes) {
    for (auto _ : state) {
        pictures::DecodeResult result = pictures::decodeBytes(std::span<const std::uint8_t>(bytes));
        if (!result.picture) {
            state.SkipWithError(std::string(pictures::decodeErrorName(result.error)).c_str());
            return;
        }
        benchmark::DoNotOptimize(result.picture->pixels.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void decodeQt(benchmark::State& state, const Bytes& bytes) {
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        const QImage image = reader.read();
        if (image.isNull()) {
            state.SkipWithError(reader.errorString().toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_Ours_Gif300x140(benchmark::State& state) {
    decodeOurs(state, inputs().smallGif);
}
void BM_Qt_Gif300x140(benchmark::State& state) {
    decodeQt(state, inputs().smallGif);
}
void BM_Ours_Gif1920x1080(benchmark::State& state) {
    decodeOurs(state, inputs().largeGif);
}
void BM_Qt_Gif1920x1080(benchmark::State& state) {
    decodeQt(state, inputs().largeGif);
}
void BM_Ours_Bmp24_1920x1080(benchmark::State& state) {
    decodeOurs(state, inputs().bmp);
}
void BM_Qt_Bmp24_1920x1080(benchmark::State& state) {
    decodeQt(state, inputs().bmp);
}
void BM_Ours_Jpeg1920x1080(benchmark::State& state) {
    decodeOurs(state, inputs().jpeg);
}
void BM_Qt_Jpeg1920x1080(benchmark::State& state) {
    decodeQt(state, inputs().jpeg);
}
void BM_Ours_Ico32x32(benchmark::State& state) {
    decodeOurs(state, inputs().ico);
}
void BM_Qt_Ico32x32(benchmark::State& state) {
    decodeQt(state, inputs().ico);
}
void BM_Ours_Pcx8_1920x1080(benchmark::State& state) {
    decodeOurs(state, inputs().pcx);
}

BENCHMARK(BM_Ours_Gif300x140);
BENCHMARK(BM_Qt_Gif300x140);
BENCHMARK(BM_Ours_Gif1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qt_Gif1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_Bmp24_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qt_Bmp24_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_Jpeg1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qt_Jpeg1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_Ico32x32);
BENCHMARK(BM_Qt_Ico32x32);
BENCHMARK(BM_Ours_Pcx8_1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
