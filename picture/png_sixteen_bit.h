#pragma once

#include <SDL.h>

#include <cstdio>

namespace varnel {

// The picture library keeps only the high byte of each 16-bit PNG sample; viewers round
// to the nearest 8-bit value (0x01FF is 2, not 1). Reads the samples of the open PNG file
// again, rounded, into the surface the library made of it, which must be laid out as
// the library lays out such a file: grey as 8 bits, grey with alpha and RGBA as 32, RGB
// as 24. False, with the surface unchanged, when the file or the surface does not fit.
bool RoundSixteenBitSamples(std::FILE* file, SDL_Surface* surface);

}  // namespace varnel
