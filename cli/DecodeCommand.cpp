// namecard-cli decode INPUT OUTPUT.png: decodes INPUT with the program's own decoders and
// writes what they made as PNG, so that any picture file can be checked by eye or by a
// script. Needs no display: QImage works without a GUI application.
#include <QImage>
#include <QString>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "pictures/decoders/LoadPicture.h"

namespace cli {

namespace {

int decodeUsage() {
    std::fputs("usage: namecard-cli decode INPUT OUTPUT.png\n", stderr);
    return 2;
}

// Icons and cursors keep their transparency; every other kind is opaque RGB.
QImage imageOf(const toolkit::Picture& picture) {
    const QImage view(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                      picture.height, picture.width * 4,
                      picture.hasMask ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return view.convertToFormat(picture.hasMask ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
}

}  // namespace

int runDecode(int argc, char** argv) {
    if (argc != 3) {
        return decodeUsage();
    }
    const std::string input = argv[1];
    const QString output = QString::fromLocal8Bit(argv[2]);
    const pictures::DecodeResult result = pictures::decodeFile(input);
    if (!result.picture) {
        std::fprintf(stderr, "namecard-cli decode: %s: %.*s (%.*s)\n", input.c_str(),
                     static_cast<int>(pictures::decodeErrorMessage(result.error).size()),
                     pictures::decodeErrorMessage(result.error).data(),
                     static_cast<int>(pictures::decodeErrorName(result.error).size()),
                     pictures::decodeErrorName(result.error).data());
        return 1;
    }
    const toolkit::Picture& picture = *result.picture;
    if (!imageOf(picture).save(output, "PNG")) {
        std::fprintf(stderr, "namecard-cli decode: cannot write %s\n", argv[2]);
        return 1;
    }
    const std::string_view kind = toolkit::pictureKindName(picture.kind);
    std::printf("%.*s %dx%d\n", static_cast<int>(kind.size()), kind.data(), picture.width,
                picture.height);
    return 0;
}

}  // namespace cli
