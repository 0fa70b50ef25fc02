#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "builder/resampler.h"
#include "picture/decoder_protocol.h"
#include "picture/picture_file_facts.h"
#include "picture/sdl_picture.h"
#include "picture/shared_buffer.h"
#include "picture/surface_layout.h"

namespace varnel {

// The reason given for a picture whose decoder crashed, overran its limits or answered
// nonsense.
inline constexpr char kLibraryFailed[] = "the picture library failed on this file";

class DecoderStartFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One decoder process (varnel-decoder) and this program's end of its channel. Used by one
// thread at a time. The process is single-threaded, limited in address space, and given
// at most a set CPU time and wall time per request; when it crashes, overruns or says
// something that cannot be, it is ended and the request fails with kLibraryFailed. It
// then stays dead: the owner starts another.
class DecoderProcess {
 public:
  struct Limits {
    uint64_t addressSpaceBytes = 0;
    double cpuSecondsPerPicture = 0;
    double wallSecondsPerPicture = 0;
  };
  // Room for the largest picture Varnel takes, decoded, mended and delivered at once.
  static Limits DefaultLimits();

  // Starts the process; throws DecoderStartFailure when it cannot be started.
  explicit DecoderProcess(Limits limits = DefaultLimits());
  ~DecoderProcess();  // ends the process
  DecoderProcess(const DecoderProcess&) = delete;
  DecoderProcess& operator=(const DecoderProcess&) = delete;

  struct Decoded {
    SurfacePtr surface;  // when pixels were asked for and the picture loaded
    int width = 0, height = 0;
    int bitsPerPixel = 0;  // as the file holds it
    std::string failure;   // empty when the picture loaded
  };
  // Decodes the open picture file (its facts already read); the descriptor stays the
  // caller's. With pixels, the surface lies in memory shared with the process.
  Decoded Decode(int picture, const PictureFileFacts& facts, const std::string& extension,
                 bool withPixels);

  struct Shrunk {
    int width = 0, height = 0;  // of the picture decoded
    int bitsPerPixel = 0;       // as the file holds it
    bool shrunk = false;        // the sizes were made; otherwise decode the picture whole
    std::string failure;        // empty when the picture loaded
  };
  // Decodes the open JPEG file (its facts already read) and shrinks the part `ask` names
  // to its sizes as the rows are decoded (kDecodeShrunk), writing each size into the
  // destination of the same index (its width, height and stride as asked).
  Shrunk DecodeShrunk(int picture, const PictureFileFacts& facts, const std::string& extension,
                      const ShrinkRequest& ask, std::span<const ShrinkDestination> into);

  // The picture library's BMP file of the picture, written by the process into file
  // (grown to bound when smaller); its length, or 0 when the library could not save it.
  std::size_t SaveAsBmp(SDL_Surface* picture, std::size_t bound, std::vector<uint8_t>& file);

  bool alive() const { return pid_ > 0; }
  // Whether one of the buffers it keeps for pictures is free (no surface lies in it).
  bool HasFreeBuffer() const;
  // Whether the process still runs, ended now if it died meanwhile (while it sat idle).
  bool StillRunning();
  pid_t pid() const { return pid_; }
  // Whether the process runs under its system call filter (the kernel may refuse it).
  bool filtered() const { return filtered_; }

 private:
  bool Exchange(const DecoderRequest& request, const std::vector<int>& descriptors,
                DecoderReply& reply);
  bool AwaitReply(DecoderReply& reply);
  void End();
  // A free buffer of at least bytes, made when none fits; null when none can be made.
  std::shared_ptr<SharedBuffer> BufferFor(std::size_t bytes);
  void LetSpareBuffersGo();
  void FillForgotten(DecoderRequest& request);

  Limits limits_;
  pid_t pid_ = -1;
  int channel_ = -1;
  bool filtered_ = false;
  std::vector<std::shared_ptr<SharedBuffer>> buffers_;  // the most recently used last
  std::vector<uint64_t> forgotten_;                     // not told to the process yet
};

}  // namespace varnel
