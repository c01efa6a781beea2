#include "CanvasPattern.h"

#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace pictures_gen {

bool writeCanvasPattern(const std::string& path) {
    constexpr int size = 16;
    constexpr int square = 8;
    constexpr JSAMPLE white = 255;
    constexpr JSAMPLE grey = 223;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = size;
    cinfo.image_height = size;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    // Quality 100 and full-resolution colour: the squares fill whole 8 x 8 blocks, so the flat
    // colours come back exactly.
    jpeg_set_quality(&cinfo, 100, TRUE);
    for (int c = 0; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    cinfo.optimize_coding = TRUE;
    cinfo.write_JFIF_header = TRUE;
    cinfo.JFIF_major_version = 1;
    cinfo.JFIF_minor_version = 1;
    cinfo.density_unit = 1;  // dots per inch
    cinfo.X_density = 72;
    cinfo.Y_density = 72;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (int x = 0; x < size; ++x) {
            const bool light = (x / square) == (y / square);
            for (int c = 0; c < 3; ++c) {
                row[std::size_t(x) * 3 + c] = light ? white : grey;
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

}  // namespace pictures_gen
