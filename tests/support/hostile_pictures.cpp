#include "tests/support/hostile_pictures.h"

#include <signal.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "tests/support/test_support.h"

namespace varnel::testing {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kCodeTableSize = 1 << kMaxCodeBits;

void Put16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Codes written least significant bit first.
class CodeWriter {
 public:
  void Write(int code, int bits) {
    buffer_ |= static_cast<uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      bytes_.push_back(static_cast<uint8_t>(buffer_));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  std::vector<uint8_t> Finish() {
    if (count_ > 0) bytes_.push_back(static_cast<uint8_t>(buffer_));
    return std::move(bytes_);
  }

 private:
  std::vector<uint8_t> bytes_;
  uint32_t buffer_ = 0;
  int count_ = 0;
};

// LZW as GIF codes it: a clear code first, codes one bit wider once the decoder's table
// reaches the next power of two, at most 12 bits.
std::vector<uint8_t> LzwCode(const std::vector<uint8_t>& pixels, int codeSize, bool clearWhenFull,
                             bool literal) {
  const int clear = 1 << codeSize, end = clear + 1;
  CodeWriter out;
  std::map<std::pair<int, uint8_t>, int> table;
  int bits = 0, next = 0, decoderNext = 0, growAt = 0;
  bool first = true;
  const auto reset = [&] {
    table.clear();
    bits = codeSize + 1;
    next = decoderNext = clear + 2;
    growAt = 2 * clear;
    first = true;
  };
  const auto emit = [&](int code) {
    out.Write(code, bits);
    if (first) {  // the decoder adds an entry from the second code on
      first = false;
      return;
    }
    if (decoderNext < kCodeTableSize && ++decoderNext >= growAt && growAt < kCodeTableSize) {
      growAt *= 2;
      ++bits;
    }
  };
  reset();
  out.Write(clear, bits);
  if (literal) {
    // A clear code before the decoder's table would need wider codes.
    for (uint8_t pixel : pixels) {
      if (!first && decoderNext + 1 >= growAt) {
        out.Write(clear, bits);
        reset();
      }
      emit(pixel);
    }
  } else if (!pixels.empty()) {
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
      const auto found = table.find({prefix, pixels[i]});
      if (found != table.end()) {
        prefix = found->second;
        continue;
      }
      emit(prefix);
      if (next < kCodeTableSize) {
        table[{prefix, pixels[i]}] = next++;
      } else if (clearWhenFull) {
        out.Write(clear, bits);
        reset();
      }
      prefix = pixels[i];
    }
    emit(prefix);
  }
  out.Write(end, bits);
  return out.Finish();
}

void PutSubBlocks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data) {
  constexpr std::size_t kLongest = 255;
  for (std::size_t at = 0; at < data.size(); at += kLongest) {
    const std::size_t length = std::min(kLongest, data.size() - at);
    out.push_back(static_cast<uint8_t>(length));
    out.insert(out.end(), data.begin() + at, data.begin() + at + length);
  }
  out.push_back(0);
}

// The rows in the order an interlaced GIF stores them.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
    for (int y = start; y < height; y += step) rows.push_back(y);
  return rows;
}

void PutPngChunk(std::vector<uint8_t>& out, const char* kind, const uint8_t* body,
                 std::size_t length) {
  PutBigEndian32(out, static_cast<uint32_t>(length));
  const std::size_t start = out.size();
  out.insert(out.end(), kind, kind + 4);
  out.insert(out.end(), body, body + length);
  PutBigEndian32(out, static_cast<uint32_t>(
                          crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// A zlib stream of `length` zero bytes, made without compressing them all: after a full
// flush a deflate block refers to nothing before it, so the block of one piece stands for
// every other piece. The Adler-32 of n zero bytes is 1 + 65536 x (n mod 65521).
std::vector<uint8_t> ZlibOfZeros(uint64_t length) {
  constexpr uint64_t kPiece = 1 << 20;
  constexpr uint32_t kAdlerModulus = 65521;
  const std::vector<uint8_t> zeros(kPiece, 0);
  z_stream stream{};
  if (deflateInit(&stream, Z_BEST_COMPRESSION) != Z_OK) throw std::runtime_error("deflateInit");
  const auto deflatePiece = [&](uint64_t size, int flush) {
    std::vector<uint8_t> out(kPiece);
    stream.next_in = const_cast<Bytef*>(zeros.data());
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, flush) == Z_STREAM_ERROR) throw std::runtime_error("deflate");
    out.resize(out.size() - stream.avail_out);
    return out;
  };
  std::vector<uint8_t> bytes = deflatePiece(kPiece, Z_FULL_FLUSH);  // with the zlib header
  const std::vector<uint8_t> piece = deflatePiece(kPiece, Z_FULL_FLUSH);
  const uint64_t pieces = length / kPiece;
  for (uint64_t i = 1; i < pieces; ++i) bytes.insert(bytes.end(), piece.begin(), piece.end());
  std::vector<uint8_t> last = deflatePiece(length % kPiece, Z_FINISH);
  deflateEnd(&stream);
  last.resize(last.size() - 4);  // the Adler-32 of what this stream saw
  bytes.insert(bytes.end(), last.begin(), last.end());
  PutBigEndian32(bytes, 1u + (static_cast<uint32_t>(length % kAdlerModulus) << 16));
  return bytes;
}

}  // namespace

uint8_t GifPixelIndex(int x, int y) {
  if (y % 3 == 0) return static_cast<uint8_t>((x / 16) % 4);  // runs
  return static_cast<uint8_t>((x * 31 + y * 17 + x * y / 7) % 4);
}

std::vector<uint8_t> GifBytes(const GifLayout& layout) {
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, layout.screenWidth);
  Put16(out, layout.screenHeight);
  out.push_back(layout.globalColourTable ? 0x81 : 0x01);  // a table of 4 entries, or none
  out.push_back(0);                                       // background
  out.push_back(0);                                       // aspect
  if (layout.globalColourTable) {
    for (uint8_t c : {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}) out.push_back(c);
  }
  if (layout.graphicControlLength) {
    out.insert(out.end(), {'!', 0xF9, *layout.graphicControlLength});
    for (int i = 0; i < *layout.graphicControlLength; ++i) out.push_back(i == 0 ? 1 : 0);
    out.push_back(0);
  }
  out.push_back(',');
  Put16(out, layout.left);
  Put16(out, layout.top);
  Put16(out, layout.width);
  Put16(out, layout.height);
  out.push_back(layout.interlaced ? 0x40 : 0);
  out.push_back(layout.codeSizeByte);
  const std::size_t count = layout.pixelsCoded.value_or(std::size_t{layout.width} * layout.height);
  std::vector<uint8_t> pixels;
  for (int y : StoredRowOrder(layout.height, layout.interlaced)) {
    for (int x = 0; x < layout.width && pixels.size() < count; ++x)
      pixels.push_back(GifPixelIndex(x, y));
    if (pixels.size() == count) break;
  }
  const int codeSize = std::min<int>(layout.codeSizeByte, 11);
  const std::vector<uint8_t> lzw = layout.lzwData.value_or(
      LzwCode(pixels, std::max(codeSize, 2), layout.clearWhenTableFull, layout.literalCodes));
  PutSubBlocks(out, lzw);
  if (layout.cutInData) {
    out.resize(out.size() - std::min<std::size_t>(out.size(), 3));
    return out;
  }
  out.push_back(';');
  return out;
}

std::string WriteGif(const std::string& path, const GifLayout& layout) {
  WriteAllBytes(path, GifBytes(layout));
  return path;
}

GifLayout ZeroSizeImageGif() {
  GifLayout layout;
  layout.width = layout.height = 0;
  return layout;
}

GifLayout HugeImageGif() {
  GifLayout layout;
  layout.width = layout.height = 65535;
  layout.pixelsCoded = 64;
  return layout;
}

GifLayout CodeSizeTwelveGif() {
  GifLayout layout;
  layout.codeSizeByte = 12;
  return layout;
}

GifLayout SlowGif() {
  GifLayout layout;
  layout.screenWidth = layout.width = 6000;
  layout.screenHeight = layout.height = 4000;
  layout.codeSizeByte = 8;
  layout.literalCodes = true;
  return layout;
}

namespace {

// The processes whose parent is `parent` and whose name is `name`.
std::vector<pid_t> ChildrenNamed(pid_t parent, const std::string& name) {
  std::vector<pid_t> children;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!stat || !std::getline(stat, line)) continue;
    const auto open = line.find('('), close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 1));
    char state = 0;
    pid_t ppid = 0;
    rest >> state >> ppid;
    if (ppid == parent && line.substr(open + 1, close - open - 1) == name)
      children.push_back(std::stoi(line.substr(0, open)));
  }
  return children;
}

// Whether the process holds the file open.
bool HoldsOpen(pid_t pid, const std::string& path) {
  std::error_code error;
  for (const auto& fd :
       std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
    if (std::filesystem::read_symlink(fd.path(), error) == path) return true;
  }
  return false;
}

}  // namespace

std::vector<pid_t> DecodersOf(pid_t parent) {
  return ChildrenNamed(parent, "varnel-decoder");
}

bool KillDecoderMidPicture(pid_t parent, const std::string& picture,
                           const std::function<bool()>& goOn) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < giveUp && goOn()) {
    for (pid_t decoder : DecodersOf(parent)) {
      if (!HoldsOpen(decoder, picture)) continue;
      ::kill(decoder, SIGSTOP);
      if (HoldsOpen(decoder, picture)) {
        ::kill(decoder, SIGKILL);
        return true;
      }
      ::kill(decoder, SIGCONT);
    }
  }
  return false;
}

namespace {

// The signature and the header chunk of an 8-bit RGB PNG.
std::vector<uint8_t> PngStart(uint32_t width, uint32_t height) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBigEndian32(header, width);
  PutBigEndian32(header, height);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlacing
  PutPngChunk(png, "IHDR", header.data(), header.size());
  return png;
}

}  // namespace

std::string WritePngWithoutData(const std::string& path, uint32_t width, uint32_t height) {
  std::vector<uint8_t> png = PngStart(width, height);
  PutPngChunk(png, "IEND", nullptr, 0);
  WriteAllBytes(path, png);
  return path;
}

std::string WriteDecompressionBomb(const std::string& path) {
  std::vector<uint8_t> png = PngStart(kBombWidth, kBombHeight);
  // Each row: filter type 0, then three zero bytes per pixel.
  const std::vector<uint8_t> data = ZlibOfZeros(uint64_t{kBombHeight} * (1 + 3 * kBombWidth));
  constexpr std::size_t kChunk = 1 << 20;
  for (std::size_t at = 0; at < data.size(); at += kChunk)
    PutPngChunk(png, "IDAT", data.data() + at, std::min(kChunk, data.size() - at));
  PutPngChunk(png, "IEND", nullptr, 0);
  WriteAllBytes(path, png);
  return path;
}

}  // namespace varnel::testing
