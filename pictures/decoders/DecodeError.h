// Why a picture gave none. Every decoder failure has its own name so that tests and the
// command line can say what went wrong; none of them is ever shown to the user of the window.
#pragma once

#include <string_view>

namespace pictures {

enum class DecodeError {
    Ok,              // a picture was made
    EmptySource,     // an empty file name or empty bytes
    NotRegularFile,  // a folder, FIFO, device or socket: never opened for reading
    CannotOpen,      // missing, no access, or a read failed
    FileTooLarge,    // larger than we ever read into memory
    TooShort,        // fewer than the 6 bytes that tell the kind
    UnknownKind,     // the first bytes match no kind we read
    BadHeader,       // a header field that cannot be right (zero size, Xmax below Xmin, ...)
    Unsupported,     // a valid variant we do not read (16-bit BMP, RLE, arithmetic JPEG, PNG icon)
    Truncated,       // the data end before what the headers promise
    TooManyPixels,   // more pixels than we ever allocate
    CorruptData,     // a bad GIF code or block, a missing PCX palette
    NoImage,         // a GIF whose blocks end before its first image
    JpegError,       // libjpeg reported an error
    Internal,        // a bug of ours: the fuzzer treats it as a crash
};

// A short stable name, such as "TooManyPixels".
std::string_view decodeErrorName(DecodeError error);

// One line for people, such as "the picture has too many pixels".
std::string_view decodeErrorMessage(DecodeError error);

}  // namespace pictures
