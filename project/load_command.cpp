#include "project/load_command.h"

#include <optional>
#include <string>
#include <vector>

#include "files/binary_file.h"
#include "files/file_error.h"
#include "project/byte_source.h"
#include "project/load_report.h"
#include "project/moved_pictures.h"
#include "project/project_file_name.h"
#include "project/project_file_reader.h"

namespace varnel {

namespace {

// The last words of Load's message when the show differs from the file.
std::string ChangedShowNote(bool somethingLeftOut, bool picturesMoved) {
  std::string what;
  if (somethingLeftOut) what = "without what was left out";
  if (picturesMoved) what += std::string(what.empty() ? "" : " and ") + "with the new places";
  return "The show is marked changed: saving it writes the project " + what + ".";
}

}  // namespace

void RunLoadCommand(ProjectHost& host) {
  const std::string path = host.AskOpenFileName();
  if (path.empty()) return;
  LoadProjectFile(host, path);
}

void LoadProjectFile(ProjectHost& host, const std::string& path) {
  std::optional<BinaryFile> file;
  try {
    file.emplace(BinaryFile::OpenForReading(path));
  } catch (const FileError& error) {
    host.ShowMessage(MessageIcon::kError, error.what());
    host.RefreshControls();
    return;
  }

  ProjectProgress& progress = host.Progress();
  bool headerRead = false;
  // The rows are made once the file is read, all together, so the host can make them
  // side by side.
  std::vector<StoredPicture> pictures;
  ProjectFileHandlers handlers;
  // The rows go only once the header is known to be there, so a file that is not a
  // project at all leaves the show as it was.
  handlers.header = [&](const ProjectHeader& header) {
    headerRead = true;
    host.ClearRows();
    progress.SetRange(header.pictureCount + 1);
    progress.SetPosition(0);
    progress.SetStep(1);
    host.SetOptions(header.options);
    progress.StepIt();
  };
  handlers.picture = [&](const StoredPicture& picture) { pictures.push_back(picture); };

  ProjectReadResult read;
  std::string readError;
  try {
    FileByteSource source(*file);
    read = ReadProjectFile(source, handlers);
  } catch (const FileError& error) {
    readError = error.what();
  }
  file.reset();

  // Pictures missing where the file says are looked for where a moved project has them.
  const std::vector<MovedPicture> moved =
      headerRead ? RelocateMovedPictures(pictures, path) : std::vector<MovedPicture>{};
  std::vector<std::string> leftOut, whyLeftOut;
  const std::vector<std::string> whyNot = host.AddRows(pictures);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (i < whyNot.size() && whyNot[i].empty()) continue;
    leftOut.push_back(pictures[i].path);
    whyLeftOut.push_back(i < whyNot.size() ? whyNot[i] : kPictureNotLoaded);
  }

  if (!headerRead) {
    host.RefreshControls();
    host.ShowMessage(MessageIcon::kError, readError.empty() ? NoHeaderMessage(path) : readError);
    return;
  }
  host.SetCaption(ProjectWindowCaption(host.TitleBase(), path));
  host.RefreshControls();
  // A show that lacks rows of its file differs from it: a Save would write it without them.
  const bool somethingLeftOut =
      !leftOut.empty() || !readError.empty() || read.picturesRead < read.announcedPictures;
  const bool differsFromFile = somethingLeftOut || !moved.empty();
  if (differsFromFile) host.ShowDiffersFromFile();
  std::string problems =
      readError.empty() ? LoadProblemsMessage(path, read, leftOut, whyLeftOut) : readError;
  if (!readError.empty() && !leftOut.empty())
    problems += "\n\n" + LoadProblemsMessage(path, ProjectReadResult{}, leftOut, whyLeftOut);
  const std::string found = FoundElsewhereMessage(moved);
  if (!found.empty()) problems = problems.empty() ? found : found + "\n\n" + problems;
  if (problems.empty()) return;
  if (differsFromFile) problems += "\n\n" + ChangedShowNote(somethingLeftOut, !moved.empty());
  host.ShowMessage(MessageIcon::kWarning, problems);
}

}  // namespace varnel
