#include "assets/Assets.h"

#include "assets/EmbeddedData.h"

namespace assets {

Bytes templatePicture(int number) {
    switch (number) {
        case 1:
            return embedded::template1;
        case 2:
            return embedded::template2;
        case 3:
            return embedded::template3;
        case 4:
            return embedded::template4;
        default:
            return {};
    }
}

Bytes defaultAvatar() {
    return embedded::defaultAvatar;
}
Bytes canvasPattern() {
    return embedded::canvasPattern;
}
Bytes windowIcon() {
    return embedded::windowIcon;
}
Bytes backgroundTune() {
    return embedded::backgroundTune;
}

}  // namespace assets
