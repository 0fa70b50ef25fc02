#include "builder/build_slideshow.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "builder/caption_block.h"
#include "builder/encode_picture.h"
#include "builder/rom_layout.h"
#include "document/file_error.h"
#include "document/label_tables.h"
#include "document/number_rules.h"
#include "document/sdl_picture.h"

#ifndef VARNEL_DATA_DIR
#define VARNEL_DATA_DIR "/usr/local/share/varnel"
#endif

namespace varnel {

namespace {

constexpr const char* kTemplateName = "Src.res";
constexpr const char* kImageName = "slide.gba";
// The 16-bit size fields of a record cannot describe a larger full-size picture.
constexpr int kMaxFullSizeSide = 65535;
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

// A build that cannot go on; the message is for the user.
class BuildFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string PictureName(const PictureEntry& row, std::size_t index) {
  return "picture " + std::to_string(index + 1) + " (" + row.path + ")";
}

// Writes one show into an open image; throws BuildFailure or FileError.
class ImageWriter {
 public:
  ImageWriter(BuildHost& host, const SlideshowDocument& document, BinaryFile& image)
      : host_(host), document_(document), options_(document.options), image_(image) {
    context_.workDirectory = host.WorkDirectory();
    context_.preview = &host.Preview();
  }

  void CopyTemplate(BinaryFile& templateFile) {
    uint8_t block[kCopyBlockBytes];
    uint64_t copied = 0;
    for (;;) {
      const std::size_t got = templateFile.Read(block, sizeof block);
      image_.Write(block, got);
      copied += got;
      if (got < sizeof block) break;
    }
    templateLength_ = copied;
    host_.Progress().StepIt();
  }

  void FillZerosToPictureData() {
    image_.WriteZeros(kPictureDataOffset - templateLength_);
    host_.Progress().StepIt();
  }

  uint16_t WritePictures() {
    const uint16_t introCount = Low16(DecimalValue(options_.introCountText));
    uint16_t written = 0;
    for (std::size_t r = 0; r < document_.rows.size(); ++r) {
      const PictureEntry& row = document_.rows[r];
      SurfacePtr picture = LoadPicture(row.path);
      if (!picture) {
        host_.PictureLeftOut(row.path, PictureLoadFailureReason());
        continue;
      }
      const bool intro = written < introCount;
      const SlideRecord record = WritePicture(row, r, picture.get(), intro);
      WriteSlideRecord(image_, written, record);
      ++written;
      host_.Progress().StepIt();
    }
    return written;
  }

  RomHeader MakeHeader(uint16_t pictureCount) const {
    RomHeader header;
    header.pictureCount = pictureCount;
    header.introCount = Low16(DecimalValue(options_.introCountText));
    header.thumbnails = static_cast<uint8_t>(options_.thumbnails);
    header.helpScreen = static_cast<uint8_t>(options_.helpScreen);
    header.timeLimit = static_cast<uint8_t>(options_.timeLimit);
    header.slideTimeMs = static_cast<uint16_t>(int64_t{DecimalValue(options_.secondsText)} * 1000);
    header.keyUse = static_cast<uint8_t>(options_.keyUse);
    return header;
  }

 private:
  SlideRecord WritePicture(const PictureEntry& row, std::size_t index, SDL_Surface* picture,
                           bool intro) {
    const int sizing =
        options_.sizingOverride ? options_.sizingOverrideIndex : LabelIndex(row.sizingLabel);
    const int effect =
        options_.effectOverride ? options_.effectOverrideIndex : LabelIndex(row.effectLabel);
    SurfaceLock lock(picture);
    sourceTried_ = false;
    SlideRecord record;
    const bool fullSizeFits = picture->w <= kMaxFullSizeSide && picture->h <= kMaxFullSizeSide;
    if (fullSizeFits) {
      record.height = static_cast<uint16_t>(picture->h);
      record.width = static_cast<uint16_t>(picture->w - picture->w % 4);
    }
    record.effect = static_cast<uint8_t>(effect);

    const bool wantsFullSize = (sizing == kSizingBoth || sizing == kSizingFullSizeOnly) && !intro;
    if (wantsFullSize && !fullSizeFits) {
      host_.PictureNote(row.path,
                        "the picture is larger than 65535 pixels along one side, so "
                        "it has no full-size version");
    } else if (wantsFullSize) {
      record.fullSizeData = Encode(row, index, picture, record.width, record.height);
    }
    host_.Progress().StepIt();

    if (sizing == kSizingBoth || sizing == kSizingResizedOnly || intro)
      record.resizedData = Encode(row, index, picture, kScreenWidth, kScreenHeight);
    host_.Progress().StepIt();

    if (options_.thumbnails && !intro)
      record.thumbnailData = Encode(row, index, picture, kThumbnailWidth, kThumbnailHeight);
    host_.Progress().StepIt();

    if (options_.textDisplay && !intro && !row.caption.empty())
      record.captionText = AppendCaption(row, index);
    host_.Progress().StepIt();
    return record;
  }

  // Converts one version; the address of its pixels, or 0 when the conversion failed.
  uint32_t Encode(const PictureEntry& row, std::size_t index, SDL_Surface* picture, uint16_t width,
                  uint16_t height) {
    const uint64_t length = image_.Length();
    const uint64_t end = length + AlignmentBytesFor(length) + uint64_t{width} * height * 2;
    EnsureFits(end, row, index);
    // The picture goes through Sized.bmp once; its versions are all made from that source.
    if (!sourceTried_) {
      sourceLoaded_ = LoadConversionSource(picture, context_, source_);
      sourceTried_ = true;
    }
    const uint32_t offset =
        sourceLoaded_ ? EncodeFromSource(image_, source_, width, height, context_) : 0;
    if (offset == 0) {
      host_.PictureNote(row.path, "the " + std::to_string(width) + " x " + std::to_string(height) +
                                      " version could not be made");
      return 0;
    }
    return AddressOf(offset);
  }

  uint32_t AppendCaption(const PictureEntry& row, std::size_t index) {
    const uint64_t length = image_.Length();
    const uint64_t alignment = AlignmentBytesFor(length);
    const std::vector<uint8_t> block = MakeCaptionBlock(row.caption);
    EnsureFits(length + alignment + block.size(), row, index);
    image_.Seek(length);
    image_.WriteZeros(alignment);
    const uint64_t start = image_.Length();
    image_.Write(block.data(), block.size());
    return AddressOf(start);
  }

  void EnsureFits(uint64_t end, const PictureEntry& row, std::size_t index) const {
    if (end <= kCartridgeMaxBytes) return;
    throw BuildFailure("The show does not fit into a cartridge: " + PictureName(row, index) +
                       " would end the image past the 32 MiB the console can read. "
                       "Remove pictures or choose smaller versions for them.");
  }

  BuildHost& host_;
  const SlideshowDocument& document_;
  const SlideshowOptions& options_;
  BinaryFile& image_;
  ConversionContext context_;
  uint64_t templateLength_ = 0;
  // The current picture as the resampler reads it; its buffer serves picture after picture.
  Bitmap source_;
  bool sourceTried_ = false;
  bool sourceLoaded_ = false;
};

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
