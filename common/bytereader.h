// Bounds-checked little-endian reading of file data. Every read checks
// offset <= size && len <= size - offset first; a failed read sets the
// reader's error flag and yields zeros, so parsers check ok() once per step.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteReader {
public:
    ByteReader(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    size_t size() const { return size_; }
    size_t pos() const { return pos_; }
    bool ok() const { return ok_; }
    size_t remaining() const { return pos_ <= size_ ? size_ - pos_ : 0; }
    const uint8_t *data() const { return data_; }

    bool Has(size_t offset, size_t len) const { return offset <= size_ && len <= size_ - offset; }
    bool Seek(size_t offset) {
        if (offset > size_) return Fail();
        pos_ = offset;
        return true;
    }
    bool Skip(size_t len) {
        if (!Has(pos_, len)) return Fail();
        pos_ += len;
        return true;
    }
    uint8_t U8() {
        if (!Has(pos_, 1)) return Fail(), 0;
        return data_[pos_++];
    }
    uint16_t U16() {
        if (!Has(pos_, 2)) return Fail(), 0;
        uint16_t v = (uint16_t)(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    uint32_t U32() {
        if (!Has(pos_, 4)) return Fail(), 0;
        uint32_t v = (uint32_t)data_[pos_] | ((uint32_t)data_[pos_ + 1] << 8) |
                     ((uint32_t)data_[pos_ + 2] << 16) | ((uint32_t)data_[pos_ + 3] << 24);
        pos_ += 4;
        return v;
    }
    int32_t I32() { return (int32_t)U32(); }
    // Copies len bytes out; false (and nothing copied) when they are not there.
    bool Bytes(void *out, size_t len) {
        if (!Has(pos_, len)) return Fail();
        memcpy(out, data_ + pos_, len);
        pos_ += len;
        return true;
    }

    static uint16_t PeekU16(const uint8_t *p) { return (uint16_t)(p[0] | (p[1] << 8)); }
    static uint32_t PeekU32(const uint8_t *p) {
        return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
    }

private:
    bool Fail() {
        ok_ = false;
        return false;
    }
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

inline void PutU16(uint8_t *p, uint16_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
}
inline void PutU32(uint8_t *p, uint32_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)(v >> 16);
    p[3] = (uint8_t)(v >> 24);
}
