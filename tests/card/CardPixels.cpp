#include "tests/card/CardPixels.h"

#include <cstdlib>

#include "assets/Assets.h"
#include "pictures/decoders/LoadPicture.h"

namespace cardtest {

namespace {

QRgb colourAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0x00FFFFFF;
}

bool outsideAll(int x, int y, const std::vector<QRect>& areas) {
    for (const QRect& area : areas) {
        if (area.contains(x, y)) {
            return false;
        }
    }
    return true;
}

}  // namespace

QRect textLine(int y) {
    return QRect(textColumn.left(), y, textColumn.width(), 20);
}

QImage toImage(const toolkit::Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            image.setPixel(
                x, y, picture.pixels[static_cast<size_t>(y) * picture.width + x] | 0xFF000000u);
        }
    }
    return image;
}

QImage templateImage(int number) {
    const auto picture = pictures::loadPicture(assets::templatePicture(number));
    return picture ? toImage(*picture) : QImage();
}

int differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += colourAt(a, x, y) != colourAt(b, x, y) ? 1 : 0;
        }
    }
    return count;
}

int differingPixelsOutside(const QImage& a, const QImage& b, const std::vector<QRect>& left) {
    int count = 0;
    for (int y = 0; y < cardHeight; ++y) {
        for (int x = 0; x < cardWidth; ++x) {
            if (outsideAll(x, y, left) && colourAt(a, x, y) != colourAt(b, x, y)) {
                ++count;
            }
        }
    }
    return count;
}

int rightmostDifference(const QImage& a, const QImage& b, const QRect& area) {
    for (int x = area.right(); x >= area.left(); --x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (colourAt(a, x, y) != colourAt(b, x, y)) {
                return x;
            }
        }
    }
    return -1;
}

bool onlyLightened(const QImage& lighter, const QImage& base, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb l = lighter.pixel(x, y);
            const QRgb b = base.pixel(x, y);
            if (qRed(l) < qRed(b) || qGreen(l) < qGreen(b) || qBlue(l) < qBlue(b)) {
                return false;
            }
        }
    }
    return true;
}

bool allNear(const QImage& image, const QRect& area, QRgb colour, int tolerance) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) > tolerance ||
                std::abs(qGreen(p) - qGreen(colour)) > tolerance ||
                std::abs(qBlue(p) - qBlue(colour)) > tolerance) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace cardtest
