#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

// A file of bytes with the operations the builder and the project file need: buffered
// writes at a position, the length, seeks, and reads. Every failure throws FileError
// naming the file and the cause; nothing is ever silently dropped. Writes are buffered,
// so Close() (which flushes) must be called for a file to count as written; the
// destructor closes without reporting.
class BinaryFile {
 public:
  // Only an ordinary file opens for reading (see OpenRegularFileForReading).
  static BinaryFile OpenForReading(const std::string& path);
  // Creates the file, truncating an existing one.
  static BinaryFile Create(const std::string& path);
  // A file already open for reading and writing, empty, that this object now owns; name
  // is what its messages call it.
  static BinaryFile AdoptForWriting(std::string name, int fd);

  BinaryFile(BinaryFile&& other) noexcept;
  BinaryFile& operator=(BinaryFile&& other) noexcept;
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;
  ~BinaryFile();

  const std::string& path() const { return path_; }

  // Reads up to count bytes; fewer only at the end of the file.
  std::size_t Read(void* data, std::size_t count);
  void Write(const void* data, std::size_t count);
  void WriteZeros(std::size_t count);

  uint64_t Position() const { return position_; }
  uint64_t Length() const;
  void Seek(uint64_t offset);
  void SeekToEnd() { Seek(Length()); }

  // Writes out the buffer and asks the system to put the bytes on disk.
  void Flush(bool toDisk = false);
  // Flushes and closes; throws when any byte could not be written.
  void Close();
  // The open descriptor, for operations on the file as a whole (linking, copying); -1
  // once closed. Flush() first for it to hold every byte written.
  int descriptor() const { return fd_; }

 private:
  BinaryFile(std::string path, int fd, bool writable);
  void FlushBuffer();
  void CloseQuietly() noexcept;

  static constexpr std::size_t kBufferSize = 1 << 16;

  std::string path_;
  int fd_ = -1;
  bool writable_ = false;
  uint64_t position_ = 0;        // logical position of the next read or write
  uint64_t fileLength_ = 0;      // length of what is on disk (writable files)
  uint64_t bufferStart_ = 0;     // file offset of buffer_[0]
  std::vector<uint8_t> buffer_;  // pending writes, contiguous from bufferStart_
};

}  // namespace varnel
