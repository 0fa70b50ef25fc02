#include "project/save_command.h"

#include <optional>
#include <string>
#include <vector>

#include "files/display_text.h"
#include "files/file_error.h"
#include "files/replacement_file.h"
#include "format/project_file_layout.h"
#include "project/byte_sink.h"
#include "project/project_file_name.h"
#include "project/project_file_writer.h"
#include "project/stored_picture.h"

namespace varnel {

namespace {

std::string SaveFailedMessage(const std::string& path, const FileError& error, bool fileDamaged) {
  const std::string cause = error.cause().empty() ? error.what() : error.cause() + ".";
  return "Could not save " + DisplayPath(path) + ": " + cause +
         (fileDamaged ? "\nThe file was being written in place and is now damaged; save the "
                        "show under another name."
                      : "\nNothing was written; a file already there was left as it was.");
}

std::string TooManyPicturesMessage(std::size_t count) {
  return "This show has " + std::to_string(count) + " pictures; a project file holds at most " +
         std::to_string(kMaxStoredPictures) + ". Nothing was saved.";
}

}  // namespace

void RunSaveCommand(ProjectHost& host) {
  const SlideshowOptions options = host.OptionsFromControls();
  const std::vector<StoredPicture> pictures = StoredPicturesOfRows(host.Rows());
  if (pictures.size() > kMaxStoredPictures) {
    host.ShowMessage(MessageIcon::kError, TooManyPicturesMessage(pictures.size()));
    return;
  }
  const std::string path = host.AskSaveFileName();
  if (path.empty()) return;

  std::optional<ReplacementFile> out;
  try {
    out.emplace(path, InPlaceFallback::kWriteInPlace);
    ProjectProgress& progress = host.Progress();
    progress.SetRange(static_cast<int>(pictures.size()) + 1);
    progress.SetPosition(0);
    progress.SetStep(1);
    FileByteSink sink(out->file());
    WriteProjectFile(options, pictures, sink, [&progress] { progress.StepIt(); });
    out->Commit();
  } catch (const FileError& error) {
    host.ShowMessage(MessageIcon::kError,
                     SaveFailedMessage(path, error, out && out->targetDamaged()));
    return;
  }
  host.SetCaption(ProjectWindowCaption(host.TitleBase(), path));
}

}  // namespace varnel
