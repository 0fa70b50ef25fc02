#pragma once

#include <cstddef>
#include <cstdint>

#include "builder/top_down_shrink.h"

namespace varnel {

// Where a decoder sends the rows of a JPEG it shrinks as it decodes (kDecodeShrunk): the
// library's JPEG loader asks libjpeg for one row at a time, each for its place in the
// surface; the decoder's own jpeg_read_scanlines (decoder_scanlines.cpp, which only the
// decoder executable links) has libjpeg write each into one row buffer instead and hands
// it to a TopDownShrink. The rows are what libjpeg writes wherever they go, so the shrunk
// sizes are those of the decoded picture; the surface, which no one writes, only takes
// address space (decoder_surfaces.cpp). Armed around one decode; a decoder has one
// thread, so the sink is simply global.
namespace scanline_sink {

// The part of the picture the shrink reads, from the picture's top-left corner, in a
// picture of pictureWidth x pictureHeight as the header says.
struct Part {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

void Arm(int pictureWidth, int pictureHeight, const Part& part, TopDownShrink* shrink);
// Ends the hand-over: true when every row of the picture went through the sink.
bool Disarm();

// For jpeg_read_scanlines, at each call: whether the rows go to the sink. Decided at the
// first row of a decode while armed: a picture of the size armed, decoded into RGB.
bool Takes(int width, int height, bool rgb);
// Where libjpeg writes the next row (3 bytes a pixel).
uint8_t* RowBuffer();
// The row written at RowBuffer(), row `row` from the top, handed to the shrink.
void RowDecoded(int row);

// For the surface maker: whether the next surface gets reserved rows.
bool ReservesRows();
// The rows of the first surface made while armed, address space
// that is never written (so never takes memory); null when not armed or already given.
uint8_t* ReserveRows(std::size_t bytes);
// Whether pixels are the rows ReserveRows gave (a surface the loader made and no mending
// replaced).
bool IsReservation(const void* pixels);
// Lets the reserved rows go, once their surface is freed.
void LetReservationGo();

}  // namespace scanline_sink

// The library's own jpeg_read_scanlines, found before the system call filter is installed
// (decoder_scanlines.cpp).
void FindLibraryScanlineReader();

}  // namespace varnel
