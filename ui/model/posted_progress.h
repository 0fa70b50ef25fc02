#pragma once

#include <chrono>

#include "project/project_host.h"
#include "ui/model/progress_bar_state.h"

namespace varnel {

class CommandThread;
class CSlideshowDlg;

// The window's progress bar as a long command drives it from its own thread: the command
// keeps the bar's state and sends it to the window's thread. Setting the bar up waits for
// the first step or for Flush, so the bar shows its new range and position together; a
// step that comes sooner than kShowInterval after the last sending waits for the next
// one: rows whose pictures load in microseconds would otherwise spend a Load painting the
// bar, as showing a new position paints it at once.
class PostedProgress final : public ProjectProgress {
 public:
  PostedProgress(CommandThread& command, CSlideshowDlg& window)
      : command_(command), window_(window) {}

  void SetRange(int maximum) override;
  void SetPosition(int position) override;
  void SetStep(int step) override;
  void StepIt() override;
  // count steps at once (rows come from the workers in groups).
  void Steps(int count);
  // Sends a change still waiting; the command's last word on the bar.
  void Flush();

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kShowInterval{25};

  // Sends the bar unless it was sent less than kShowInterval ago.
  void SendWhenDue();
  void Send();

  CommandThread& command_;
  CSlideshowDlg& window_;
  ProgressBarState bar_{nullptr};
  bool unsent_ = false;
  bool sentOnce_ = false;
  Clock::time_point lastSent_{};
};

}  // namespace varnel
