#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace varnel {

// Ctrl-C (SIGINT) and SIGTERM, taken from the signal handler into the event loop: while
// an object lives, each such signal runs onSignal there, between two events, where the
// program may end its window cleanly. The previous handlers come back when it goes.
class TerminationSignals final : public QObject {
 public:
  explicit TerminationSignals(std::function<void(int signal)> onSignal);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The first signal received, 0 while none was.
  int received() const { return received_; }

 private:
  void ReadSignals();

  std::function<void(int)> onSignal_;
  QSocketNotifier* notifier_ = nullptr;
  int received_ = 0;
};

// The exit status of a program that ended on a signal, as shells report it.
inline constexpr int ExitStatusForSignal(int signal) {
  constexpr int kSignalStatusBase = 128;
  return kSignalStatusBase + signal;
}

}  // namespace varnel
