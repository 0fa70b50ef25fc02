#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "document/slideshow_options.h"
#include "project/byte_sink.h"
#include "project/byte_source.h"
#include "project/stored_picture.h"

// Project files in memory, for tests, benchmarks and the fuzzer: the programs read and
// write project files on disk only.
namespace varnel::testing {

class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  std::size_t Read(uint8_t* data, std::size_t count) override;

 private:
  std::span<const uint8_t> bytes_;
  std::size_t position_ = 0;
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

// The bytes of a project file as WriteProjectFile writes them.
std::vector<uint8_t> ProjectFileBytes(const SlideshowOptions& options,
                                      std::span<const StoredPicture> pictures);

}  // namespace varnel::testing
