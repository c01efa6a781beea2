// What every decoder gives back: a picture, or none and the reason.
#pragma once

#include <optional>
#include <utility>

#include "pictures/decoders/DecodeError.h"
#include "toolkit/Picture.h"

namespace pictures {

struct DecodeResult {
    std::optional<toolkit::Picture> picture;
    DecodeError error = DecodeError::Internal;
};

inline DecodeResult decodeFailure(DecodeError error) {
    return {std::nullopt, error};
}

inline DecodeResult decodeSuccess(toolkit::Picture&& picture) {
    return {std::move(picture), DecodeError::Ok};
}

}  // namespace pictures
