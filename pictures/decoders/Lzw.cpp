#include "pictures/decoders/Lzw.h"

namespace pictures {

LzwDecoder::LzwDecoder(int literalBits, std::span<const std::uint8_t> codes)
    : codes_(codes),
      literalBits_(literalBits),
      clearCode_(1u << literalBits),
      endCode_(clearCode_ + 1) {
    for (unsigned code = 0; code < clearCode_; ++code) {
        prefix_[code] = 0;
        suffix_[code] = static_cast<std::uint8_t>(code);
        first_[code] = static_cast<std::uint8_t>(code);
        length_[code] = 1;
    }
    resetTable();
}

void LzwDecoder::resetTable() {
    nextFree_ = endCode_ + 1;
    codeBits_ = literalBits_ + 1;
    hasPrevious_ = false;
}

bool LzwDecoder::readCode(unsigned& code) {
    while (bitCount_ < codeBits_) {
        if (codePosition_ == codes_.size()) {
            return false;
        }
        bitBuffer_ |= static_cast<std::uint32_t>(codes_[codePosition_++]) << bitCount_;
        bitCount_ += 8;
    }
    code = bitBuffer_ & ((1u << codeBits_) - 1);
    bitBuffer_ >>= codeBits_;
    bitCount_ -= codeBits_;
    return true;
}

void LzwDecoder::addEntry(unsigned prefix, std::uint8_t suffix) {
    // A full table stays as it is until the next clear code.
    if (nextFree_ >= static_cast<unsigned>(tableSize)) {
        return;
    }
    prefix_[nextFree_] = static_cast<std::uint16_t>(prefix);
    suffix_[nextFree_] = suffix;
    first_[nextFree_] = first_[prefix];
    length_[nextFree_] = static_cast<std::uint16_t>(length_[prefix] + 1);
    ++nextFree_;
    if (nextFree_ == (1u << codeBits_) && codeBits_ < maxCodeBits) {
        ++codeBits_;
    }
}

std::span<const std::uint8_t> LzwDecoder::writeString(unsigned code) {
    // Entries are only ever added with a prefix already in the table, so a length never
    // exceeds the table's size; the walk stops there all the same.
    const std::size_t length = length_[code];
    std::size_t position = length;
    for (int steps = 0; position > 0 && steps < tableSize; ++steps) {
        stringBuffer_[--position] = suffix_[code];
        code = prefix_[code];
    }
    return std::span<const std::uint8_t>(stringBuffer_.data(), length);
}

LzwStatus LzwDecoder::next(std::span<const std::uint8_t>& string) {
    for (;;) {
        unsigned code = 0;
        if (!readCode(code)) {
            return LzwStatus::OutOfData;
        }
        if (code == clearCode_) {
            resetTable();
            continue;
        }
        if (code == endCode_) {
            return LzwStatus::End;
        }
        if (!hasPrevious_) {
            if (code >= clearCode_) {
                return LzwStatus::BadCode;
            }
            hasPrevious_ = true;
            previous_ = code;
            string = writeString(code);
            return LzwStatus::String;
        }
        if (code < nextFree_) {
            string = writeString(code);
            addEntry(previous_, first_[code]);
        } else if (code == nextFree_) {
            // The string of a code defined by this very step: the previous string and its
            // own first byte.
            addEntry(previous_, first_[previous_]);
            string = writeString(code);
        } else {
            return LzwStatus::BadCode;
        }
        previous_ = code;
        return LzwStatus::String;
    }
}

}  // namespace pictures
