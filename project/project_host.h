#pragma once

#include <string>
#include <vector>

#include "document/picture_entry.h"
#include "document/slideshow_options.h"
#include "project/load_report.h"
#include "project/stored_picture.h"

namespace varnel {

// The progress bar as Save and Load drive it: range 0 .. maximum, position, step, one
// step. Its operations match ProgressSink of the builder, so one window class can
// implement both with the same four functions.
class ProjectProgress {
 public:
  virtual ~ProjectProgress() = default;
  virtual void SetRange(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void SetStep(int step) = 0;
  virtual void StepIt() = 0;
};

enum class MessageIcon {
  kError,    // the command failed; nothing was saved or loaded
  kWarning,  // the command did its work, but not all of it
};

// Everything Save and Load need of the window, so that they run the same from the
// editor and from tests.
class ProjectHost {
 public:
  virtual ~ProjectHost() = default;

  // Controls to fields; a text the exchange refuses does not stop the command.
  virtual SlideshowOptions OptionsFromControls() = 0;
  // The picture rows in list order.
  virtual std::vector<PictureEntry> Rows() = 0;

  // The Save dialog: returns the chosen path, empty on cancel. The dialog applies
  // WithProjectExtension to the name and then asks before replacing an existing file.
  virtual std::string AskSaveFileName() = 0;
  // The Load dialog: an existing file's path, empty on cancel.
  virtual std::string AskOpenFileName() = 0;

  virtual ProjectProgress& Progress() = 0;

  // Add row: appends a row made from the picture at path when it loads; false when it
  // does not (nothing is added then).
  virtual bool AddRow(const std::string& path, int sizingIndex, int effectIndex,
                      const std::string& caption, int fitIndex) = 0;
  // Add row for each picture in order, stepping the progress once after each whether or
  // not it gave a row; for each, why it gave none, empty where it gave one. A host may
  // make the rows on workers.
  virtual std::vector<std::string> AddRows(const std::vector<StoredPicture>& pictures) {
    std::vector<std::string> whyNot;
    for (const StoredPicture& picture : pictures) {
      const bool added = AddRow(picture.path, picture.sizingIndex, picture.effectIndex,
                                picture.caption, picture.fitIndex);
      whyNot.push_back(added ? "" : kPictureNotLoaded);
      Progress().StepIt();
    }
    return whyNot;
  }
  virtual void ClearRows() = 0;
  // Replaces the option fields (without showing them).
  virtual void SetOptions(const SlideshowOptions& options) = 0;
  // Fields to controls, then the enabling rules.
  virtual void RefreshControls() = 0;

  // "Varnel 1.3"
  virtual std::string TitleBase() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Load made a show that differs from the file: rows were left out or found elsewhere,
  // or the file was cut short. A Save would write the show as it is now, so the host
  // marks it changed.
  virtual void ShowDiffersFromFile() {}
  virtual void ShowMessage(MessageIcon icon, const std::string& message) = 0;
};

}  // namespace varnel
