// libFuzzer entry: any bytes through the decoders. Sanitizers catch memory and undefined
// behaviour; an Internal error is a bug of ours and counts as a crash too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "pictures/decoders/LoadPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const pictures::DecodeResult result =
        pictures::decodeBytes(std::span<const std::uint8_t>(data, size));
    if (result.error == pictures::DecodeError::Internal) {
        std::fputs("decoder reported an internal error\n", stderr);
        std::abort();
    }
    if (result.picture) {
        const toolkit::Picture& picture = *result.picture;
        const auto expected =
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
        if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != expected ||
            result.error != pictures::DecodeError::Ok) {
            std::fputs("decoder returned an inconsistent picture\n", stderr);
            std::abort();
        }
    }
    return 0;
}
