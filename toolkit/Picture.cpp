#include "toolkit/Picture.h"

namespace toolkit {

std::string_view pictureKindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::Jpeg:
            return "JPEG";
        case PictureKind::Bmp:
            return "BMP";
        case PictureKind::Ico:
            return "ICO";
        case PictureKind::Cur:
            return "CUR";
        case PictureKind::Gif:
            return "GIF";
        case PictureKind::Pcx8:
            return "PCX8";
        case PictureKind::Pcx1:
            return "PCX1";
    }
    return "?";
}

}  // namespace toolkit
