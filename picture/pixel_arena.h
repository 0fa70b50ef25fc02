#pragma once

#include <cstddef>
#include <cstdint>

namespace varnel {

// Memory shared with the program that a decoder lends the picture library for the
// pixels of the picture it decodes, so that the decoded picture reaches the program
// without a copy. Armed around one decode, it is taken by the first surface made
// meanwhile that fits (see decoder_surfaces.cpp, which only the decoder executable links;
// elsewhere nothing takes it). A decoder has one thread, so the arena is simply global.
namespace pixel_arena {

void Arm(uint8_t* memory, std::size_t size);
void Disarm();
bool Armed();
// The memory for the pixel rows of a new surface, bytes long; null when the arena is not
// armed, already taken or too small.
uint8_t* Take(std::size_t bytes);
// Said before a decode whose loader writes every pixel of the first surface it makes (the
// JPEG loader writes each row in full before it returns the surface): that surface, when
// it takes the arena, needs only its rows' padding cleared, not every byte.
void ExpectEveryPixelWritten();
// Whether that was said since the arena was armed; forgotten once asked, since it holds
// for the first surface only.
bool EveryPixelWillBeWritten();

}  // namespace pixel_arena
}  // namespace varnel
