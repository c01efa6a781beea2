#include "pictures/decoders/JpegDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

extern "C" {
#include <jpeglib.h>
// jerror.h after jpeglib.h: it names the library's message codes.
#include <jerror.h>
}

#include "pictures/decoders/JpegSegments.h"
#include "pictures/decoders/Palette.h"
#include "pictures/decoders/PictureSize.h"

namespace pictures {

namespace {

// The library is fed in reads of this size, as from a file.
constexpr std::size_t readBytes = 4096;

// A progressive file may hold any number of scans; each one walks the whole picture. Real
// files have around ten, so a few hundred is a generous ceiling against files of endless
// scans.
constexpr int maxScans = 500;

// Memory the library may take for its own buffers (the coefficients of a progressive
// picture are the largest); above it the library fails instead of using a temporary file.
constexpr long maxLibraryMemory = 1024L * 1024 * 1024;

// The library reports errors by calling error_exit, which must not return: we jump back to
// decodeJpeg with the message code, and no message is ever printed.
struct ErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf returnPoint;
    int messageCode = 0;
};

[[noreturn]] void exitOnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->messageCode = errors->library.msg_code;
    std::longjmp(errors->returnPoint, 1);
}

void silenceMessage(j_common_ptr) {}

struct ProgressMonitor {
    jpeg_progress_mgr library;
};

// A message code of our own, beyond the library's, for "too many scans".
constexpr int tooManyScans = JMSG_LASTMSGCODE + 1;

void limitScans(j_common_ptr info) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > maxScans) {
        info->err->msg_code = tooManyScans;
        info->err->error_exit(info);
    }
}

// Our data source: the bytes in memory, handed over in reads of 4096 bytes. At the end of
// the data it supplies an end-of-image marker, so that a cut-short file decodes as far as
// it goes (the rest stays grey) and keeps its full size.
struct MemorySource {
    jpeg_source_mgr library;
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

constexpr JOCTET fakeEndOfImage[] = {0xFF, JPEG_EOI};

void initSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr info) {
    auto* source = reinterpret_cast<MemorySource*>(info->src);
    if (source->position >= source->data.size()) {
        source->library.next_input_byte = fakeEndOfImage;
        source->library.bytes_in_buffer = sizeof fakeEndOfImage;
        return TRUE;
    }
    const std::size_t count = std::min(readBytes, source->data.size() - source->position);
    source->library.next_input_byte = source->data.data() + source->position;
    source->library.bytes_in_buffer = count;
    source->position += count;
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<MemorySource*>(info->src);
    if (count <= 0) {
        return;
    }
    auto skip = static_cast<std::size_t>(count);
    while (skip > source->library.bytes_in_buffer) {
        skip -= source->library.bytes_in_buffer;
        source->library.bytes_in_buffer = 0;
        fillInputBuffer(info);
        if (source->library.next_input_byte == fakeEndOfImage) {
            return;  // skipped past the end: the marker is all there is
        }
    }
    source->library.next_input_byte += skip;
    source->library.bytes_in_buffer -= skip;
}

void termSource(j_decompress_ptr) {}

void attachSource(j_decompress_ptr info, MemorySource& source) {
    source.library.init_source = initSource;
    source.library.fill_input_buffer = fillInputBuffer;
    source.library.skip_input_data = skipInputData;
    source.library.resync_to_restart = jpeg_resync_to_restart;
    source.library.term_source = termSource;
    source.library.next_input_byte = nullptr;
    source.library.bytes_in_buffer = 0;
    info->src = &source.library;
}

DecodeError errorFromMessage(int messageCode) {
    switch (messageCode) {
        case JERR_SOF_UNSUPPORTED:  // lossless and hierarchical processes
        case JERR_ARITH_NOTIMPL:
        case JERR_BAD_PRECISION:  // 12-bit samples
            return DecodeError::Unsupported;
        case JERR_IMAGE_TOO_BIG:  // above the library's own 65500-pixel limit
            return DecodeError::TooManyPixels;
        case tooManyScans:
            return DecodeError::CorruptData;
        default:
            return DecodeError::JpegError;
    }
}

// Arithmetic-coded pictures are refused even though this library build could decode them.
DecodeError checkJpegHeader(const jpeg_decompress_struct& info) {
    if (info.arith_code || info.data_precision != 8) {
        return DecodeError::Unsupported;
    }
    return checkPictureSize(info.image_width, info.image_height);
}

// Four components are CMYK (or YCCK, which the library turns into CMYK). Adobe's files, by
// far the most common, store the inks inverted: 255 means no ink.
void convertCmykRow(const JSAMPLE* cmyk, bool inverted, std::uint32_t* out, std::size_t width) {
    for (std::size_t x = 0; x < width; ++x, cmyk += 4) {
        std::uint32_t c = cmyk[0];
        std::uint32_t m = cmyk[1];
        std::uint32_t y = cmyk[2];
        std::uint32_t k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // With inverted inks, c * k / 255 is the red light left by cyan and black.
        out[x] = 0xFF000000u | (c * k + 127) / 255 << 16 | (m * k + 127) / 255 << 8 |
                 (y * k + 127) / 255;
    }
}

bool isCmyk(const jpeg_decompress_struct& info) {
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

// libjpeg-turbo writes blue, green, red, 0xFF: on a little-endian machine that is the
// 0xAARRGGBB word of a pixel, so colour and grey rows go straight into the picture.
void readBgraScanlines(j_decompress_ptr info, toolkit::Picture& picture) {
    constexpr int batch = 16;
    JSAMPROW rows[batch];
    const auto width = static_cast<std::size_t>(picture.width);
    while (info->output_scanline < info->output_height) {
        const JDIMENSION first = info->output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(batch, info->output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = reinterpret_cast<JSAMPROW>(picture.pixels.data() + (first + i) * width);
        }
        jpeg_read_scanlines(info, rows, count);
    }
}

void readCmykScanlines(j_decompress_ptr info, toolkit::Picture& picture) {
    const auto width = static_cast<std::size_t>(picture.width);
    // From the library's own pool, so that an error exit frees it too.
    JSAMPARRAY row = info->mem->alloc_sarray(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                             info->output_width * 4, 1);
    const bool inverted = info->saw_Adobe_marker;
    while (info->output_scanline < info->output_height) {
        const JDIMENSION y = info->output_scanline;
        if (jpeg_read_scanlines(info, row, 1) != 1) {
            break;
        }
        convertCmykRow(row[0], inverted, picture.pixels.data() + y * width, width);
    }
}

// Runs the library from the header to the last scanline. Nothing of this frame is used after
// an error exit returns to its setjmp: the picture lives in the caller.
DecodeError decompress(j_decompress_ptr info, ErrorManager& errors, MemorySource& source,
                       ProgressMonitor& progress, std::optional<toolkit::Picture>& picture) {
    if (setjmp(errors.returnPoint) != 0) {
        return errorFromMessage(errors.messageCode);
    }
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = maxLibraryMemory;
    progress.library.progress_monitor = limitScans;
    info->progress = &progress.library;
    attachSource(info, source);
    jpeg_read_header(info, TRUE);
    if (DecodeError error = checkJpegHeader(*info); error != DecodeError::Ok) {
        return error;
    }
    info->out_color_space = isCmyk(*info) ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(info);
    if (info->output_components != 4 || info->output_width != info->image_width ||
        info->output_height != info->image_height) {
        return DecodeError::Internal;
    }
    picture = allocatePicture(toolkit::PictureKind::Jpeg, info->output_width, info->output_height);
    if (!picture) {
        return DecodeError::Internal;
    }
    if (info->out_color_space == JCS_CMYK) {
        readCmykScanlines(info, *picture);
    } else {
        readBgraScanlines(info, *picture);
    }
    jpeg_finish_decompress(info);
    return DecodeError::Ok;
}

DecodeResult decodeJpegData(std::span<const std::uint8_t> data) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = exitOnError;
    errors.library.output_message = silenceMessage;
    MemorySource source{};
    source.data = data;
    ProgressMonitor progress{};
    std::optional<toolkit::Picture> picture;
    const DecodeError error = decompress(&info, errors, source, progress, picture);
    jpeg_destroy_decompress(&info);
    if (error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    return decodeSuccess(std::move(*picture));
}

}  // namespace

DecodeResult decodeJpeg(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return decodeFailure(DecodeError::EmptySource);
    }
    DecodeResult result = decodeJpegData(data);
    if (result.error == DecodeError::JpegError) {
        // Cut inside a marker segment: the scans before that segment still make a picture.
        const std::size_t whole = lengthOfWholeSegments(data);
        if (whole < data.size()) {
            result = decodeJpegData(data.first(whole));
        }
    }
    return result;
}

}  // namespace pictures
