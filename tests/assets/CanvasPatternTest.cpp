// The checkerboard tile behind the preview: a small baseline JFIF JPEG.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "assets/Assets.h"

extern "C" {
#include <jpeglib.h>
}

namespace assets_test {
namespace {

struct Segment {
    int marker;
    std::vector<std::uint8_t> body;
};

// The marker segments from SOI up to the start of the scan.
std::vector<Segment> jpegSegments(assets::Bytes bytes) {
    std::vector<Segment> segments;
    std::size_t at = 0;
    while (at + 2 <= bytes.size() && bytes[at] == 0xFF) {
        const int marker = bytes[at + 1];
        at += 2;
        if (marker == 0xD8) {
            segments.push_back({marker, {}});
            continue;
        }
        if (at + 2 > bytes.size()) {
            break;
        }
        const std::size_t length = std::size_t(bytes[at] << 8 | bytes[at + 1]);
        if (length < 2 || at + length > bytes.size()) {
            break;
        }
        segments.push_back({marker,
                            {bytes.begin() + std::ptrdiff_t(at + 2),
                             bytes.begin() + std::ptrdiff_t(at + length)}});
        at += length;
        if (marker == 0xDA) {
            break;
        }
    }
    return segments;
}

const Segment* find(const std::vector<Segment>& segments, int marker) {
    for (const Segment& s : segments) {
        if (s.marker == marker) {
            return &s;
        }
    }
    return nullptr;
}

std::vector<std::uint8_t> decodeRgb(assets::Bytes bytes, int& width, int& height) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    width = int(cinfo.output_width);
    height = int(cinfo.output_height);
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + std::size_t(cinfo.output_scanline) * width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

TEST(CanvasPattern, IsABaselineJfif101JpegAt72Dpi) {
    const std::vector<Segment> segments = jpegSegments(assets::canvasPattern());
    ASSERT_FALSE(segments.empty());
    EXPECT_EQ(segments.front().marker, 0xD8);
    ASSERT_GE(segments.size(), 2u);
    ASSERT_EQ(segments[1].marker, 0xE0) << "JFIF comes right after SOI";
    const std::vector<std::uint8_t>& app0 = segments[1].body;
    ASSERT_GE(app0.size(), 12u);
    EXPECT_EQ(std::string(app0.begin(), app0.begin() + 5), std::string("JFIF\0", 5));
    EXPECT_EQ(app0[5], 1);
    EXPECT_EQ(app0[6], 1);
    EXPECT_EQ(app0[7], 1) << "density in dots per inch";
    EXPECT_EQ(app0[8] << 8 | app0[9], 72);
    EXPECT_EQ(app0[10] << 8 | app0[11], 72);

    const Segment* frame = find(segments, 0xC0);
    ASSERT_NE(frame, nullptr) << "no baseline frame";
    for (int other : {0xC1, 0xC2, 0xC3, 0xC9, 0xCA}) {
        EXPECT_EQ(find(segments, other), nullptr) << std::hex << other;
    }
    ASSERT_GE(frame->body.size(), 6u);
    EXPECT_EQ(frame->body[0], 8);
    EXPECT_EQ(frame->body[1] << 8 | frame->body[2], 16);
    EXPECT_EQ(frame->body[3] << 8 | frame->body[4], 16);
    EXPECT_EQ(frame->body[5], 3);
    EXPECT_NE(find(segments, 0xDA), nullptr);
}

TEST(CanvasPattern, DecodesToWhiteAndLightGreySquares) {
    int width = 0, height = 0;
    const std::vector<std::uint8_t> pixels = decodeRgb(assets::canvasPattern(), width, height);
    ASSERT_EQ(width, 16);
    ASSERT_EQ(height, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int expected = (x < 8) == (y < 8) ? 255 : 223;
            for (int c = 0; c < 3; ++c) {
                ASSERT_NEAR(pixels[(std::size_t(y) * 16 + x) * 3 + c], expected, 2)
                    << x << "," << y << " channel " << c;
            }
        }
    }
}

}  // namespace
}  // namespace assets_test
