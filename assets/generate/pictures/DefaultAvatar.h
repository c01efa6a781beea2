// The avatar drawn when the user has chosen none: a waving, blinking cartoon figure.
#pragma once

#include "ByteWriter.h"
#include "Raster.h"

namespace pictures_gen {

inline constexpr int avatarSize = 136;

struct AvatarPose {
    bool eyesClosed = false;
    bool handRaised = false;  // the other half of the wave
};

Raster drawAvatar(AvatarPose pose);

// An endless loop of five images: the whole figure, then patches that blink and wave.
Bytes defaultAvatarGif();

}  // namespace pictures_gen
