#include "tests/pictures/builders/JpegBuilder.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

extern "C" {
#include <jpeglib.h>
}

namespace picturetest {

namespace {

[[noreturn]] void throwOnError(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    info->err->format_message(info, message);
    throw std::runtime_error(message);
}

std::vector<JSAMPLE> sampleRow(const JpegRecipe& recipe, int y) {
    std::vector<JSAMPLE> row;
    for (int x = 0; x < recipe.width; ++x) {
        const std::uint32_t value = recipe.values[static_cast<std::size_t>(y * recipe.width + x)];
        switch (recipe.colours) {
            case JpegColours::Rgb:
                row.insert(row.end(),
                           {static_cast<JSAMPLE>(value >> 16), static_cast<JSAMPLE>(value >> 8),
                            static_cast<JSAMPLE>(value)});
                break;
            case JpegColours::Grey:
                row.push_back(static_cast<JSAMPLE>(value));
                break;
            case JpegColours::AdobeCmyk:
                for (int shift = 24; shift >= 0; shift -= 8) {
                    row.push_back(static_cast<JSAMPLE>(255 - (value >> shift & 0xFF)));
                }
                break;
        }
    }
    return row;
}

}  // namespace

Bytes jpegFile(const JpegRecipe& recipe) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = throwOnError;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(recipe.width);
    info.image_height = static_cast<JDIMENSION>(recipe.height);
    switch (recipe.colours) {
        case JpegColours::Rgb:
            info.input_components = 3;
            info.in_color_space = JCS_RGB;
            break;
        case JpegColours::Grey:
            info.input_components = 1;
            info.in_color_space = JCS_GRAYSCALE;
            break;
        case JpegColours::AdobeCmyk:
            info.input_components = 4;
            info.in_color_space = JCS_CMYK;
            break;
    }
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, recipe.quality, TRUE);
    if (recipe.progressive) {
        jpeg_simple_progression(&info);
    }
    info.arith_code = recipe.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        std::vector<JSAMPLE> row = sampleRow(recipe, static_cast<int>(info.next_scanline));
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

Bytes withFrameMarker(Bytes jpeg, std::uint8_t sofMarker) {
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 1] = sofMarker;
            return jpeg;
        }
    }
    throw std::runtime_error("no start-of-frame marker");
}

}  // namespace picturetest
