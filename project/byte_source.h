#pragma once

#include <cstddef>
#include <cstdint>

namespace varnel {

class BinaryFile;

// Where the project reader takes its bytes from (a file; tests and the fuzzer use memory).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to count bytes; fewer only at the end of the data, 0 once it is used up.
  // Throws FileError when the bytes cannot be read.
  virtual std::size_t Read(uint8_t* data, std::size_t count) = 0;
};

// Reads from the file's current position; the caller keeps and closes the file.
class FileByteSource final : public ByteSource {
 public:
  explicit FileByteSource(BinaryFile& file) : file_(file) {}
  std::size_t Read(uint8_t* data, std::size_t count) override;

 private:
  BinaryFile& file_;
};

}  // namespace varnel
