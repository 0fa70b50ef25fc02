#include "app/qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <stdexcept>

namespace varnel {

namespace {

constexpr std::array<int, 2> kTerminationSignals = {SIGINT, SIGTERM};

// The handler may only write to a pipe; the event loop reads the other end. One pair of
// descriptors for the process, as there is one set of handlers.
int gSignalPipe[2] = {-1, -1};
std::array<struct sigaction, kTerminationSignals.size()> gPrevious{};

extern "C" void WriteSignalToPipe(int signal) {
  const int savedErrno = errno;
  const unsigned char number = static_cast<unsigned char>(signal);
  // A full pipe already holds enough signals to end the program.
  [[maybe_unused]] const ssize_t written = write(gSignalPipe[1], &number, 1);
  errno = savedErrno;
}

void OpenSignalPipe() {
  if (gSignalPipe[0] >= 0) return;
  if (pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::runtime_error("The signal pipe could not be made.");
  }
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)) {
  OpenSignalPipe();
  notifier_ = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { ReadSignals(); });
  struct sigaction action {};
  action.sa_handler = WriteSignalToPipe;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kTerminationSignals.size(); ++i) {
    sigaction(kTerminationSignals[i], &action, &gPrevious[i]);
  }
}

TerminationSignals::~TerminationSignals() {
  for (std::size_t i = 0; i < kTerminationSignals.size(); ++i) {
    sigaction(kTerminationSignals[i], &gPrevious[i], nullptr);
  }
}

void TerminationSignals::ReadSignals() {
  unsigned char number = 0;
  while (read(gSignalPipe[0], &number, 1) == 1) {
    if (received_ == 0) received_ = number;
    if (onSignal_) onSignal_(number);
  }
}

}  // namespace varnel
