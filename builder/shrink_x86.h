#pragma once

// Steps shared by the x86 vector kernels (shrink_kernel_avx2.cpp, shrink_kernel_avx512.cpp),
// included after the unit's #pragma GCC target and, like shrink_walk.h, in an unnamed
// namespace: each unit has its own copy, built for its instructions.

#include <immintrin.h>

#include <cstdint>

namespace varnel::shrink {
namespace {  // NOLINT(google-build-namespaces): a copy per unit, see above

// Which byte of a channel goes to each byte of the interleaved pixels: byte p of channel
// c goes to byte 3p + c, in blocks of 16; -1 takes nothing from that channel.
template <int kLanes>
struct InterleavePicks {
  static constexpr int kBlocks = (3 * kLanes + 15) / 16;
  alignas(16) int8_t of[kBlocks][3][16] = {};
  constexpr InterleavePicks() {
    for (int block = 0; block < kBlocks; ++block)
      for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 16; ++i) {
          const int n = block * 16 + i;
          of[block][c][i] = static_cast<int8_t>(n < 3 * kLanes && n % 3 == c ? n / 3 : -1);
        }
  }
};

// The pixels of three channels of kLanes bytes each (the low bytes of each register),
// interleaved into 3 x kLanes bytes at pixels (room for whole blocks of 16).
template <int kLanes>
[[gnu::always_inline]] inline void InterleaveChannels(const __m128i channels[3], uint8_t* pixels) {
  static constexpr InterleavePicks<kLanes> kPicks;
#pragma GCC unroll 3
  for (int block = 0; block < InterleavePicks<kLanes>::kBlocks; ++block) {
    __m128i result = _mm_setzero_si128();
#pragma GCC unroll 3
    for (int c = 0; c < 3; ++c) {
      const __m128i pick = _mm_load_si128(reinterpret_cast<const __m128i*>(kPicks.of[block][c]));
      result = _mm_or_si128(result, _mm_shuffle_epi8(channels[c], pick));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + block * 16), result);
  }
}

}  // namespace
}  // namespace varnel::shrink
