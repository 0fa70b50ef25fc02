#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_support.h"
#include "tests/ui/recording_platform.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel::testing {

// The window model started in a temporary work directory over a recording toolkit.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.currentDirectory = work.path().string();
    dlg.AttachPlatform(platform);
    dlg.OnInitDialog();
  }

  // Runs the window's event loop until the long command running, if any, has ended.
  void Settle() {
    ASSERT_TRUE(platform.tasks.RunUntil([this] { return !dlg.busy(); }))
        << "a long command did not end";
  }
  // What the toolkit does with an input: the operation runs, and then the window's event
  // loop until a long command the input began has ended.
  bool Dispatch(Notification code, int sourceId, int parameter = 0) {
    const bool handled = dlg.Dispatch(code, sourceId, parameter);
    Settle();
    return handled;
  }
  // What the toolkit does when the user clicks a check box.
  void Click(int id, int check) {
    dlg.SetControlCheck(id, check);
    Dispatch(Notification::kClicked, id);
  }
  // What the toolkit does when the user edits a number box.
  void Type(int id, const std::string& text) {
    dlg.SetControlText(id, text);
    Dispatch(Notification::kUpdate, id);
  }
  bool Enabled(int id) const { return dlg.control(id).enabled; }
  std::string Picture(const std::string& name, int width = 8, int height = 6) {
    return WriteBmp24(work.file(name), width, height, [](int x, int y) {
      return Rgb{static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 30), 90};
    });
  }

  TempDir work;
  RecordingPlatform platform;
  CSlideshowDlg dlg;
};

}  // namespace varnel::testing
