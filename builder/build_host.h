#pragma once

#include <string>

#include "builder/preview.h"
#include "document/slideshow_document.h"

namespace varnel {

// Progress of a long command: set the range 0 .. max, set the position, set the step,
// advance one step.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void SetRange(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void SetStep(int step) = 0;
  virtual void StepIt() = 0;
};

class NullProgress final : public ProgressSink {
 public:
  void SetRange(int) override {}
  void SetPosition(int) override {}
  void SetStep(int) override {}
  void StepIt() override {}
};

// Everything the build needs of the window, so that it runs the same from tests, from
// the command line and from the editor.
class BuildHost {
 public:
  virtual ~BuildHost() = default;
  // The document, with the options taken from the controls first.
  virtual const SlideshowDocument& CurrentDocument() = 0;
  // Empties the size and colour info texts and shows them emptied.
  virtual void ClearPictureInfo() = 0;
  virtual ProgressSink& Progress() = 0;
  virtual PreviewSink& Preview() = 0;
  // Repaints the preview area once the build has ended.
  virtual void RepaintPreview() = 0;
  // The work directory, ending with a separator.
  virtual std::string WorkDirectory() = 0;
  // Shows an error message with the stop icon.
  virtual void ShowError(const std::string& message) = 0;
  // One picture left out of the image, with the reason (also said through ShowError
  // when the build as a whole fails). The window may ignore it; the command line prints it.
  virtual void PictureLeftOut(const std::string& path, const std::string& reason) {
    (void)path;
    (void)reason;
  }
  // A picture that is in the image but lacks a version it asked for, with the reason.
  virtual void PictureNote(const std::string& path, const std::string& note) {
    (void)path;
    (void)note;
  }
  // Asked between pictures and between versions: true ends the build as failed.
  virtual bool CancelRequested() { return false; }
  // Threads that prepare pictures ahead of the image; 0 means one per processor core.
  virtual unsigned BuildWorkers() { return 0; }

  // Every call above is made on the thread that called BuildSlideShow, never on one of the
  // build's own worker threads.
};

}  // namespace varnel
