#include "builder/build_slideshow.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <vector>

#include "builder/build_failure.h"
#include "builder/image_writer.h"
#include "builder/outcome_recording_host.h"
#include "builder/pictures_on_disk.h"
#include "builder/rom_layout.h"
#include "builder/show_plan.h"
#include "builder/viewer_template.h"
#include "files/display_text.h"
#include "files/file_error.h"
#include "files/replacement_file.h"

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

// Slides of the written table whose picture made it into the image in some version. An
// image written to a device cannot be read back; its slides are taken as they were
// counted.
uint16_t CountSlidesWithPicture(BinaryFile& image, uint16_t pictureCount) {
  uint16_t count = 0;
  try {
    for (uint32_t slot = 0; slot < pictureCount; ++slot)
      if (HasPictureVersion(ReadSlideRecord(image, slot))) ++count;
  } catch (const FileError&) {
    return pictureCount;
  }
  return count;
}

// Everything the image must not be written over: the template, every row's picture
// and the caller's other inputs.
std::vector<RoleFile> InputsOf(const BuildFiles& files, const SlideshowDocument& document) {
  std::vector<RoleFile> inputs = {{"the viewer program", files.templatePath}};
  for (const PictureEntry& row : document.rows) inputs.push_back({"the picture", row.path});
  inputs.insert(inputs.end(), files.otherInputs.begin(), files.otherInputs.end());
  return inputs;
}

// A failure while writing the image, said of the image the user asked for rather than
// of the hidden file it was being written into.
std::string ImageWriteFailureMessage(const std::string& outputPath, const FileError& error) {
  const std::string shown = DisplayPath(outputPath);
  return "Could not write " + shown + ": " +
         (error.cause().empty() ? error.what() : error.cause()) + ". " + shown +
         " was left as it was.";
}

// A show whose every picture was left out would replace an image with one that holds no
// slide; the reasons have been said picture by picture.
std::string NothingIncludedMessage(std::size_t rows, const std::string& outputPath) {
  const std::string what = rows == 1 ? "The show's one picture"
                                     : "None of the show's " + std::to_string(rows) + " pictures";
  return what + " could be put into the image, so " + DisplayPath(outputPath) +
         " was left as it was.";
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

BuildOutcome BuildSlideShow(BuildHost& windowHost, const BuildFiles& files) {
  BuildOutcome outcome;
  outcome.outputPath = files.outputPath;
  OutcomeRecordingHost host(windowHost, outcome);
  const SlideshowDocument& document = host.CurrentDocument();
  host.ClearPictureInfo();

  const std::size_t rows = document.rows.size();
  ProgressSink& progress = host.Progress();
  progress.SetRange(static_cast<uint16_t>(kStepsPerPicture * rows + kFixedSteps));
  progress.SetPosition(0);
  progress.SetStep(1);

  std::optional<ReplacementFile> image;
  try {
    if (rows > kMaxPictures)
      throw BuildFailure("The list holds " + std::to_string(rows) +
                         " pictures, but a cartridge takes " + std::to_string(kMaxPictures) +
                         ". Remove " + std::to_string(rows - kMaxPictures) +
                         " pictures and build again.");
    // A show that cannot fit is refused before any picture is converted.
    if (const std::optional<ShowPlan> plan = PlanShowFromRows(document, PicturesOnDisk(document));
        plan && !plan->fits())
      throw BuildFailure(DoesNotFitMessage(document, *plan));
    // Everything that can refuse the build is checked before the image is touched.
    const std::vector<uint8_t> program = ReadViewerTemplate(files.templatePath);
    if (auto conflict =
            OutputOverwritesInput({"the image", files.outputPath}, InputsOf(files, document)))
      throw BuildFailure(*conflict);
    image.emplace(files.outputPath);
    ImageWriter writer(host, document, image->file());
    writer.CopyTemplate(program);
    writer.FillZerosToPictureData();
    outcome.pictureCount = writer.WritePictures();
    // The header goes last: until it is written the image has no valid tag.
    WriteRomHeader(image->file(), writer.MakeHeader(outcome.pictureCount));
    outcome.slidesWithPicture = CountSlidesWithPicture(image->file(), outcome.pictureCount);
    if (rows > 0 && outcome.pictureCount == 0)
      throw BuildFailure(NothingIncludedMessage(rows, files.outputPath));
    image->Commit();
    outcome.ok = true;
  } catch (const FileError& failure) {
    outcome.message = image && image->IsAboutNewFile(failure)
                          ? ImageWriteFailureMessage(files.outputPath, failure)
                          : failure.what();
  } catch (const std::exception& failure) {
    outcome.message = failure.what();
  }
  image.reset();  // a build that did not finish takes its unfinished file with it
  host.RepaintPreview();
  if (!outcome.ok) host.ShowError(outcome.message);
  return outcome;
}

}  // namespace varnel
