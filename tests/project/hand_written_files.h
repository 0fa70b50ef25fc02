#pragma once

// Project files as the Windows build of Varnel writes them, spelled out byte by byte
// from the format's tables rather than made by our writer, so that the writer and the
// reader are both held to the format itself.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "document/slideshow_options.h"

namespace varnel::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline Bytes Zeros(std::size_t count) {
  return Bytes(count, 0x00);
}

// The 100 reserved zero bytes and the ten 0x20 0x00 pairs that end every record.
inline Bytes RecordTail() {
  Bytes tail = Zeros(100);
  for (int i = 0; i < 10; ++i) tail.insert(tail.end(), {0x20, 0x00});
  return tail;
}

inline Bytes Text(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0x00);
  return bytes;
}

// A record with a path known only when the test runs (a picture in a temporary folder).
inline Bytes Record(const std::string& path, const std::string& caption, uint8_t sizing,
                    uint8_t effect) {
  return Cat({Text(path), Text(caption), {sizing, 0x00, effect, 0x00}, RecordTail()});
}

// Header of a show after New with N pictures: intro "", seconds "5", both override lists
// at 0; Help Screen, Key Use, Thumbnails and Text Display on.
inline Bytes NewShowHeader(uint8_t pictureCount) {
  return {0x01,                // format byte
          pictureCount, 0x00,  // N
          0x00,         0x00,  // intro count 0
          0x05,         0x00,  // 5 seconds
          0x00,         0x00,  // sizing override index 0
          0x00,         0x00,  // effect override index 0
          0x01,                // helpScreen
          0x01,                // keyUse
          0x00,                // timeLimit
          0x00,                // sizingOverride
          0x00,                // effectOverride
          0x01,                // helpScreen again
          0x01,                // thumbnails
          0x01};               // textDisplay
}

// An empty show after New: 2519 bytes.
inline Bytes EmptyNewShowFile() {
  return Cat({NewShowHeader(0), Zeros(2500)});
}

// The options EveryOptionOnFile holds.
inline SlideshowOptions EveryOptionOn() {
  SlideshowOptions every;
  every.helpScreen = every.textDisplay = every.sizingOverride = every.thumbnails = 1;
  every.timeLimit = every.keyUse = every.effectOverride = 1;
  every.introCountText = "12";
  every.secondsText = "30";
  every.sizingOverrideIndex = 2;
  every.effectOverrideIndex = 8;
  return every;
}

// A Windows-build show with every option on: 12 intro pictures, 30 seconds, override
// lists at "(02) Resized Only (240x160)" and "(08) FadeOut", and two pictures, the first
// with a two-line Latin-1 caption.
inline Bytes EveryOptionOnFile() {
  const Bytes header = {0x01, 0x02, 0x00, 0x0C, 0x00, 0x1E, 0x00, 0x02, 0x00, 0x08,
                        0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01};
  const Bytes first =
      Cat({{'D', ':', '\\', 'S', 'h', 'o', 'w', 's', '\\', 'x', '.', 'p', 'n', 'g', 0x00},
           {'H', 'i', 0x0D, 0x0A, 0xE9, 't', 0xE9, 0x00},
           {0x01, 0x00, 0x05, 0x00},
           RecordTail()});
  const Bytes second =
      Cat({{'y', '.', 'g', 'i', 'f', 0x00}, {0x00}, {0x00, 0x00, 0x03, 0x00}, RecordTail()});
  return Cat({header, Zeros(2500), first, second});
}

// Every option off and both override lists without a selection (stored as 0xFFFF).
inline Bytes EveryOptionOffFile() {
  const Bytes header = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF,
                        0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  return Cat({header, Zeros(2500)});
}

// Three shows whose option bytes tell every option from every other: across the three,
// each option has its own pattern of on and off (helpScreen 100, keyUse 010, timeLimit
// 110, sizingOverride 001, effectOverride 101, thumbnails 011, textDisplay 111), so two
// options exchanged anywhere change some file. Each has 7 intro pictures, 13 seconds,
// sizing override index 2 and effect override index 5, and one picture with sizing 2 and
// effect 5.
struct DistinctShow {
  SlideshowOptions options;
  Bytes file;
};

inline std::vector<DistinctShow> DistinctOptionShows() {
  // Offsets 11-18: helpScreen, keyUse, timeLimit, sizingOverride, effectOverride,
  // helpScreen again, thumbnails, textDisplay.
  const Bytes optionBytes[3] = {
      {1, 0, 1, 0, 1, 1, 0, 1}, {0, 1, 1, 0, 0, 0, 1, 1}, {0, 0, 0, 1, 1, 0, 1, 1}};
  const Bytes record = Cat({{'/', 's', '/', 'p', '.', 'p', 'n', 'g', 0x00},
                            {'c', 'a', 'p', 0x00},
                            {0x02, 0x00, 0x05, 0x00},
                            RecordTail()});
  std::vector<DistinctShow> shows;
  for (const Bytes& bits : optionBytes) {
    DistinctShow show;
    show.options.helpScreen = bits[0];
    show.options.keyUse = bits[1];
    show.options.timeLimit = bits[2];
    show.options.sizingOverride = bits[3];
    show.options.effectOverride = bits[4];
    show.options.thumbnails = bits[6];
    show.options.textDisplay = bits[7];
    show.options.introCountText = "7";
    show.options.secondsText = "13";
    show.options.sizingOverrideIndex = 2;
    show.options.effectOverrideIndex = 5;
    const Bytes numbers = {0x01, 0x01, 0x00, 0x07, 0x00, 0x0D, 0x00, 0x02, 0x00, 0x05, 0x00};
    show.file = Cat({numbers, bits, Zeros(2500), record});
    shows.push_back(show);
  }
  return shows;
}

}  // namespace varnel::testing
