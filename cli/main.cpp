// varnel-build: builds a slideshow image without the window, through the same builder.
#include <unistd.h>

#include <algorithm>
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
#include "files/output_conflict.h"
#include "files/program_output.h"
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

void Say(const std::string& message) {
  SayOnStandardError(kProgramName, message);
}

// Everything the show leaves out is said on a line of its own and counted.
class Shortfalls {
 public:
  void PictureLeftOut(const std::string& path, const std::string& reason) {
    Say("left out " + DisplayPath(path) + ": " + reason);
    ++count_;
  }
  void VersionMissing(const std::string& path, const std::string& note) {
    Say(DisplayPath(path) + ": " + note);
    ++count_;
  }
  void Problem(const std::string& message) {
    Say(message);
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
    Say(message);
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

// A project file's show, with every picture the file names, loaded or not.
struct ProjectShow {
  SlideshowDocument document;
  std::vector<std::string> picturesNamed;
};

// The show of a project file; rows whose pictures no longer load are left out with a
// line each, rows whose pictures were found where a moved project has them are named,
// and a file cut short builds the rows it holds after saying so.
std::optional<ProjectShow> ShowFromProject(const std::string& path, ProjectRows rows,
                                           Shortfalls& shortfalls) {
  try {
    ProjectDocumentLoad load = LoadProjectDocument(path, rows);
    for (const MovedPicture& moved : load.foundElsewhere)
      Say("found " + DisplayPath(moved.storedPath) + " at " + DisplayPath(moved.foundPath));
    for (std::size_t i = 0; i < load.leftOut.size(); ++i)
      shortfalls.PictureLeftOut(load.leftOut[i], load.whyLeftOut[i]);
    if (load.read.end != ProjectFileEnd::kComplete) shortfalls.Problem(load.problems);
    ProjectShow show{std::move(load.document), std::move(load.leftOut)};
    for (const PictureEntry& row : show.document.rows) show.picturesNamed.push_back(row.path);
    return show;
  } catch (const FileError& error) {
    Say(error.what());
    return std::nullopt;
  }
}

// A project stores a fit for every picture, Stretch for those never given another.
void GiveStretchedRowsTheFit(SlideshowDocument& document, int fit) {
  for (PictureEntry& row : document.rows)
    if (FitOfLabel(row.fitLabel) == kFitStretch) row.fitLabel = std::string(kFitLabels[fit]);
}

std::string SlidesWithoutPictureMessage(std::size_t without, std::size_t slides) {
  return "slides without any picture version in the image: " + std::to_string(without) + " of " +
         std::to_string(slides);
}

std::string NothingIncludedMessage(std::size_t named) {
  return named == 1 ? "the one picture named could not be included"
                    : "none of the " + std::to_string(named) + " pictures named could be included";
}

// Prints the plan of the show and exits as the build of the same show would: 0 when it
// fits and holds everything asked for, 1 when it does not fit or holds no picture of
// those named, 3 when something named is left out.
int PrintPlan(const SlideshowDocument& document, std::size_t named, Shortfalls& shortfalls) {
  const std::optional<ShowPlan> plan = PlanShowFromRows(document);
  if (!plan) {
    Say("the size of a picture is not known");
    return kExitFailed;
  }
  WriteToStandardOutput(PlanTable(document, *plan));
  if (!plan->fits()) {
    Say(DoesNotFitMessage(document, *plan));
    return kExitFailed;
  }
  if (named > 0 && plan->pictures.empty()) {
    Say(NothingIncludedMessage(named));
    return kExitFailed;
  }
  std::size_t withoutPicture = 0;
  for (const PicturePlan& picture : plan->pictures) {
    const std::string& path = document.rows[picture.row].path;
    bool anyVersion = false;
    for (const VersionChoice* version :
         {&picture.versions.fullSize, &picture.versions.resized, &picture.versions.thumbnail}) {
      anyVersion = anyVersion || version->made;
      if (version->wanted && !version->made) shortfalls.VersionMissing(path, version->whyNot);
    }
    if (!anyVersion) ++withoutPicture;
  }
  if (withoutPicture > 0)
    shortfalls.Problem(SlidesWithoutPictureMessage(withoutPicture, plan->pictures.size()));
  return shortfalls.count() == 0 ? kExitBuilt : kExitIncomplete;
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
    Say("the project " + DisplayPath(path) + " was not saved: " + error.what());
    return false;
  }
}

// Where two outputs would land in one file, existing or not.
bool SameDestination(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
  if (error) return false;
  const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
  return !error && first == second;
}

// Every file the build reads (the viewer program, the project file, every picture named,
// loaded or not) and every file it writes: an output must be none of the others. False,
// with a line saying why, before anything is written.
bool OutputsAreNoInputs(const CommandLine& line, const BuildFiles& files,
                        const std::vector<std::string>& picturesNamed) {
  std::vector<RoleFile> inputs = {{"the viewer program", files.templatePath}};
  if (line.projectPath) inputs.push_back({"the project file", *line.projectPath});
  for (const std::string& picture : picturesNamed) inputs.push_back({"the picture", picture});
  std::optional<std::string> conflict;
  if (line.saveProjectPath) {
    conflict = OutputOverwritesInput({"the project file", *line.saveProjectPath}, inputs);
    if (!conflict && SameDestination(*line.saveProjectPath, files.outputPath))
      conflict = "The image " + DisplayPath(files.outputPath) + " and the project file " +
                 DisplayPath(*line.saveProjectPath) +
                 " would be one file. Nothing was written; choose two names.";
  }
  if (!conflict) conflict = OutputOverwritesInput({"the image", files.outputPath}, inputs);
  if (conflict) Say(*conflict);
  return !conflict;
}

BuildFiles FilesFor(const CommandLine& line, const std::string& workDirectory) {
  BuildFiles files = DefaultBuildFiles(workDirectory);
  if (line.templatePath) files.templatePath = *line.templatePath;
  if (line.outputPath) files.outputPath = *line.outputPath;
  return files;
}

int Run(const std::vector<std::string>& arguments) {
  const ParseResult parsed = ParseCommandLine(arguments);
  if (!parsed.ok()) {
    Say(parsed.error);
    return kExitUsage;
  }
  const CommandLine& line = parsed.commandLine;
  if (line.help) {
    WriteToStandardOutput(UsageText());
    return kExitBuilt;
  }
  if (line.version) {
    WriteToStandardOutput(std::string(kProgramName) + " " + VARNEL_VERSION + "\n");
    return kExitBuilt;
  }

  Shortfalls shortfalls;
  SlideshowDocument document;
  std::vector<std::string> picturesNamed;
  if (line.projectPath) {
    std::optional<ProjectShow> loaded =
        ShowFromProject(*line.projectPath, RowsFor(line), shortfalls);
    if (!loaded) return kExitFailed;
    document = std::move(loaded->document);
    picturesNamed = std::move(loaded->picturesNamed);
    // The editor's boxes would make the same of the file's numbers.
    ApplyNumberBoxRules(document.options);
    if (line.defaultFit) GiveStretchedRowsTheFit(document, *line.defaultFit);
  } else {
    document = DocumentFromPictures(line, shortfalls);
    for (const PictureArgument& picture : line.pictures) picturesNamed.push_back(picture.path);
  }
  // Options given on the command line win over the project file's.
  line.changes.ApplyTo(document.options);
  if (line.plan) return PrintPlan(document, picturesNamed.size(), shortfalls);

  const std::string workDirectory = CurrentWorkDirectory();
  BuildFiles files = FilesFor(line, workDirectory);
  if (files.templatePath.empty())
    Say("no viewer program: neither " + DisplayPath(workDirectory) +
        "Src.res nor an installed one exists");
  if (!OutputsAreNoInputs(line, files, picturesNamed)) return kExitFailed;
  if (!picturesNamed.empty() && document.rows.empty()) {
    Say(NothingIncludedMessage(picturesNamed.size()) + ", so " + DisplayPath(files.outputPath) +
        " was left as it was");
    return kExitFailed;
  }
  if (line.saveProjectPath && !SaveProject(document, *line.saveProjectPath)) return kExitFailed;

  for (const std::string& picture : picturesNamed)
    files.otherInputs.push_back({"the picture", picture});
  if (line.projectPath) files.otherInputs.push_back({"the project file", *line.projectPath});
  if (line.saveProjectPath)
    files.otherInputs.push_back({"the project file", *line.saveProjectPath});

  CommandLineHost host(std::move(document), workDirectory, shortfalls, line.jobs);
  const BuildOutcome outcome = BuildSlideShow(host, files);
  host.EndProgress();
  if (!outcome.ok) return kExitFailed;
  if (outcome.slidesWithPicture < outcome.pictureCount)
    shortfalls.Problem(SlidesWithoutPictureMessage(outcome.pictureCount - outcome.slidesWithPicture,
                                                   outcome.pictureCount));
  WriteToStandardOutput(std::string(kProgramName) + ": wrote " + DisplayPath(files.outputPath) +
                        " (" + std::to_string(outcome.slidesWithPicture) + " pictures)\n");
  return shortfalls.count() == 0 ? kExitBuilt : kExitIncomplete;
}

}  // namespace
}  // namespace varnel::cli

int main(int argc, char** argv) {
  const int status = varnel::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
  return varnel::StatusAfterStandardOutput(varnel::cli::kProgramName, status);
}
