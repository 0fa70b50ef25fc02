// The decoder's own jpeg_read_scanlines. The picture library's JPEG loader reaches libjpeg
// through the dynamic linker, which finds this definition in the executable first: while
// the scanline sink takes a decode's rows, libjpeg writes each row into the sink's buffer
// and the sink hands it on (scanline_sink.h); otherwise this is libjpeg's own call.
#include <dlfcn.h>

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <jpeglib.h>
// clang-format on

#include "picture/scanline_sink.h"

namespace {

using ReadScanlines = JDIMENSION (*)(j_decompress_ptr, JSAMPARRAY, JDIMENSION);

ReadScanlines LibraryReadScanlines() {
  static const auto read = [] {
    void* found = ::dlvsym(RTLD_NEXT, "jpeg_read_scanlines", "LIBJPEG_6.2");
    if (found == nullptr) found = ::dlsym(RTLD_NEXT, "jpeg_read_scanlines");
    return reinterpret_cast<ReadScanlines>(found);
  }();
  return read;
}

}  // namespace

void varnel::FindLibraryScanlineReader() {
  LibraryReadScanlines();
}

extern "C" JDIMENSION jpeg_read_scanlines(j_decompress_ptr cinfo, JSAMPARRAY scanlines,
                                          JDIMENSION max_lines) {
  namespace sink = varnel::scanline_sink;
  const ReadScanlines read = LibraryReadScanlines();
  const bool rgb = cinfo->out_color_space == JCS_RGB && cinfo->output_components == 3;
  if (!sink::Takes(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
                   rgb))
    return read(cinfo, scanlines, max_lines);
  JDIMENSION done = 0;
  while (done < max_lines && cinfo->output_scanline < cinfo->output_height) {
    const auto row = static_cast<int>(cinfo->output_scanline);
    JSAMPROW into = sink::RowBuffer();
    if (read(cinfo, &into, 1) != 1) break;
    sink::RowDecoded(row);
    ++done;
  }
  return done;
}
