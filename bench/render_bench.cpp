// How long one redraw of the card takes, end to end (copy the template, decode it, test and
// decode the avatar, draw it stretched, write the texts, copy into the preview), beside the
// time Qt's own readers need only to decode the same template and avatar. Every keystroke
// pays for one redraw, since nothing is cached.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdio>

#include "assets/Assets.h"
#include "card/BuildTemplates.h"
#include "card/CardSurfaces.h"
#include "card/RenderCard.h"
#include "pictures/decoders/LoadPicture.h"
#include "toolkit/ControlDesign.h"
#include "toolkit/DrawPanel.h"
#include "toolkit/Fonts.h"
#include "toolkit/Window.h"

namespace {

// A photo-sized avatar: the heaviest picture a user is likely to pick.
constexpr int bigAvatarWidth = 4000;
constexpr int bigAvatarHeight = 3000;

QString bigAvatarPath;

// A window holding only a canvas like the main window's, for the card's surfaces.
toolkit::WindowDesign canvasWindow() {
    toolkit::ControlDesign canvas;
    canvas.name = QStringLiteral("画板1");
    canvas.kind = toolkit::ControlKind::DrawPanel;
    canvas.left = 8;
    canvas.top = 8;
    canvas.width = 392;
    canvas.height = 184;
    canvas.border = toolkit::BorderStyle::Sunken;
    toolkit::WindowDesign design;
    design.name = QStringLiteral("benchWindow");
    design.outerWidth = 640;
    design.outerHeight = 451;
    design.controls = {canvas};
    return design;
}

const card::CardTexts& typicalTexts() {
    static const card::CardTexts texts = {
        QStringLiteral("zelk0731"),           QStringLiteral("Tarnwick"),
        QStringLiteral("普通会员"),           QStringLiteral("416832057"),
        QStringLiteral("等待的人，你在哪？"),
    };
    return texts;
}

// Smooth colours with some fine detail, so the encoder has real work and so has the decoder.
bool writeBigAvatar(const QString& path) {
    QImage photo(bigAvatarWidth, bigAvatarHeight, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            row[x] =
                qRgb((x * 255) / bigAvatarWidth, (y * 255) / bigAvatarHeight, ((x ^ y) & 0x3F) * 4);
        }
    }
    return photo.save(path, "JPEG", 90);
}

void renderCardWithAvatar(benchmark::State& state, const QString& avatarPath) {
    toolkit::Window window(canvasWindow());
    window.buildControls();
    card::CardSurfaces surfaces =
        card::createSurfaces(window, *window.find<toolkit::DrawPanel>(QStringLiteral("画板1")));
    card::TemplateList templates;
    card::fillBuiltInTemplates(templates);
    for (auto _ : state) {
        card::renderCard(templates, 0, typicalTexts(), avatarPath, surfaces);
        benchmark::DoNotOptimize(surfaces.preview->buffer().constBits());
    }
}

void BM_RenderCardDefaultAvatar(benchmark::State& state) {
    renderCardWithAvatar(state, QString());
}
BENCHMARK(BM_RenderCardDefaultAvatar)->Unit(benchmark::kMicrosecond);

void BM_RenderCardBigJpegAvatar(benchmark::State& state) {
    renderCardWithAvatar(state, bigAvatarPath);
}
BENCHMARK(BM_RenderCardBigJpegAvatar)->Unit(benchmark::kMillisecond);

QImage readWithQt(QIODevice& device) {
    QImageReader reader(&device);
    return reader.read();
}

// Qt decoding embedded GIF bytes, as our decoder does at every redraw.
void qtDecodeEmbedded(benchmark::State& state, assets::Bytes gif) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(gif.data()),
                                                     static_cast<qsizetype>(gif.size()));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        const QImage image = readWithQt(buffer);
        if (image.isNull()) {
            state.SkipWithError("Qt could not read the picture");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_QtDecodeTemplate(benchmark::State& state) {
    qtDecodeEmbedded(state, assets::templatePicture(1));
}
BENCHMARK(BM_QtDecodeTemplate)->Unit(benchmark::kMicrosecond);

void BM_QtDecodeDefaultAvatar(benchmark::State& state) {
    qtDecodeEmbedded(state, assets::defaultAvatar());
}
BENCHMARK(BM_QtDecodeDefaultAvatar)->Unit(benchmark::kMicrosecond);

void BM_QtDecodeBigJpegAvatar(benchmark::State& state) {
    for (auto _ : state) {
        QImageReader reader(bigAvatarPath);
        const QImage image = reader.read();
        if (image.isNull()) {
            state.SkipWithError("Qt could not read the avatar");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QtDecodeBigJpegAvatar)->Unit(benchmark::kMillisecond);

// Our own decoders on the same inputs, to tell decoding from drawing in the redraw's time.
void BM_LoadPictureTemplate(benchmark::State& state) {
    for (auto _ : state) {
        const auto picture = pictures::loadPicture(assets::templatePicture(1));
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_LoadPictureTemplate)->Unit(benchmark::kMicrosecond);

void BM_LoadPictureBigJpegAvatar(benchmark::State& state) {
    const std::string path = bigAvatarPath.toStdString();
    for (auto _ : state) {
        const auto picture = pictures::loadPicture(path);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_LoadPictureBigJpegAvatar)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The card's surfaces are widgets: a widget application is needed, with nothing to show.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int appArgc = 1;
    QApplication app(appArgc, argv);
    toolkit::installUiFonts();

    QTemporaryDir dir;
    bigAvatarPath = dir.filePath(QStringLiteral("avatar.jpg"));
    if (!dir.isValid() || !writeBigAvatar(bigAvatarPath)) {
        std::fprintf(stderr, "render_bench: cannot write the test avatar\n");
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
