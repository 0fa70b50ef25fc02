#include "ui/model/picture_library.h"

#include <SDL.h>

#include <array>
#include <csignal>
#include <cstdlib>

namespace varnel {

namespace {

// The signals the library's start-up takes over: the two that ask a program to end and
// the ones its crash handler catches.
constexpr std::array<int, 7> kSignalsTheLibraryTakes = {SIGINT, SIGTERM, SIGSEGV, SIGBUS,
                                                        SIGFPE, SIGQUIT, SIGPIPE};

class SignalHandlersKept {
 public:
  SignalHandlersKept() {
    for (std::size_t i = 0; i < kSignalsTheLibraryTakes.size(); ++i) {
      sigaction(kSignalsTheLibraryTakes[i], nullptr, &saved_[i]);
    }
  }
  ~SignalHandlersKept() {
    for (std::size_t i = 0; i < kSignalsTheLibraryTakes.size(); ++i) {
      sigaction(kSignalsTheLibraryTakes[i], &saved_[i], nullptr);
    }
  }
  SignalHandlersKept(const SignalHandlersKept&) = delete;
  SignalHandlersKept& operator=(const SignalHandlersKept&) = delete;

 private:
  std::array<struct sigaction, kSignalsTheLibraryTakes.size()> saved_{};
};

}  // namespace

void InitPictureLibrary() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  const SignalHandlersKept kept;
  SDL_Init(SDL_INIT_VIDEO);
}

}  // namespace varnel
