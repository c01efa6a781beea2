// The variable-length-code LZW decompression of GIF image data.
//
// Codes are read least significant bit first and grow from minimum code size + 1 bits to at
// most 12 bits; the table has a fixed 4096 entries. A code past the next free entry is
// corrupt. Each code's string is walked through at most 4096 prefix links.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace pictures {

enum class LzwStatus {
    String,     // the next decoded string is ready
    End,        // the end-of-information code
    OutOfData,  // the codes ran out before the end-of-information code
    BadCode,    // a code that no entry defines yet
};

class LzwDecoder {
  public:
    static constexpr int maxCodeBits = 12;
    static constexpr int tableSize = 1 << maxCodeBits;

    // `literalBits` is the GIF's minimum code size; it must lie in 1..8 (isValidLiteralBits).
    LzwDecoder(int literalBits, std::span<const std::uint8_t> codes);

    static bool isValidLiteralBits(int literalBits) { return literalBits >= 1 && literalBits <= 8; }

    // Decodes the next code that yields a string. On String, `string` views the decoded
    // bytes, valid until the next call.
    LzwStatus next(std::span<const std::uint8_t>& string);

  private:
    void resetTable();
    bool readCode(unsigned& code);
    void addEntry(unsigned prefix, std::uint8_t suffix);
    std::span<const std::uint8_t> writeString(unsigned code);

    std::span<const std::uint8_t> codes_;
    std::size_t codePosition_ = 0;
    std::uint32_t bitBuffer_ = 0;
    int bitCount_ = 0;

    const int literalBits_;
    const unsigned clearCode_;
    const unsigned endCode_;
    unsigned nextFree_ = 0;
    int codeBits_ = 0;
    unsigned previous_ = 0;
    bool hasPrevious_ = false;

    std::array<std::uint16_t, tableSize> prefix_{};
    std::array<std::uint8_t, tableSize> suffix_{};
    std::array<std::uint8_t, tableSize> first_{};
    std::array<std::uint16_t, tableSize> length_{};
    std::array<std::uint8_t, tableSize + 1> stringBuffer_{};
};

}  // namespace pictures
