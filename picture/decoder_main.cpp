// varnel-decoder: decodes pictures for Varnel's programs, which start one per worker and
// talk to it over descriptor 3 (see picture/decoder_protocol.h). Whatever a picture does
// to the picture library here (a crash, an endless loop, memory exhausted) ends only this
// process. Usage: varnel-decoder ADDRESS_SPACE_BYTES
#include <SDL.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "picture/decoder_channel.h"
#include "picture/decoder_protocol.h"
#include "picture/decoder_session.h"
#include "picture/picture_decoding.h"
#include "picture/scanline_sink.h"
#include "picture/syscall_filter.h"

namespace {

// Sanitizer runtimes reserve terabytes of address space up front; a build with them
// leaves the address space unbounded.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kBoundAddressSpace = false;
#else
constexpr bool kBoundAddressSpace = true;
#endif

// A crash leaves no core file behind; the address space is bounded, so that a picture
// the library would decode into gigabytes fails here instead.
void SetLimits(rlim_t addressSpace) {
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  if (kBoundAddressSpace && addressSpace > 0) {
    const rlimit space{addressSpace, addressSpace};
    setrlimit(RLIMIT_AS, &space);
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace varnel;
  // Nothing the program had open but the channel and the standard streams.
  ::close_range(kDecoderChannel + 1, ~0U, 0);
  SetLimits(argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 0);
  SetUpPictureLibrary();
  // The first surface finds the library's own surface maker (decoder_surfaces.cpp), which
  // must happen before the filter.
  SDL_FreeSurface(SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 24, 0, 0, 0, 0));
  FindLibraryScanlineReader();
  DecoderHello hello;
  hello.filterError = RestrictToDecoding(kDecoderChannel);
  hello.filterInstalled = hello.filterError == 0;
  if (!SendRecord(kDecoderChannel, &hello, sizeof hello)) ::_exit(EXIT_FAILURE);

  DecoderSession session;
  for (;;) {
    DecoderRequest request;
    std::vector<int> descriptors;
    if (!ReceiveRecord(kDecoderChannel, &request, sizeof request, descriptors)) break;
    const DecoderReply reply = session.Answer(request, descriptors);
    if (!SendRecord(kDecoderChannel, &reply, sizeof reply)) break;
  }
  // Straight out: nothing is left to tidy, and exit handlers may want calls the filter
  // no longer allows.
  ::_exit(EXIT_SUCCESS);
}
