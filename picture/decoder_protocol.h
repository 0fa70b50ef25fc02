#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "picture/picture_file_facts.h"
#include "picture/surface_layout.h"

namespace varnel {

// The records a program and its decoder processes exchange: fixed-size, one record per
// message of a SOCK_SEQPACKET socket, descriptors passed alongside. Both sides are built
// from this header, so the layout cannot drift; the program checks what a decoder says
// before it uses it.
//
// A decoder begins with a DecoderHello. Then, for each DecoderRequest, one DecoderReply:
// - kDecode, with the open picture file and, when pixels are wanted, a shared buffer as
//   large as the header says the picture can be: the picture is decoded and mended as it
//   is shown; the reply gives its layout and pixel bytes (or why it did not load). Its
//   pixel rows are left in the buffer when they fit (the library decodes straight into
//   it), otherwise the decoder keeps the picture;
// - kDeliverPixels, with a shared buffer of at least those bytes: the kept picture's pixel
//   rows are copied into it and the picture is let go;
// - kSaveAsBmp, with a buffer holding a picture's pixels and a buffer for the file: the
//   library's BMP file of that picture; the reply gives the file's length;
// - kDecodeShrunk, with the open picture file and a buffer for the sizes asked: a JPEG
//   decoded as kDecode does, its rows shrunk as they come (TopDownShrink) to each size
//   into the buffer, none of them kept. The reply is kDecode's; `shrunk` says that the
//   sizes were made, otherwise (a picture the header did not describe, a mended one)
//   the program decodes the picture again with kDecode.

constexpr int kDecoderChannel = 3;  // the decoder's descriptor of its socket

enum class DecoderTask : uint32_t {
  kDecode = 1,
  kDeliverPixels = 2,
  kSaveAsBmp = 3,
  kDecodeShrunk = 4
};

struct SharedBufferRef {
  uint64_t id = 0;  // 0: none
  uint64_t size = 0;
};

constexpr std::size_t kExtensionSize = 16;
constexpr std::size_t kFailureSize = 200;
constexpr std::size_t kForgottenBuffers = 4;

constexpr std::size_t kMostShrunkSizes = 2;

// kDecodeShrunk: the part of the picture read (from its top-left corner) and the sizes it
// is shrunk to, each written into the buffer as a bitmap's rows (blue first, the bottom
// row first, rows padded to 4 bytes with 0), one size after the other; and the shrinking
// path the program takes (ShrinkChoice), so that both give the same bytes.
struct ShrinkRequest {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint32_t count = 0;
  std::array<int32_t, kMostShrunkSizes> widths{};
  std::array<int32_t, kMostShrunkSizes> heights{};
  uint32_t path = 0;
  uint32_t standIns = 0;
};

struct DecoderRequest {
  DecoderTask task = DecoderTask::kDecode;
  uint32_t wantPixels = 0;           // kDecode: 0 when only the size and depth are wanted
  PictureFileFacts facts;            // kDecode: what the program read of the file
  char extension[kExtensionSize]{};  // kDecode: the file name's, for kinds known by it
  // kDecode: the buffer for the pixels, if any, its descriptor sent after the file's;
  // kDeliverPixels: the buffer, its descriptor sent along; kSaveAsBmp: the pixels and then
  // the buffer for the file, both descriptors sent along in that order.
  std::array<SharedBufferRef, 2> buffers{};
  SurfaceLayout layout;  // kSaveAsBmp: of the picture whose pixels are sent
  ShrinkRequest shrink;  // kDecodeShrunk
  // Buffers the program no longer has: the decoder lets its mappings of them go.
  std::array<uint64_t, kForgottenBuffers> forgotten{};
};

struct DecoderReply {
  uint32_t ok = 0;
  char failure[kFailureSize]{};  // kDecode without ok: why the picture did not load
  SurfaceLayout layout;          // kDecode: of the decoded picture
  int32_t fileBitsPerPixel = 0;  // kDecode: the depth the file holds
  uint64_t bytes = 0;            // kDecode: pixel bytes; kSaveAsBmp: the file's length
  uint32_t pixelsInBuffer = 0;   // kDecode: the pixel rows lie in the buffer sent along
  uint32_t shrunk = 0;           // kDecodeShrunk: the sizes asked lie in the buffer
};

static_assert(std::is_trivially_copyable_v<DecoderRequest>);
static_assert(std::is_trivially_copyable_v<DecoderReply>);

struct DecoderHello {
  uint32_t filterInstalled = 0;
  int32_t filterError = 0;  // why the kernel refused the system call filter (errno)
};

static_assert(std::is_trivially_copyable_v<DecoderHello>);

}  // namespace varnel
