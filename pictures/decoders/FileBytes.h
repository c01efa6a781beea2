// Reading a whole picture file into memory, safely: only regular files are read, and only
// up to a size limit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/decoders/DecodeError.h"

namespace pictures {

// Reads the regular file at `path` into `bytes`. A folder, FIFO, device or socket gives
// NotRegularFile at once: it is never read, and opening never blocks (a FIFO without a
// writer would otherwise wait forever). A file above `maxBytes` gives FileTooLarge without
// being read.
DecodeError readFileBytes(const std::string& path, std::uint64_t maxBytes,
                          std::vector<std::uint8_t>& bytes);

}  // namespace pictures
