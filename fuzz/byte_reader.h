// Hands out a fuzz input a byte or a number at a time. Past the end every
// byte reads as 0, so a short input is as valid as a long one.
#ifndef KOVA_FUZZ_BYTE_READER_H_
#define KOVA_FUZZ_BYTE_READER_H_

#include <cstddef>
#include <cstdint>

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return position_ >= size_; }
  uint8_t Next() { return Empty() ? 0 : data_[position_++]; }
  // Four bytes, most significant first.
  int NextInt() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Next();
    return static_cast<int32_t>(value);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

#endif  // KOVA_FUZZ_BYTE_READER_H_
