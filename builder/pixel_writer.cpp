#include "builder/pixel_writer.h"

#include <vector>

#include "builder/rom_layout.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VARNEL_HAVE_SSE41_PATH 1
#endif

namespace varnel {

namespace {

// One row of a 24-bit bitmap or view as 15-bit colours, low byte first.
template <bool kRedFirst>
void ConvertRgb24Row(const uint8_t* in, std::size_t width, std::size_t from, uint8_t* out) {
  for (std::size_t x = from; x < width; ++x) {
    const uint8_t* pixel = in + x * 3;
    const uint16_t colour =
        kRedFirst ? Rgb15(pixel[0], pixel[1], pixel[2]) : Rgb15(pixel[2], pixel[1], pixel[0]);
    out[x * 2] = static_cast<uint8_t>(colour);
    out[x * 2 + 1] = static_cast<uint8_t>(colour >> 8);
  }
}

#ifdef VARNEL_HAVE_SSE41_PATH
// Four pixels of a row (12 bytes, read with a 16-byte load) as four 15-bit colours in
// 32-bit lanes. Each lane holds the pixel's bytes as c0 | c1 << 8 | c2 << 16; the five top
// bits of each channel are shifted into place: red first takes c0, c1, c2 as red, green,
// blue; blue first as blue, green, red.
template <bool kRedFirst>
__attribute__((target("sse4.1"))) inline __m128i FourColours(const uint8_t* pixels) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i v =
      _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels)), spread);
  const __m128i green = _mm_and_si128(_mm_srli_epi32(v, 6), _mm_set1_epi32(0x03E0));
  if (kRedFirst)
    return _mm_or_si128(
        _mm_or_si128(_mm_and_si128(_mm_srli_epi32(v, 3), _mm_set1_epi32(0x001F)), green),
        _mm_and_si128(_mm_srli_epi32(v, 9), _mm_set1_epi32(0x7C00)));
  return _mm_or_si128(
      _mm_or_si128(_mm_and_si128(_mm_srli_epi32(v, 19), _mm_set1_epi32(0x001F)), green),
      _mm_and_si128(_mm_slli_epi32(v, 7), _mm_set1_epi32(0x7C00)));
}

// Eight pixels a step while both 16-byte loads stay inside the row's 3 x width bytes; the
// rest one by one. The colours are stored as little-endian 16-bit values, low byte first.
template <bool kRedFirst>
__attribute__((target("sse4.1"))) void ConvertRgb24RowSse41(const uint8_t* in, std::size_t width,
                                                            uint8_t* out) {
  std::size_t x = 0;
  for (; x + 10 <= width; x += 8) {
    const __m128i colours = _mm_packus_epi32(FourColours<kRedFirst>(in + x * 3),
                                             FourColours<kRedFirst>(in + x * 3 + 12));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x * 2), colours);
  }
  ConvertRgb24Row<kRedFirst>(in, width, x, out);
}

bool CpuHasSse41() {
  static const bool has = __builtin_cpu_supports("sse4.1") != 0;
  return has;
}
#endif

void ConvertRgb24Row(bool redFirst, const uint8_t* in, std::size_t width, uint8_t* out) {
#ifdef VARNEL_HAVE_SSE41_PATH
  if (CpuHasSse41())
    return redFirst ? ConvertRgb24RowSse41<true>(in, width, out)
                    : ConvertRgb24RowSse41<false>(in, width, out);
#endif
  return redFirst ? ConvertRgb24Row<true>(in, width, 0, out)
                  : ConvertRgb24Row<false>(in, width, 0, out);
}

}  // namespace

uint32_t WriteBitmapPixels(BinaryFile& output, const BitmapView& bitmap) {
  if (bitmap.empty()) return 0;
  const auto width = static_cast<std::size_t>(bitmap.width());
  std::vector<uint8_t> row(width * 2);

  output.SeekToEnd();
  output.WriteZeros(AlignmentBytesFor(output.Length()));
  const uint64_t start = output.Length();
  for (int y = 0; y < bitmap.height(); ++y) {
    ConvertRgb24Row(bitmap.redFirst(), bitmap.PixelFromTop(0, y), width, row.data());
    output.Write(row.data(), row.size());
  }
  return static_cast<uint32_t>(start);
}

std::vector<uint16_t> BitmapPixels15(const BitmapView& bitmap) {
  if (bitmap.empty()) return {};
  const auto width = static_cast<std::size_t>(bitmap.width());
  std::vector<uint8_t> row(width * 2);
  std::vector<uint16_t> pixels;
  pixels.reserve(width * static_cast<std::size_t>(bitmap.height()));
  for (int y = 0; y < bitmap.height(); ++y) {
    ConvertRgb24Row(bitmap.redFirst(), bitmap.PixelFromTop(0, y), width, row.data());
    for (std::size_t x = 0; x < width; ++x)
      pixels.push_back(static_cast<uint16_t>(row[x * 2] | row[x * 2 + 1] << 8));
  }
  return pixels;
}

}  // namespace varnel
