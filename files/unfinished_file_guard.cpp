#include "files/unfinished_file_guard.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace varnel {

namespace {

// More files than this are never half-written at once: one image, one project file.
constexpr int kSlots = 8;
constexpr std::array<int, 3> kEndingSignals = {SIGINT, SIGTERM, SIGHUP};

struct Slot {
  std::atomic<bool> inUse{false};
  char path[PATH_MAX] = {};
};

// Plain static storage: the signal handler may read it at any moment, so nothing in it is
// ever freed or moved.
std::array<Slot, kSlots> g_slots;

std::mutex g_installMutex;
int g_guards = 0;
std::array<struct sigaction, kEndingSignals.size()> g_previousEnding{};
std::array<bool, kEndingSignals.size()> g_handled{};
struct sigaction g_previousFileSize {};

// A signal that would end the process takes the guarded files with it first. One the
// process handles itself (the editor ends its window once the build is over) goes to
// that handler unchanged: the process lives on and finishes its files.
void OnEndingSignal(int signal, siginfo_t* info, void* context) {
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    if (kEndingSignals[i] != signal) continue;
    const struct sigaction& previous = g_previousEnding[i];
    if (previous.sa_flags & SA_SIGINFO) {
      previous.sa_sigaction(signal, info, context);
    } else if (previous.sa_handler != SIG_DFL) {
      previous.sa_handler(signal);
    } else {
      for (Slot& slot : g_slots)
        if (slot.inUse.load()) ::unlink(slot.path);
      ::sigaction(signal, &previous, nullptr);
      ::raise(signal);
    }
  }
}

void InstallHandlers() {
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    g_handled[i] = false;
    if (::sigaction(kEndingSignals[i], nullptr, &g_previousEnding[i]) != 0) continue;
    if (g_previousEnding[i].sa_handler == SIG_IGN) continue;
    struct sigaction cleanup {};
    cleanup.sa_sigaction = OnEndingSignal;
    cleanup.sa_flags = SA_SIGINFO;
    sigemptyset(&cleanup.sa_mask);
    g_handled[i] = ::sigaction(kEndingSignals[i], &cleanup, nullptr) == 0;
  }
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGXFSZ, &ignore, &g_previousFileSize);
}

void RestoreHandlers() {
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i)
    if (g_handled[i]) ::sigaction(kEndingSignals[i], &g_previousEnding[i], nullptr);
  ::sigaction(SIGXFSZ, &g_previousFileSize, nullptr);
}

}  // namespace

UnfinishedFileGuard::UnfinishedFileGuard(const std::string& path) {
  std::lock_guard lock(g_installMutex);
  for (int i = 0; i < kSlots && !path.empty() && path.size() < PATH_MAX; ++i) {
    if (g_slots[i].inUse.load()) continue;
    std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
    g_slots[i].inUse.store(true);
    slot_ = i;
    break;
  }
  if (g_guards++ == 0) InstallHandlers();
}

UnfinishedFileGuard::~UnfinishedFileGuard() {
  std::lock_guard lock(g_installMutex);
  if (slot_ >= 0) g_slots[slot_].inUse.store(false);
  if (--g_guards == 0) RestoreHandlers();
}

}  // namespace varnel
