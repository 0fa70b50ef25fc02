#include "cli/terminal_progress.h"

#include <unistd.h>

#include <algorithm>

namespace varnel::cli {

namespace {
constexpr int kBarWidth = 40;
}

TerminalProgress::TerminalProgress(std::FILE* stream)
    : stream_(stream), enabled_(::isatty(::fileno(stream)) == 1) {}

TerminalProgress::~TerminalProgress() {
  BreakLine();
}

void TerminalProgress::SetRange(int maximum) {
  maximum_ = maximum;
  lastWidth_ = -1;
}

void TerminalProgress::SetPosition(int position) {
  position_ = position;
  Draw();
}

void TerminalProgress::BreakLine() {
  if (drawn_) std::fputc('\n', stream_);
  drawn_ = false;
  lastWidth_ = -1;
}

void TerminalProgress::Draw() {
  if (!enabled_ || maximum_ <= 0) return;
  const int shown = std::clamp(position_, 0, maximum_);
  const int width = shown * kBarWidth / maximum_;
  if (width == lastWidth_ && shown != maximum_) return;
  lastWidth_ = width;
  std::fprintf(stream_, "\r[%-*.*s] %3d%%", kBarWidth, width,
               "########################################", shown * 100 / maximum_);
  std::fflush(stream_);
  drawn_ = true;
}

}  // namespace varnel::cli
