// varnel-build: builds a slideshow image without the window, through the same builder.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "builder/build_slideshow.h"
#include "cli/command_line.h"
#include "cli/terminal_progress.h"
#include "document/file_error.h"
#include "document/picture_row.h"
#include "project/load_project_document.h"

namespace varnel::cli {
namespace {

constexpr int kExitBuilt = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr const char* kProgramName = "varnel-build";

std::string CurrentWorkDirectory() {
  std::error_code error;
  std::string directory = std::filesystem::current_path(error).string();
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory;
}

// The command line's stand-in for the window.
class CommandLineHost final : public BuildHost {
 public:
  CommandLineHost(SlideshowDocument document, std::string workDirectory)
      : document_(std::move(document)), workDirectory_(std::move(workDirectory)) {}

  const SlideshowDocument& CurrentDocument() override { return document_; }
  void ClearPictureInfo() override {}
  ProgressSink& Progress() override { return progress_; }
  PreviewSink& Preview() override { return preview_; }
  void RepaintPreview() override {}
  std::string WorkDirectory() override { return workDirectory_; }
  void ShowError(const std::string& message) override {
    progress_.BreakLine();
    std::fprintf(stderr, "%s: %s\n", kProgramName, message.c_str());
  }
  void PictureLeftOut(const std::string& path, const std::string& reason) override {
    progress_.BreakLine();
    std::fprintf(stderr, "%s: left out %s: %s\n", kProgramName, path.c_str(), reason.c_str());
  }
  void EndProgress() { progress_.BreakLine(); }
  void PictureNote(const std::string& path, const std::string& note) override {
    progress_.BreakLine();
    std::fprintf(stderr, "%s: %s: %s\n", kProgramName, path.c_str(), note.c_str());
  }

 private:
  SlideshowDocument document_;
  std::string workDirectory_;
  TerminalProgress progress_{stderr};
  NullPreview preview_;
};

// Rows for the named pictures; a picture that does not load is left out with a line.
SlideshowDocument DocumentFromPictures(const CommandLine& line) {
  SlideshowDocument document;
  document.options = SlideshowOptions::DefaultsAfterNew();
  for (const PictureArgument& picture : line.pictures) {
    const MakeRowResult made =
        MakePictureRow(picture.path, picture.sizing, picture.effect, picture.caption);
    if (made.ok()) {
      document.rows.push_back(made.row);
    } else {
      std::fprintf(stderr, "%s: left out %s: the picture could not be loaded\n", kProgramName,
                   picture.path.c_str());
    }
  }
  return document;
}

// The show of a project file; rows whose pictures no longer load are left out with a
// line each, and a file cut short builds the rows it holds after saying so.
std::optional<SlideshowDocument> DocumentFromProject(const std::string& path) {
  try {
    ProjectDocumentLoad load = LoadProjectDocument(path);
    for (const std::string& leftOut : load.leftOut)
      std::fprintf(stderr, "%s: left out %s: the picture could not be loaded\n", kProgramName,
                   leftOut.c_str());
    if (load.read.end != ProjectFileEnd::kComplete)
      std::fprintf(stderr, "%s: %s\n", kProgramName, load.problems.c_str());
    return std::move(load.document);
  } catch (const FileError& error) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, error.what());
    return std::nullopt;
  }
}

int Run(const std::vector<std::string>& arguments) {
  const ParseResult parsed = ParseCommandLine(arguments);
  if (!parsed.ok()) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, parsed.error.c_str());
    return kExitUsage;
  }
  const CommandLine& line = parsed.commandLine;
  if (line.help) {
    std::fputs(UsageText().c_str(), stdout);
    return kExitBuilt;
  }
  if (line.version) {
    std::printf("%s %s\n", kProgramName, VARNEL_VERSION);
    return kExitBuilt;
  }

  SlideshowDocument document;
  if (line.projectPath) {
    const std::optional<SlideshowDocument> loaded = DocumentFromProject(*line.projectPath);
    if (!loaded) return kExitFailed;
    document = *loaded;
  } else {
    document = DocumentFromPictures(line);
  }
  // Options given on the command line win over the project file's.
  line.changes.ApplyTo(document.options);

  const std::string workDirectory = CurrentWorkDirectory();
  BuildFiles files = DefaultBuildFiles(workDirectory);
  if (line.templatePath) files.templatePath = *line.templatePath;
  if (line.outputPath) files.outputPath = *line.outputPath;
  if (files.templatePath.empty())
    std::fprintf(stderr, "%s: no viewer program: neither %sSrc.res nor an installed one exists\n",
                 kProgramName, workDirectory.c_str());

  CommandLineHost host(std::move(document), workDirectory);
  const BuildOutcome outcome = BuildSlideShow(host, files);
  host.EndProgress();
  if (!outcome.ok) return kExitFailed;
  std::printf("%s: wrote %s (%u pictures)\n", kProgramName, files.outputPath.c_str(),
              static_cast<unsigned>(outcome.pictureCount));
  return kExitBuilt;
}

}  // namespace
}  // namespace varnel::cli

int main(int argc, char** argv) {
  return varnel::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
}
