#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace varnel {

class BinaryFile;

// Where the project writer puts its bytes: a file or memory.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Throws FileError when the bytes cannot be taken.
  virtual void Write(const uint8_t* data, std::size_t count) = 0;
};

class VectorByteSink final : public ByteSink {
 public:
  void Write(const uint8_t* data, std::size_t count) override {
    bytes_.insert(bytes_.end(), data, data + count);
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

// Writes at the file's current position; the caller keeps and closes the file.
class FileByteSink final : public ByteSink {
 public:
  explicit FileByteSink(BinaryFile& file) : file_(file) {}
  void Write(const uint8_t* data, std::size_t count) override;

 private:
  BinaryFile& file_;
};

}  // namespace varnel
