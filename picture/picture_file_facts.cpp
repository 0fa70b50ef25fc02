#include "picture/picture_file_facts.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "picture/gif_structure.h"
#include "picture/picture_limits.h"

namespace varnel {

namespace {

// EXIF data larger than this is not a camera's: left unread.
constexpr uint32_t kMaxExifBytes = 1 << 20;
// Chunks walked in a PNG file at most (a file of more is taken as cut short).
constexpr int kMaxChunks = 1 << 20;

constexpr uint8_t kMarkerStart = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kApp1 = 0xE1;
constexpr uint8_t kApp14 = 0xEE;
constexpr char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr char kAdobeHeader[] = {'A', 'd', 'o', 'b', 'e'};
// The information header's length, then its width and height: 16 bits each in the
// 12-byte header of old OS/2 files, 32 bits in every later header.
constexpr long kBmpInfoHeaderOffset = 14;
constexpr uint32_t kBmpCoreHeaderSize = 12;
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool ReadBytes(std::FILE* file, void* into, std::size_t count) {
  return std::fread(into, 1, count, file) == count;
}

bool Skip(std::FILE* file, uint32_t count) {
  return std::fseek(file, static_cast<long>(count), SEEK_CUR) == 0;
}

uint32_t BigEndian(const uint8_t* p, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | p[i];
  return value;
}

uint32_t LittleEndian32(const uint8_t* p) {
  return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// The orientation of `count` bytes of EXIF data at the file position (TIFF layout, with
// or without the "Exif\0\0" header that JPEG files put before it).
int ReadExifOrientation(std::FILE* file, uint32_t count) {
  if (count > kMaxExifBytes) return kUpright;
  std::vector<uint8_t> data(count);
  if (!ReadBytes(file, data.data(), count)) return kUpright;
  std::span<const uint8_t> tiff(data);
  if (tiff.size() >= sizeof kExifHeader && std::memcmp(tiff.data(), kExifHeader, 6) == 0)
    tiff = tiff.subspan(sizeof kExifHeader);
  return OrientationFromTiff(tiff);
}

// Walks the marker segments up to the scan: the first Exif segment gives the orientation,
// an Adobe segment says the CMYK samples are inverted.
void ReadJpegFacts(std::FILE* file, PictureFileFacts& facts) {
  bool exifSeen = false;
  for (;;) {
    uint8_t marker[2];
    if (!ReadBytes(file, marker, 2) || marker[0] != kMarkerStart) return;
    while (marker[1] == kMarkerStart) {  // fill bytes before a marker
      if (!ReadBytes(file, &marker[1], 1)) return;
    }
    const uint8_t kind = marker[1];
    if (kind == kStartOfScan || kind == kEndOfImage) return;
    const bool standalone = kind == 0x01 || (kind >= 0xD0 && kind <= 0xD7);
    if (standalone) continue;
    uint8_t lengthBytes[2];
    if (!ReadBytes(file, lengthBytes, 2)) return;
    const uint32_t length = BigEndian(lengthBytes, 2);
    if (length < 2) return;
    const uint32_t payload = length - 2;
    const long start = std::ftell(file);
    const bool startOfFrame =
        kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC;
    if (startOfFrame && payload >= 5) {
      uint8_t frame[5];  // precision, height, width
      if (!ReadBytes(file, frame, sizeof frame)) return;
      facts.height = BigEndian(frame + 1, 2);
      facts.width = BigEndian(frame + 3, 2);
    } else if (kind == kApp1 && !exifSeen && payload >= sizeof kExifHeader) {
      char header[sizeof kExifHeader];
      if (!ReadBytes(file, header, sizeof header)) return;
      if (std::memcmp(header, kExifHeader, sizeof header) == 0) {
        exifSeen = true;
        facts.orientation = ReadExifOrientation(file, payload - sizeof kExifHeader);
      }
    } else if (kind == kApp14 && payload >= sizeof kAdobeHeader) {
      char header[sizeof kAdobeHeader];
      if (!ReadBytes(file, header, sizeof header)) return;
      if (std::memcmp(header, kAdobeHeader, sizeof header) == 0) facts.adobeSegment = true;
    }
    if (start < 0 || std::fseek(file, start + static_cast<long>(payload), SEEK_SET) != 0) return;
  }
}

// Where the image data of a PNG file lies: the data of its IDAT chunks, in file order.
struct ChunkData {
  long offset = 0;
  uint32_t length = 0;
};

// Whether the compressed image data ends inside the IDAT chunks: then the picture library
// has every byte it reads, IEND or not.
bool ImageDataIsWhole(std::FILE* file, const std::vector<ChunkData>& chunks) {
  z_stream stream{};
  if (chunks.empty() || inflateInit(&stream) != Z_OK) return false;
  std::vector<uint8_t> in(1 << 16);
  std::vector<uint8_t> out(1 << 16);  // inflated only to be counted, then dropped
  int status = Z_OK;
  for (const ChunkData& chunk : chunks) {
    if (std::fseek(file, chunk.offset, SEEK_SET) != 0) break;
    for (uint32_t left = chunk.length; left > 0 && status == Z_OK;) {
      const std::size_t take = std::min<std::size_t>(left, in.size());
      if (!ReadBytes(file, in.data(), take)) break;
      left -= static_cast<uint32_t>(take);
      stream.next_in = in.data();
      stream.avail_in = static_cast<uInt>(take);
      do {
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        status = inflate(&stream, Z_NO_FLUSH);
      } while (status == Z_OK && stream.avail_out == 0);
    }
  }
  inflateEnd(&stream);
  return status == Z_STREAM_END;
}

// Walks every chunk: the size and depth, an eXIf chunk, and whether the chunks end with
// IEND inside the file. A file that ends right after a chunk without IEND, its image data
// whole, is read by the picture library as it is (some writers leave IEND out).
void ReadPngFacts(std::FILE* file, PictureFileFacts& facts) {
  facts.cutShort = true;
  if (std::fseek(file, 0, SEEK_END) != 0) return;
  const long fileLength = std::ftell(file);
  if (fileLength < 0 || std::fseek(file, sizeof kPngSignature, SEEK_SET) != 0) return;
  std::vector<ChunkData> imageData;
  for (int i = 0; i < kMaxChunks; ++i) {
    uint8_t head[8];
    const long chunkStart = std::ftell(file);
    if (chunkStart == fileLength) {
      // A picture refused for its size is not worth inflating.
      facts.cutShort =
          facts.width * facts.height > kMaxPicturePixels || !ImageDataIsWhole(file, imageData);
      return;
    }
    if (!ReadBytes(file, head, sizeof head)) return;
    const uint32_t length = BigEndian(head, 4);
    const long position = std::ftell(file);
    if (position < 0 ||
        static_cast<uint64_t>(position) + length + 4 > static_cast<uint64_t>(fileLength))
      return;  // the chunk and its CRC run past the end
    if (std::memcmp(head + 4, "IEND", 4) == 0) {
      facts.cutShort = false;
      return;
    }
    if (std::memcmp(head + 4, "IHDR", 4) == 0 && length >= 8) {
      uint8_t size[8];
      if (!ReadBytes(file, size, sizeof size)) return;
      facts.width = BigEndian(size, 4);
      facts.height = BigEndian(size + 4, 4);
      uint8_t depth;
      if (length < 9 || !ReadBytes(file, &depth, 1)) return;
      facts.pngBitDepth = depth;
      if (!Skip(file, length - 9 + 4)) return;
      continue;
    }
    if (std::memcmp(head + 4, "eXIf", 4) == 0) {
      facts.orientation = ReadExifOrientation(file, length);
      if (std::fseek(file, position + static_cast<long>(length) + 4, SEEK_SET) != 0) return;
      continue;
    }
    if (std::memcmp(head + 4, "IDAT", 4) == 0) imageData.push_back({position, length});
    if (length > INT32_MAX || !Skip(file, length + 4)) return;  // the data and its CRC
  }
}

}  // namespace

PictureFileFacts ReadPictureFileFacts(std::FILE* file) {
  PictureFileFacts facts;
  std::array<uint8_t, 12> start{};
  const std::size_t got = std::fread(start.data(), 1, start.size(), file);
  if (got >= 2 && start[0] == 'B' && start[1] == 'M') {
    facts.kind = PictureKind::kBmp;
    uint8_t header[12];  // the header's length, width and height
    if (std::fseek(file, kBmpInfoHeaderOffset, SEEK_SET) == 0 &&
        ReadBytes(file, header, sizeof header)) {
      if (LittleEndian32(header) == kBmpCoreHeaderSize) {
        facts.width = header[4] | header[5] << 8;
        facts.height = header[6] | header[7] << 8;
      } else {
        facts.width = static_cast<int32_t>(LittleEndian32(header + 4));
        facts.height =
            std::abs(static_cast<int64_t>(static_cast<int32_t>(LittleEndian32(header + 8))));
      }
    }
  } else if (got >= 3 && std::memcmp(start.data(), "GIF", 3) == 0) {
    facts.kind = PictureKind::kGif;
    const GifStructure gif = ReadGifStructure(file);
    facts.width = gif.width;
    facts.height = gif.height;
    facts.structureDamaged = gif.damaged;
  } else if (got >= 3 && start[0] == kMarkerStart && start[1] == kStartOfImage &&
             start[2] == kMarkerStart) {
    facts.kind = PictureKind::kJpeg;
    if (std::fseek(file, 2, SEEK_SET) == 0) ReadJpegFacts(file, facts);
  } else if (got >= sizeof kPngSignature &&
             std::memcmp(start.data(), kPngSignature, sizeof kPngSignature) == 0) {
    facts.kind = PictureKind::kPng;
    ReadPngFacts(file, facts);
  } else if (got == start.size() && std::memcmp(start.data(), "RIFF", 4) == 0 &&
             std::memcmp(start.data() + 8, "WEBP", 4) == 0) {
    // The picture library reads only simple WebP files, which carry no EXIF data.
    facts.kind = PictureKind::kWebp;
  } else if (got >= 4 && (std::memcmp(start.data(), "II*\0", 4) == 0 ||
                          std::memcmp(start.data(), "MM\0*", 4) == 0)) {
    facts.kind = PictureKind::kTiff;
  }
  return facts;
}

}  // namespace varnel
