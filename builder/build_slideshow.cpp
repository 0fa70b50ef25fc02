#include "builder/build_slideshow.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "builder/build_failure.h"
#include "builder/image_writer.h"
#include "builder/rom_layout.h"
#include "builder/show_plan.h"
#include "document/file_error.h"

#ifndef VARNEL_DATA_DIR
#define VARNEL_DATA_DIR "/usr/local/share/varnel"
#endif

namespace varnel {

namespace {

constexpr const char* kTemplateName = "Src.res";
constexpr const char* kImageName = "slide.gba";
// Progress steps per picture written (full size, resized, thumbnail, caption, record)
// and for the template copy and the zero fill.
constexpr int kStepsPerPicture = 5;
constexpr int kFixedSteps = 2;

bool IsRegularFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string ExecutableDirectory() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return {};
  buffer[length] = '\0';
  return std::filesystem::path(buffer).parent_path().string();
}

// Removes what a failed build left, so no half-written file looks like an image. Only a
// regular file is removed: an image pointed at a device stays as it is.
void RemoveUnfinishedImage(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ignored)))
    std::filesystem::remove(path, ignored);
}

BinaryFile OpenTemplate(const std::string& path) {
  if (path.empty()) throw FileError(path, "an unnamed file was not found.");
  BinaryFile file = BinaryFile::OpenForReading(path);
  if (file.Length() > kMaxTemplateBytes)
    throw BuildFailure("The viewer program " + path + " is " + std::to_string(file.Length()) +
                       " bytes long; a template may hold at most " +
                       std::to_string(kMaxTemplateBytes) + " bytes.");
  return file;
}

}  // namespace

std::string InstalledTemplatePath() {
  // Beside the executable (the build tree), under its installation prefix, and where the
  // build was configured to install it.
  std::vector<std::string> candidates;
  if (const std::string exeDir = ExecutableDirectory(); !exeDir.empty()) {
    candidates.push_back(exeDir + "/" + kTemplateName);
    candidates.push_back(exeDir + "/../share/varnel/" + kTemplateName);
  }
  candidates.push_back(std::string(VARNEL_DATA_DIR) + "/" + kTemplateName);
  for (const std::string& candidate : candidates)
    if (IsRegularFile(candidate)) return candidate;
  return {};
}

BuildFiles DefaultBuildFiles(const std::string& workDirectory) {
  BuildFiles files;
  const std::string local = workDirectory + kTemplateName;
  files.templatePath = IsRegularFile(local) ? local : InstalledTemplatePath();
  files.outputPath = workDirectory + kImageName;
  return files;
}

BuildOutcome BuildSlideShow(BuildHost& host, const BuildFiles& files) {
  BuildOutcome outcome;
  const SlideshowDocument& document = host.CurrentDocument();
  host.ClearPictureInfo();

  const std::size_t rows = document.rows.size();
  ProgressSink& progress = host.Progress();
  progress.SetRange(static_cast<uint16_t>(kStepsPerPicture * rows + kFixedSteps));
  progress.SetPosition(0);
  progress.SetStep(1);

  bool imageCreated = false;
  try {
    if (rows > kMaxPictures)
      throw BuildFailure("The list holds " + std::to_string(rows) +
                         " pictures, but a cartridge takes " + std::to_string(kMaxPictures) +
                         ". Remove " + std::to_string(rows - kMaxPictures) +
                         " pictures and build again.");
    // A show that cannot fit is refused before any picture is converted.
    if (const std::optional<ShowPlan> plan = PlanShowFromRows(document); plan && !plan->fits())
      throw BuildFailure(DoesNotFitMessage(document, *plan));
    // The template is checked before slide.gba is touched, so a failed build never
    // destroys the image of the last good one for a missing or oversized template.
    BinaryFile templateFile = OpenTemplate(files.templatePath);
    BinaryFile image = BinaryFile::Create(files.outputPath);
    imageCreated = true;
    ImageWriter writer(host, document, image);
    writer.CopyTemplate(templateFile);
    templateFile.Close();
    writer.FillZerosToPictureData();
    outcome.pictureCount = writer.WritePictures();
    // The header goes last: until it is written the image has no valid tag.
    WriteRomHeader(image, writer.MakeHeader(outcome.pictureCount));
    image.Close();
    outcome.ok = true;
  } catch (const std::exception& failure) {
    outcome.message = failure.what();
    if (imageCreated) RemoveUnfinishedImage(files.outputPath);
  }
  host.RepaintPreview();
  if (!outcome.ok) host.ShowError(outcome.message);
  return outcome;
}

}  // namespace varnel
