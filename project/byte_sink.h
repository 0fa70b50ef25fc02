#pragma once

#include <cstddef>
#include <cstdint>

namespace varnel {

class BinaryFile;

// Where the project writer puts its bytes (a file; tests use memory).
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Throws FileError when the bytes cannot be taken.
  virtual void Write(const uint8_t* data, std::size_t count) = 0;
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
