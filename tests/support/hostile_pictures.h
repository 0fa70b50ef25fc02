#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnel::testing {

// A GIF file written byte by byte: a sound one by default (8 x 6, four colours, a real LZW
// stream), or one with the fault a test asks for.
struct GifLayout {
  uint16_t screenWidth = 8, screenHeight = 6;
  uint16_t left = 0, top = 0, width = 8, height = 6;
  uint8_t codeSizeByte = 2;  // the LZW minimum code size as written
  bool globalColourTable = true;
  bool interlaced = false;
  std::optional<uint8_t> graphicControlLength;  // a graphic control extension this long
  std::optional<std::size_t> pixelsCoded;       // fewer pixels than the image holds
  bool cutInData = false;                       // the file ends inside the image data
  bool clearWhenTableFull = true;               // false: the full table is kept coding
  bool literalCodes = false;  // every pixel a code of its own: large, slow for the library
  std::optional<std::vector<uint8_t>> lzwData;  // these LZW bytes instead of the pixels'
};

// The colour index of pixel (x, y) in the pictures GifBytes codes: runs and repeats that
// make the encoder use long strings, the code equal to the next entry, and a full table.
uint8_t GifPixelIndex(int x, int y);

std::vector<uint8_t> GifBytes(const GifLayout& layout);
std::string WriteGif(const std::string& path, const GifLayout& layout);

// The three shapes that crash the picture library: an image of 0 x 0, an image of
// 65535 x 65535 on a small screen, an LZW code size of 12.
GifLayout ZeroSizeImageGif();
GifLayout HugeImageGif();
GifLayout CodeSizeTwelveGif();

// A sound GIF that keeps the picture library busy for a second or more (6000 x 4000, every
// pixel a code of its own): long enough for a test to catch its decoder at it.
GifLayout SlowGif();

// The decoder processes (varnel-decoder) whose parent is `parent`.
std::vector<pid_t> DecodersOf(pid_t parent);

// Kills, with SIGKILL, a decoder process (varnel-decoder) whose parent is `parent` while it
// decodes `picture`: stopped first, so that it is known to be in the middle of that
// picture when the kill comes. Watches until one is caught, `goOn` says false or a minute
// has passed; whether one was killed.
bool KillDecoderMidPicture(pid_t parent, const std::string& picture,
                           const std::function<bool()>& goOn);

// A decompression bomb: a PNG of 16383 x 32770 black pixels (about 1.5 GiB decoded) in a
// file of about 2 MB, whose data stream is complete and correct.
constexpr uint32_t kBombWidth = 16383;
constexpr uint32_t kBombHeight = 32770;
std::string WriteDecompressionBomb(const std::string& path);

// A PNG that declares its size and holds no pixel data: damaged, but only a decoder finds
// that out.
std::string WritePngWithoutData(const std::string& path, uint32_t width, uint32_t height);

}  // namespace varnel::testing
