#include "pictures/decoders/DecodeError.h"

namespace pictures {

namespace {

struct ErrorText {
    std::string_view name;
    std::string_view message;
};

ErrorText errorText(DecodeError error) {
    switch (error) {
        case DecodeError::Ok:
            return {"Ok", "decoded"};
        case DecodeError::EmptySource:
            return {"EmptySource", "no file name or no data"};
        case DecodeError::NotRegularFile:
            return {"NotRegularFile", "not a regular file"};
        case DecodeError::CannotOpen:
            return {"CannotOpen", "the file cannot be opened or read"};
        case DecodeError::FileTooLarge:
            return {"FileTooLarge", "the file is too large"};
        case DecodeError::TooShort:
            return {"TooShort", "fewer than 6 bytes"};
        case DecodeError::UnknownKind:
            return {"UnknownKind", "not a JPEG, BMP, ICO, CUR, GIF or PCX picture"};
        case DecodeError::BadHeader:
            return {"BadHeader", "the header is invalid"};
        case DecodeError::Unsupported:
            return {"Unsupported", "a variant of the format that is not supported"};
        case DecodeError::Truncated:
            return {"Truncated", "the data end too early"};
        case DecodeError::TooManyPixels:
            return {"TooManyPixels", "the picture has too many pixels"};
        case DecodeError::CorruptData:
            return {"CorruptData", "the picture data are corrupt"};
        case DecodeError::NoImage:
            return {"NoImage", "the GIF holds no image"};
        case DecodeError::JpegError:
            return {"JpegError", "the JPEG library reported an error"};
        case DecodeError::Internal:
            return {"Internal", "internal decoder error"};
    }
    return {"Internal", "internal decoder error"};
}

}  // namespace

std::string_view decodeErrorName(DecodeError error) {
    return errorText(error).name;
}

std::string_view decodeErrorMessage(DecodeError error) {
    return errorText(error).message;
}

}  // namespace pictures
