// loadPicture: encoded picture data, from a file or from memory, to a Picture.
//
// The kind is told by the first 6 bytes alone (never by a file name): JPEG, BMP, ICO, CUR, GIF,
// 8-bit and 1-bit PCX. Every failure gives none; decodeFile and decodeBytes also say why.
// Hostile data are expected: nothing here trusts a header's sizes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "pictures/decoders/DecodeError.h"
#include "pictures/decoders/DecodeResult.h"
#include "toolkit/Picture.h"

namespace pictures {

// Files above this size are refused without being read.
inline constexpr std::uint64_t maxFileBytes = 256ull * 1024 * 1024;

DecodeResult decodeFile(const std::string& path);
DecodeResult decodeBytes(std::span<const std::uint8_t> bytes);

std::optional<toolkit::Picture> loadPicture(const std::string& fileName);
std::optional<toolkit::Picture> loadPicture(std::span<const std::uint8_t> bytes);

}  // namespace pictures
