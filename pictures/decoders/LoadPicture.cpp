#include "pictures/decoders/LoadPicture.h"

#include <vector>

#include "pictures/decoders/BmpDecoder.h"
#include "pictures/decoders/FileBytes.h"
#include "pictures/decoders/GifDecoder.h"
#include "pictures/decoders/IconDecoder.h"
#include "pictures/decoders/JpegDecoder.h"
#include "pictures/decoders/PcxDecoder.h"
#include "pictures/decoders/PictureKindDetection.h"

namespace pictures {

DecodeResult decodeBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return decodeFailure(DecodeError::EmptySource);
    }
    if (bytes.size() < kindBytes) {
        return decodeFailure(DecodeError::TooShort);
    }
    const std::optional<toolkit::PictureKind> kind = detectPictureKind(bytes);
    if (!kind) {
        return decodeFailure(DecodeError::UnknownKind);
    }
    DecodeResult result;
    switch (*kind) {
        case toolkit::PictureKind::Jpeg:
            result = decodeJpeg(bytes);
            break;
        case toolkit::PictureKind::Bmp:
            result = decodeBmp(bytes);
            break;
        case toolkit::PictureKind::Ico:
        case toolkit::PictureKind::Cur:
            result = decodeIcon(bytes, *kind);
            break;
        case toolkit::PictureKind::Gif:
            result = decodeGif(bytes);
            break;
        case toolkit::PictureKind::Pcx8:
        case toolkit::PictureKind::Pcx1:
            result = decodePcx(bytes);
            break;
    }
    // The first bytes alone decide the kind; a decoder that disagrees is a bug.
    if (result.picture && result.picture->kind != *kind) {
        return decodeFailure(DecodeError::Internal);
    }
    return result;
}

DecodeResult decodeFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (DecodeError error = readFileBytes(path, maxFileBytes, bytes); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    return decodeBytes(bytes);
}

std::optional<toolkit::Picture> loadPicture(const std::string& fileName) {
    return decodeFile(fileName).picture;
}

std::optional<toolkit::Picture> loadPicture(std::span<const std::uint8_t> bytes) {
    return decodeBytes(bytes).picture;
}

}  // namespace pictures
