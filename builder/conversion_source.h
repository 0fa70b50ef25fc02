#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "builder/bitmap.h"
#include "builder/bitmap_view.h"

namespace varnel {

// Makes the picture as the resampler reads it: the rows of the BMP file the picture
// library saves of it (8-bit pictures keep their palette, every other depth becomes 24-bit,
// translucent pixels blended onto black), read back as 24-bit rows. Nothing touches the
// disk. A 24-bit picture that the save would only reorder is reordered directly; any other
// is saved into memory by the library in a decoder process (SavePictureAsBmp) and read
// back from there.
//
// source's buffer is reused when it is large enough, and so is saved, which holds the
// saved file's bytes (fresh memory is slow to touch, and a build makes one source after
// another). False, with source undefined, when the picture library cannot save the picture
// or the result would be too large to describe.
bool MakeConversionSource(SDL_Surface* picture, Bitmap& source, std::vector<uint8_t>& saved);

// The picture's own rows as a view of the source MakeConversionSource would make, for a
// picture whose source is only a byte reorder of it: no copy is made, and the view is
// valid while the picture lives and stays unchanged. An empty view for any other picture.
BitmapView ViewAsSource(SDL_Surface* picture);

// The byte reorder alone, for pictures it serves: 24-bit, no palette, channels in a byte
// each, nothing that a save would blend or key away. True when it was made.
bool ReorderIntoSource(SDL_Surface* picture, Bitmap& source);

}  // namespace varnel
