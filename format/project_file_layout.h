#pragma once

#include <cstddef>
#include <cstdint>

namespace varnel {

// The .vrn project file, little-endian throughout, with no magic word, checksum or end
// marker:
//   offset 0   u8   format byte, always 1 (ignored when read)
//   offset 1   u16  number of picture records N
//   offset 3   u16  intro count
//   offset 5   u16  seconds between slides
//   offset 7   u16  sizing override index (0xFFFF: no selection)
//   offset 9   u16  effect override index (0xFFFF: no selection)
//   offset 11  u8 x8 helpScreen, keyUse, timeLimit, sizingOverride, effectOverride,
//                    helpScreen again (this copy wins), thumbnails, textDisplay
//   offset 19  2500 reserved zero bytes
//   offset 2519 N records: path\0 caption\0 u16 sizing index, u16 effect index,
//                    100 reserved bytes, then 0x20 0x00 ten times
// The first reserved byte of a record holds the picture's fit (0 Stretch, 1 Whole Picture,
// 2 Fill Screen; read back, any other value is Stretch); the other 99 are zero. A show
// whose pictures are all stretched thus gives the same bytes as a file without fits, and
// a reader that skips the reserved bytes still loads it.
// The writer and the reader share these numbers so that the layout has one description.
inline constexpr uint8_t kProjectFormatByte = 1;
inline constexpr std::size_t kProjectHeaderSize = 19;
inline constexpr std::size_t kProjectOptionBytes = 8;
inline constexpr std::size_t kProjectReservedBlockSize = 2500;
inline constexpr std::size_t kFirstRecordOffset = kProjectHeaderSize + kProjectReservedBlockSize;

inline constexpr std::size_t kRecordReservedSize = 100;
inline constexpr uint8_t kRecordTrailerPair[2] = {0x20, 0x00};
inline constexpr std::size_t kRecordTrailerPairCount = 10;
inline constexpr std::size_t kRecordTrailerSize =
    sizeof kRecordTrailerPair * kRecordTrailerPairCount;
// Bytes of a record besides its two strings: two string ends, two indices, 100 + 20.
inline constexpr std::size_t kRecordFixedSize =
    2 + 2 + 2 + kRecordReservedSize + kRecordTrailerSize;

// N is stored in 16 bits.
inline constexpr std::size_t kMaxStoredPictures = 0xFFFF;
// How an override list with no selection (-1) is stored.
inline constexpr uint16_t kStoredNoSelection = 0xFFFF;

// The largest number the two number boxes (two characters each) can hold; larger stored
// numbers are limited to it when loaded.
inline constexpr uint16_t kMaxTwoDigitNumber = 99;

}  // namespace varnel
