// varnel-build: builds a slideshow image without the window, through the same builder.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "builder/build_slideshow.h"
#include "builder/show_plan.h"
#include "cli/command_line.h"
#include "cli/plan_table.h"
#include "cli/terminal_progress.h"
#include "document/label_tables.h"
#include "document/number_box_rule.h"
#include "document/picture_row.h"
#include "files/display_text.h"
#include "files/file_error.h"
#include "files/replacement_file.h"
#include "project/byte_sink.h"
#include "project/load_project_document.h"
#include "project/project_file_writer.h"
#include "project/stored_picture.h"

namespace varnel::cli {
namespace {

constexpr int kExitBuilt = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// The image was written, but without everything that was asked for (a picture that did
// not load, a project file cut short): scripts can tell it from a complete build.
constexpr int kExitIncomplete = 3;
constexpr const char* kProgramName = "varnel-build";

// Everything the show leaves out is said on a line of its own and counted.
class Shortfalls {
 public:
  void PictureLeftOut(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "%s: left out %s: %s\n", kProgramName, DisplayPath(path).c_str(),
                 DisplayPath(reason).c_str());
    ++count_;
  }
  void VersionMissing(const std::string& path, const std::string& note) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgramName, DisplayPath(path).c_str(),
                 DisplayPath(note).c_str());
    ++count_;
  }
  void Say(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, message.c_str());
    ++count_;
  }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

std::string CurrentWorkDirectory() {
  std::error_code error;
  std::string directory = std::filesystem::current_path(error).string();
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory;
}

// The command line's stand-in for the window.
class CommandLineHost final : public BuildHost {
 public:
  CommandLineHost(SlideshowDocument document, std::string workDirectory, Shortfalls& shortfalls,
                  unsigned jobs)
      : document_(std::move(document)),
        workDirectory_(std::move(workDirectory)),
        shortfalls_(shortfalls),
        jobs_(jobs) {}

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
    shortfalls_.PictureLeftOut(path, reason);
  }
  void EndProgress() { progress_.BreakLine(); }
  unsigned BuildWorkers() override { return jobs_; }
  void PictureNote(const std::string& path, const std::string& note) override {
    progress_.BreakLine();
    shortfalls_.VersionMissing(path, note);
  }

 private:
  SlideshowDocument document_;
  std::string workDirectory_;
  Shortfalls& shortfalls_;
  unsigned jobs_ = 0;
  TerminalProgress progress_{stderr};
  NullPreview preview_;
};

// Rows for the named pictures. Loaded for a plan, which needs their exact sizes: a picture
// that does not load is left out with a line. A build loads every picture once itself
// and says which ones do not load; its rows carry the sizes the pictures' headers give,
// so that with every size known a show that cannot fit is refused before any picture is
// converted.
SlideshowDocument DocumentFromPictures(const CommandLine& line, Shortfalls& shortfalls) {
  SlideshowDocument document;
  document.options = SlideshowOptions::DefaultsAfterNew();
  const auto makeRow = line.plan ? MakePictureRow : MakeUnloadedPictureRow;
  for (const PictureArgument& picture : line.pictures) {
    const MakeRowResult made = makeRow(picture.path, picture.sizing, picture.effect,
                                       picture.caption, FitOfPicture(picture, line));
    if (made.ok()) {
      document.rows.push_back(made.row);
    } else {
      shortfalls.PictureLeftOut(picture.path, made.failure);
    }
  }
  return document;
}

// A plan needs every row's exact size, and a saved project only the pictures that load; a
// build loads every picture once itself, leaving out those that do not load.
ProjectRows RowsFor(const CommandLine& line) {
  return line.plan || line.saveProjectPath ? ProjectRows::kLoadPictures
                                           : ProjectRows::kReadHeadersOnly;
}

// The show of a project file; rows whose pictures no longer load are left out with a
// line each, and a file cut short builds the rows it holds after saying so.
std::optional<SlideshowDocument> DocumentFromProject(const std::string& path, ProjectRows rows,
                                                     Shortfalls& shortfalls) {
  try {
    ProjectDocumentLoad load = LoadProjectDocument(path, rows);
    for (const std::string& leftOut : load.leftOut)
      shortfalls.PictureLeftOut(leftOut, "the picture could not be loaded");
    if (load.read.end != ProjectFileEnd::kComplete) shortfalls.Say(load.problems);
    return std::move(load.document);
  } catch (const FileError& error) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, error.what());
    return std::nullopt;
  }
}

// A project stores a fit for every picture, Stretch for those never given another.
void GiveStretchedRowsTheFit(SlideshowDocument& document, int fit) {
  for (PictureEntry& row : document.rows)
    if (FitOfLabel(row.fitLabel) == kFitStretch) row.fitLabel = std::string(kFitLabels[fit]);
}

// Prints the plan of the show; 0 when it fits into a cartridge, 1 when it does not.
int PrintPlan(const SlideshowDocument& document) {
  const std::optional<ShowPlan> plan = PlanShowFromRows(document);
  if (!plan) {
    std::fprintf(stderr, "%s: the size of a picture is not known\n", kProgramName);
    return kExitFailed;
  }
  std::fputs(PlanTable(document, *plan).c_str(), stdout);
  if (plan->fits()) return kExitBuilt;
  std::fprintf(stderr, "%s: %s\n", kProgramName, DoesNotFitMessage(document, *plan).c_str());
  return kExitFailed;
}

// The show as a project file, for the editor to open; false (with a line saying why) when
// it could not be written. Pictures are kept by full path, as the editor keeps them, so
// the project opens from any directory.
bool SaveProject(const SlideshowDocument& document, const std::string& path) {
  try {
    std::vector<StoredPicture> pictures = StoredPicturesOfRows(document.rows);
    for (StoredPicture& picture : pictures)
      picture.path = std::filesystem::absolute(picture.path).lexically_normal().string();
    ReplacementFile out(path);
    FileByteSink sink(out.file());
    WriteProjectFile(document.options, pictures, sink);
    out.Commit();
    return true;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: the project %s was not saved: %s\n", kProgramName,
                 DisplayPath(path).c_str(), error.what());
    return false;
  }
}

// The project files (read or just saved) and every picture named, loaded or not: the
// image must not be written over any of them.
std::vector<BuildInput> InputsNamedOnTheCommandLine(const CommandLine& line) {
  std::vector<BuildInput> inputs;
  if (line.projectPath) inputs.push_back({"the project file", *line.projectPath});
  if (line.saveProjectPath) inputs.push_back({"the project file", *line.saveProjectPath});
  for (const PictureArgument& picture : line.pictures)
    inputs.push_back({"the picture", picture.path});
  return inputs;
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

  Shortfalls shortfalls;
  SlideshowDocument document;
  if (line.projectPath) {
    const std::optional<SlideshowDocument> loaded =
        DocumentFromProject(*line.projectPath, RowsFor(line), shortfalls);
    if (!loaded) return kExitFailed;
    document = *loaded;
    // The editor's boxes would make the same of the file's numbers.
    ApplyNumberBoxRules(document.options);
    if (line.defaultFit) GiveStretchedRowsTheFit(document, *line.defaultFit);
  } else {
    document = DocumentFromPictures(line, shortfalls);
  }
  // Options given on the command line win over the project file's.
  line.changes.ApplyTo(document.options);
  if (line.plan) return PrintPlan(document);
  if (line.saveProjectPath && !SaveProject(document, *line.saveProjectPath)) return kExitFailed;

  const std::string workDirectory = CurrentWorkDirectory();
  BuildFiles files = DefaultBuildFiles(workDirectory);
  if (line.templatePath) files.templatePath = *line.templatePath;
  if (line.outputPath) files.outputPath = *line.outputPath;
  if (files.templatePath.empty())
    std::fprintf(stderr, "%s: no viewer program: neither %sSrc.res nor an installed one exists\n",
                 kProgramName, DisplayPath(workDirectory).c_str());
  files.otherInputs = InputsNamedOnTheCommandLine(line);

  CommandLineHost host(std::move(document), workDirectory, shortfalls, line.jobs);
  const BuildOutcome outcome = BuildSlideShow(host, files);
  host.EndProgress();
  if (!outcome.ok) return kExitFailed;
  if (outcome.slidesWithPicture < outcome.pictureCount)
    shortfalls.Say("slides without any picture version in the image: " +
                   std::to_string(outcome.pictureCount - outcome.slidesWithPicture) + " of " +
                   std::to_string(outcome.pictureCount));
  std::printf("%s: wrote %s (%u pictures)\n", kProgramName, DisplayPath(files.outputPath).c_str(),
              static_cast<unsigned>(outcome.slidesWithPicture));
  return shortfalls.count() == 0 ? kExitBuilt : kExitIncomplete;
}

}  // namespace
}  // namespace varnel::cli

int main(int argc, char** argv) {
  return varnel::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
}
