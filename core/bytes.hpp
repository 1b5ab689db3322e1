// Bounded little-endian reading over a byte span.  Every read checks the
// remaining size; a read past the end leaves the reader failed and returns 0.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ts::core {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    // Attributes
    std::size_t position() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return pos_ < data_.size() ? data_.size() - pos_ : 0; }
    bool at_end() const { return pos_ >= data_.size(); }
    bool failed() const { return failed_; }

    // Operations
    std::uint16_t u16() {
        if (remaining() < 2) return fail();
        std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    // The next word, without moving; 0 when fewer than two bytes remain.
    std::uint16_t peek_u16() const {
        if (remaining() < 2) return 0;
        return static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    }
    std::uint32_t u32() {
        if (remaining() < 4) return fail();
        std::uint32_t lo = u16();
        std::uint32_t hi = u16();
        return lo | (hi << 16);
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    bool skip(std::size_t n) {
        if (remaining() < n) { fail(); return false; }
        pos_ += n;
        return true;
    }
    // Moves to the next multiple of `n` from the start of the data.
    bool align(std::size_t n) {
        std::size_t next = (pos_ + n - 1) / n * n;
        if (next > data_.size()) { fail(); return false; }
        pos_ = next;
        return true;
    }
    // A string of single-byte characters ending with a 0 byte.  When
    // `filler` is set, one more byte follows the terminator; a record that
    // ends right after the terminator is accepted.
    std::string_view cstring(bool filler) {
        for (std::size_t i = pos_; i < data_.size(); ++i) {
            if (data_[i] == 0) {
                std::string_view s(reinterpret_cast<const char*>(data_.data() + pos_), i - pos_);
                pos_ = i + 1;
                if (filler && pos_ < data_.size()) ++pos_;
                return s;
            }
        }
        fail();
        return {};
    }
    // A string of 16-bit characters ending with a 0 character.
    // The terminator is found first, so the string is made at its length.
    std::u16string wstring() {
        std::size_t end = pos_;
        while (data_.size() - end >= 2 && (data_[end] | data_[end + 1]) != 0) end += 2;
        if (data_.size() - end < 2) {
            fail();
            return {};
        }
        std::u16string s((end - pos_) / 2, u'\0');
        for (char16_t& c : s) {
            c = static_cast<char16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
            pos_ += 2;
        }
        pos_ += 2;  // the terminator
        return s;
    }

private:
    std::uint16_t fail() {
        failed_ = true;
        pos_ = data_.size();
        return 0;
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace ts::core
