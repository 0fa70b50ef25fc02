#include "files/binary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "files/file_error.h"
#include "files/regular_file.h"

namespace varnel {

BinaryFile::BinaryFile(std::string path, int fd, bool writable)
    : path_(std::move(path)), fd_(fd), writable_(writable) {
  if (writable_) buffer_.reserve(kBufferSize);
}

BinaryFile BinaryFile::OpenForReading(const std::string& path) {
  return BinaryFile(path, OpenRegularFileForReading(path), false);
}

BinaryFile BinaryFile::Create(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw FileError::FromErrno(path, "create", errno);
  return BinaryFile(path, fd, true);
}

BinaryFile BinaryFile::AdoptForWriting(std::string name, int fd) {
  return BinaryFile(std::move(name), fd, true);
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept {
  *this = std::move(other);
}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
  if (this != &other) {
    CloseQuietly();
    path_ = std::move(other.path_);
    fd_ = std::exchange(other.fd_, -1);
    writable_ = other.writable_;
    position_ = other.position_;
    fileLength_ = other.fileLength_;
    bufferStart_ = other.bufferStart_;
    buffer_ = std::move(other.buffer_);
  }
  return *this;
}

BinaryFile::~BinaryFile() {
  CloseQuietly();
}

void BinaryFile::CloseQuietly() noexcept {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  buffer_.clear();
}

std::size_t BinaryFile::Read(void* data, std::size_t count) {
  if (fd_ < 0) throw FileError(path_, "Could not read " + path_ + ": the file is not open.");
  FlushBuffer();
  auto* out = static_cast<uint8_t*>(data);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd_, out + done, count - done, static_cast<off_t>(position_));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileError::FromErrno(path_, "read", errno);
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
    position_ += static_cast<uint64_t>(got);
  }
  return done;
}

void BinaryFile::Write(const void* data, std::size_t count) {
  if (fd_ < 0 || !writable_)
    throw FileError(path_, "Could not write " + path_ + ": the file is not open for writing.");
  const auto* in = static_cast<const uint8_t*>(data);
  // The buffer holds one contiguous run; a write elsewhere starts a new one.
  if (!buffer_.empty() && position_ != bufferStart_ + buffer_.size()) FlushBuffer();
  if (buffer_.empty()) bufferStart_ = position_;
  while (count > 0) {
    const std::size_t room = kBufferSize - buffer_.size();
    const std::size_t take = std::min(room, count);
    buffer_.insert(buffer_.end(), in, in + take);
    in += take;
    count -= take;
    position_ += take;
    if (buffer_.size() == kBufferSize) {
      FlushBuffer();
      bufferStart_ = position_;
    }
  }
}

void BinaryFile::WriteZeros(std::size_t count) {
  static const uint8_t kZeros[1024] = {};
  while (count > 0) {
    const std::size_t take = std::min(count, sizeof kZeros);
    Write(kZeros, take);
    count -= take;
  }
}

uint64_t BinaryFile::Length() const {
  if (!writable_) {
    struct stat info {};
    if (fd_ >= 0 && ::fstat(fd_, &info) == 0) return static_cast<uint64_t>(info.st_size);
    return 0;
  }
  return std::max(fileLength_, bufferStart_ + buffer_.size());
}

void BinaryFile::Seek(uint64_t offset) {
  if (fd_ < 0) throw FileError(path_, "Could not seek in " + path_ + ": the file is not open.");
  position_ = offset;
}

void BinaryFile::FlushBuffer() {
  if (buffer_.empty()) return;
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t put = ::pwrite(fd_, buffer_.data() + done, buffer_.size() - done,
                                 static_cast<off_t>(bufferStart_ + done));
    if (put < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      buffer_.clear();
      throw FileError::FromErrno(path_, "write", error);
    }
    if (put == 0) {
      buffer_.clear();
      throw FileError::FromErrno(path_, "write", ENOSPC);
    }
    done += static_cast<std::size_t>(put);
  }
  fileLength_ = std::max(fileLength_, bufferStart_ + buffer_.size());
  buffer_.clear();
}

void BinaryFile::Flush(bool toDisk) {
  if (fd_ < 0 || !writable_) return;
  FlushBuffer();
  if (toDisk && ::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
    throw FileError::FromErrno(path_, "write", errno);
}

void BinaryFile::Close() {
  if (fd_ < 0) return;
  try {
    Flush();
  } catch (...) {
    CloseQuietly();
    throw;
  }
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && writable_) throw FileError::FromErrno(path_, "write", errno);
}

}  // namespace varnel
